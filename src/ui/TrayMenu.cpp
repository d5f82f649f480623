#include "ui/TrayMenu.h"

#include <algorithm>
#include <utility>

#include "common/LeadBytes.h"
#include "config/ConfigurationMatch.h"

namespace {

constexpr char kTipTitle[] = "Nicset";
constexpr char kTipPrefix[] = "Nicset: ";
constexpr char kTipDhcp[] = "DHCP";
constexpr char kTipNoAddress[] = "no address";
constexpr char kTipInUse[] = ", in use";
constexpr char kNothingPicked[] = "Pick an interface first";
constexpr char kMoreText[] = "More...";
constexpr char kOpenText[] = "Open Nicset";
constexpr char kExitText[] = "Exit";

// Clear of IDOK, IDCANCEL, the dialogs' control ids (1000-1035) and the rows.
static_assert(kTrayMoreCommand > 1034 && kTrayOpenCommand > 1034 && kTrayExitCommand > 1034,
              "a menu item would share a control's id");
static_assert(kTrayMoreCommand < kTrayConfigurationCommand &&
                  kTrayOpenCommand < kTrayConfigurationCommand &&
                  kTrayExitCommand < kTrayConfigurationCommand,
              "a menu item would share a configuration's id");

// A record's text, never read past its field.
std::string FieldString(const char (&field)[kTextFieldSize]) {
    std::size_t length = 0;
    while (length + 1 < kTextFieldSize && field[length] != '\0')
        ++length;
    return std::string(field, length);
}

bool IsPicked(const char* interfaceName) {
    return interfaceName != nullptr && interfaceName[0] != '\0';
}

// A menu takes one "&" as the mark of the next letter's shortcut and a tab
// as the start of a right-aligned column. No second byte of a double-byte
// character is either, so the bytes are looked at one by one. An empty text
// gets a blank, so that its item shows as an item.
std::string MenuText(const std::string& text) {
    std::string shown;
    for (char letter : text) {
        if (letter == '&') shown += '&';
        shown += letter == '\t' ? ' ' : letter;
    }
    return shown.empty() ? " " : shown;
}

// At most `bytes` bytes of `text`, ending before a character that does not
// fit whole; a lead byte that ends the text has lost its second half.
void CutText(std::string& text, std::size_t bytes, unsigned codePage) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width =
            IsLeadByte(codePage, static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > text.size() || end + width > bytes) break;
        end += width;
    }
    text.resize(end);
}

TrayMenuLine Item(std::string text, unsigned commandId, bool greyed = false, bool checked = false) {
    return {std::move(text), commandId, false, greyed, checked};
}

}  // namespace

std::string TrayTip(const std::vector<const Configuration*>& rows, const char* interfaceName,
                    const Configuration& current, unsigned codePage, const LiveState* live) {
    if (!IsPicked(interfaceName)) return kTipTitle;
    std::string tip = kTipPrefix;
    const auto match = std::find_if(rows.begin(), rows.end(), [&current](const Configuration* row) {
        return ConfigurationMatches(*row, current);
    });
    if (match != rows.end()) {
        tip += FieldString((*match)->name);
        if (live != nullptr && LiveStateMatches(**match, *live)) {
            CutText(tip, kTrayTipBytes - (sizeof kTipInUse - 1), codePage);
            tip += kTipInUse;
        }
    } else if (current.dhcpEnabled != 0) {
        tip += kTipDhcp;
    } else if (current.ipAddress[0] != '\0') {
        tip += FieldString(current.ipAddress);
    } else {
        tip += kTipNoAddress;
    }
    CutText(tip, kTrayTipBytes, codePage);
    return tip;
}

std::vector<TrayMenuLine> TrayMenuLines(const std::vector<const Configuration*>& rows,
                                        const char* interfaceName, const Configuration& current,
                                        bool busy) {
    std::vector<TrayMenuLine> lines;
    if (IsPicked(interfaceName)) {
        lines.push_back(Item(MenuText(interfaceName), 0, true));
        const std::size_t shown = std::min(rows.size(), kTrayMostConfigurations);
        for (std::size_t row = 0; row < shown; ++row) {
            lines.push_back(Item(MenuText(FieldString(rows[row]->name)),
                                 kTrayConfigurationCommand + static_cast<unsigned>(row), busy,
                                 ConfigurationMatches(*rows[row], current)));
        }
        if (rows.size() > shown) lines.push_back(Item(kMoreText, kTrayMoreCommand));
    } else {
        lines.push_back(Item(kNothingPicked, 0, true));
    }
    lines.push_back({"", 0, true, false, false});
    lines.push_back(Item(kOpenText, kTrayOpenCommand));
    lines.push_back(Item(kExitText, kTrayExitCommand));
    return lines;
}

bool TrayConfigurationRow(unsigned commandId, std::size_t& row) {
    if (commandId < kTrayConfigurationCommand || commandId > kTrayLastConfigurationCommand) {
        return false;
    }
    row = commandId - kTrayConfigurationCommand;
    return true;
}

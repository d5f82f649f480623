#include "app/AdminCommands.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "adapter/InterfaceSettings.h"
#include "common/AsciiCase.h"
#include "common/BoundedText.h"
#include "config/ConfigFile.h"
#include "config/ConfigurationList.h"

namespace {

class PlainHost : public AdminHost {
public:
    bool WindowHoldsConfigFile(const char*) override { return false; }
    std::string LiveState(const AdapterEntry&) override { return std::string(); }
    bool ListedBefore(const char* first, const char* second) override {
        for (; *first != '\0' && LowerAscii(*first) == LowerAscii(*second); ++first, ++second) {
        }
        return static_cast<unsigned char>(LowerAscii(*first)) <
               static_cast<unsigned char>(LowerAscii(*second));
    }
    FileCalls& Files() override { return calls_; }

private:
    FileCalls calls_;
};

CommandOutcome Ended(int status, CommandMessage message, const char* text) {
    CommandOutcome outcome;
    outcome.exitCode = static_cast<std::uint32_t>(status);
    outcome.message = message;
    std::snprintf(outcome.text, sizeof outcome.text, "%s", text);
    return outcome;
}

// The columns of a configuration as they stand, after its kind and name.
void AppendFields(std::string& line, const Configuration& record) {
    line += '\t';
    line += OneColumn(record.name);
    line += record.dhcpEnabled != 0 ? "\tDHCP" : "\tstatic";
    for (const char* field : {record.ipAddress, record.mask, record.gateway, record.dns1,
                              record.dns2, record.macAddress}) {
        line += '\t';
        line += OneColumn(field);
    }
}

}  // namespace

AdminHost& PlainAdminHost() {
    static PlainHost host;
    return host;
}

CommandOutcome RunBackup(const CommandRequest& request, Registry& registry,
                         const PlatformProfile& profile, const char* configPath, unsigned codePage,
                         AdminHost& host) {
    const char* name = request.configuration.c_str();
    if (host.WindowHoldsConfigFile(configPath))
        return CommandError(kStatusWindowOpen, kWindowOpenError, "");

    // A missing file is made anew; one that is there and cannot be read
    // whole is left exactly as it is.
    FileCalls& calls = host.Files();
    SilentPrompts prompts(request.replace);
    ConfigurationList configurations;
    ConfigFileSession session;
    if (!LoadConfigurations(configPath, configurations, prompts, session, calls)) {
        bool absent = false;
        FileHandle file(calls.OpenForReading(configPath, absent));
        if (file || !absent)
            return CommandError(kStatusNoConfiguration, kConfigFileOpenError, configPath);
    }

    AdapterList adapters;
    EnumerateInterfaces(registry, profile, adapters, nullptr);
    CommandOutcome refusal;
    const AdapterEntry* adapter = ChooseInterface(request, adapters, codePage, refusal);
    if (adapter == nullptr) return refusal;

    if (FindConfigurationByName(configurations, name) != nullptr && !request.replace)
        return CommandError(kStatusNameExists, kNameExistsError, name);

    Configuration record{};
    ReadInterfaceSettings(registry, profile, *adapter, record);
    CopyText(record.name, name);
    // The one question, to replace, was settled by /replace above.
    if (!AddConfiguration(configurations, record, prompts) ||
        !SaveConfigurations(configPath, configurations, prompts, session, calls)) {
        return CommandError(kStatusSaveFailed, kConfigFileWriteError, configPath);
    }
    const std::string saved = "Saved as \"" + request.configuration + "\"";
    return Ended(kStatusApplied, CommandMessage::kComplete, saved.c_str());
}

CommandOutcome RunList(Registry& registry, const PlatformProfile& profile, const char* configPath,
                       AdminHost& host) {
    CommandOutcome outcome = Ended(kStatusApplied, CommandMessage::kListing, "");
    std::string& listing = outcome.listing;

    AdapterList adapters;
    EnumerateInterfaces(registry, profile, adapters, nullptr);
    // Each put in its place as the combo box puts each line it is given.
    std::vector<const AdapterEntry*> shown;
    for (const AdapterEntry& adapter : adapters) {
        shown.insert(
            std::upper_bound(shown.begin(), shown.end(), &adapter,
                             [&host](const AdapterEntry* first, const AdapterEntry* second) {
                                 return host.ListedBefore(first->description, second->description);
                             }),
            &adapter);
    }
    for (const AdapterEntry* adapter : shown) {
        Configuration current{};
        ReadInterfaceSettings(registry, profile, *adapter, current);
        // The window shows the interface by its own name, not the "Back - " one.
        CopyText(current.name, adapter->description);
        listing += "interface";
        AppendFields(listing, current);
        listing += '\t' + OneColumn(host.LiveState(*adapter).c_str()) + "\r\n";
    }

    ConfigurationList configurations;
    if (ReadConfigFile(configPath, configurations) == FileReadResult::kCannotOpen) {
        const CommandOutcome error =
            CommandError(kStatusNoConfiguration, kConfigFileOpenError, configPath);
        outcome.exitCode = error.exitCode;
        CopyText(outcome.text, error.text);
        return outcome;
    }
    for (const Configuration& record : configurations) {
        listing += "configuration";
        AppendFields(listing, record);
        listing += "\r\n";
    }
    return outcome;
}

std::string OneColumn(const char* text) {
    std::string column = text;
    std::replace_if(
        column.begin(), column.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
        ' ');
    return column;
}

std::string OneLine(const std::string& text) {
    std::string line;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char c = text[index];
        if (c == '\r' && index + 1 < text.size() && text[index + 1] == '\n') continue;
        if (c == '\r' || c == '\n') {
            line += " / ";
        } else {
            line += c;
        }
    }
    return line;
}

std::string EndingText(const CommandOutcome& outcome, const PlatformProfile& profile,
                       const char* interfaceName) {
    switch (outcome.ending) {
        case CommandMessage::kApplyReport:
            return MessageOf(outcome.report, profile, interfaceName).text;
        case CommandMessage::kUsage:
            return kUsageText;
        case CommandMessage::kNothing:
        case CommandMessage::kError:
        case CommandMessage::kComplete:
        case CommandMessage::kListing:
            break;
    }
    return outcome.text;
}

std::string EndingLine(std::uint32_t status, const std::string& text) {
    return std::to_string(status) + '\t' + OneColumn(OneLine(text).c_str()) + "\r\n";
}

std::string LogLine(const LogRecord& record) {
    std::string line;
    for (const std::string* field : {&record.time, &record.computer, &record.user, &record.command,
                                     &record.configuration, &record.interfaceName}) {
        line += OneColumn(field->c_str());
        line += '\t';
    }
    return line + EndingLine(record.status, record.message);
}

std::string ListingBoxText(const std::string& listing) {
    std::string text;
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string::npos) end = listing.size();
        if (lines < kListingBoxLines) {
            std::size_t length = end - start;
            if (length > 0 && listing[start + length - 1] == '\r') --length;
            if (lines > 0) text += '\n';
            text.append(listing, start, length);
        }
        ++lines;
        start = end + 1;
    }
    if (lines > kListingBoxLines)
        text += "\n... and " + std::to_string(lines - kListingBoxLines) + " more";
    return text;
}

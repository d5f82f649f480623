#include "ui/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "adapter/InterfaceSettings.h"
#include "adapter/Interfaces.h"
#include "app/ProcessState.h"
#include "config/ConfigFile.h"
#include "config/ConfigurationList.h"
#include "resource.h"
#include "ui/AddConfigurationDialog.h"
#include "ui/LinkLabel.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/UiServices.h"

namespace {

constexpr const char kNothingShown[] = "Configuration: nothing";
constexpr std::size_t kCaptionLength = 35;
constexpr const char kHelpDocument[] = "Manual Nicset.pdf";
constexpr const char kSelectInterface[] = "You must select a interface";
constexpr const char kApplyFailed[] =
    "An error has happened, changes weren't applied.\nVerify inserted fields.";
constexpr const char kApplied[] = "Changes successfully applied\n";
constexpr const char kRestartInterface[] = "Reboot the Interfaz";
constexpr const char kRestartWindows[] = "Reboot Windows";
constexpr const char kHelpNotFound[] = "Help file not found";

HWND ConfigurationView(HWND dialog) {
    return GetDlgItem(dialog, IDC_CONFIGURATIONS);
}
HWND InterfaceBox(HWND dialog) {
    return GetDlgItem(dialog, IDC_INTERFACES);
}

void ShowCaption(HWND dialog, const char* text) {
    SetControlText(dialog, IDC_SHOWN_GROUP, LeadingText(text, kCaptionLength).c_str());
}

void OnInitDialog(HWND dialog) {
    SetControlText(dialog, IDC_SHOWN_GROUP, kNothingShown);
    SetDialogIcons(dialog);
    InsertListColumn(ConfigurationView(dialog), 0, "Name", 140);
    InsertListColumn(ConfigurationView(dialog), 1, "IP Address", 93);
    AttachLinkLabel(GetDlgItem(dialog, IDC_MAKER_LABEL));

    HWND interfaces = InterfaceBox(dialog);
    EnumerateInterfaces(
        SystemRegistry(), g_platformProfile, g_adapterList, [interfaces](const char* description) {
            SendMessageA(interfaces, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(description));
        });
    MessageBoxPrompts prompts(nullptr);
    LoadConfigurations(kConfigFileName, g_configurationList, prompts);
    RefillConfigurationView(dialog);
}

// The selected row and the configuration name it shows; -1 when no row is
// selected.
int SelectedConfigurationRow(HWND dialog, char (&name)[256]) {
    HWND view = ConfigurationView(dialog);
    const int row = SelectedListRow(view);
    if (row >= 0) GetListCell(view, row, 0, name);
    return row;
}

// A row of the list was clicked or its selection changed.
void OnConfigurationPicked(HWND dialog) {
    char name[256];
    if (SelectedConfigurationRow(dialog, name) < 0) return;
    const Configuration* found = FindConfigurationByName(g_configurationList, name);
    if (found == nullptr) return;
    ShowConfiguration(dialog, *found);
    ShowCaption(dialog, found->name);
}

void OnInterfacePicked(HWND dialog) {
    if (g_adapterList.empty()) return;
    char description[256] = {};
    GetComboText(InterfaceBox(dialog), description);
    for (const AdapterEntry& entry : g_adapterList) {
        if (std::strcmp(entry.description, description) != 0) continue;
        // Two adapters may share a description: the first one is taken.
        g_selectedAdapter = entry;
        ReadInterfaceSettings(SystemRegistry(), g_platformProfile, g_selectedAdapter,
                              g_workingConfiguration);
        ShowConfiguration(dialog, g_workingConfiguration);
        ShowCaption(dialog, description);
        return;
    }
}

// Apply and BackUp need a picked interface; says so when there is none.
bool InterfacePicked(HWND dialog) {
    char description[256] = {};
    GetComboText(InterfaceBox(dialog), description);
    if (description[0] != '\0') return true;
    ShowError(dialog, kSelectInterface);
    return false;
}

void OnApply(HWND dialog) {
    if (!InterfacePicked(dialog)) return;
    CollectConfiguration(dialog, g_workingConfiguration);
    const bool failed = ApplyInterfaceSettings(SystemRegistry(), g_platformProfile,
                                               g_selectedAdapter, g_workingConfiguration);
    if (failed) {
        ShowError(dialog, kApplyFailed);
        return;
    }
    char message[256];
    std::snprintf(message, sizeof(message), "%s%s", kApplied,
                  IsNtFamily(g_platformProfile) ? kRestartInterface : kRestartWindows);
    ShowMessage(dialog, message, kCompleteTitle, MB_ICONINFORMATION);
}

void OnBackUp(HWND dialog) {
    if (!InterfacePicked(dialog)) return;
    // An overwrite question is open (this program's or any other's).
    if (TopLevelWindowExists(kWarningTitle) || g_configurationList.Busy()) return;
    ReadInterfaceSettings(SystemRegistry(), g_platformProfile, g_selectedAdapter,
                          g_workingConfiguration);
    MessageBoxPrompts prompts(nullptr);
    bool stored = false;
    AddConfiguration(g_configurationList, g_workingConfiguration, stored, prompts);
    RefillConfigurationView(dialog);
}

void OnHelp(HWND dialog) {
    if (OpenWithShell(kHelpDocument, SW_SHOWMAXIMIZED) == ShellOpenResult::FileNotFound)
        ShowError(dialog, kHelpNotFound);
}

void OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case IDC_INTERFACES:
            if (HIWORD(wParam) == CBN_SELCHANGE) OnInterfacePicked(dialog);
            break;
        case IDC_ADD:
            // While an overwrite question is open the list takes no new work.
            if (g_configurationList.Busy()) break;
            AddConfigurationDialog(dialog);
            RefillConfigurationView(dialog);
            break;
        case IDC_DELETE:
            if (g_configurationList.Busy()) break;
            DeleteSelectedConfiguration(dialog);
            RefillConfigurationView(dialog);
            break;
        case IDC_APPLY:
            OnApply(dialog);
            break;
        case IDC_EXIT:
            EndDialog(dialog, kDialogResult);
            break;
        case IDC_BACKUP:
            OnBackUp(dialog);
            break;
        case IDC_HELP_DOCUMENT:
            OnHelp(dialog);
            break;
        case IDC_MAKER_LABEL:
            if (reinterpret_cast<HWND>(lParam) == g_linkLabel.label) OpenMakerLink(HIWORD(wParam));
            break;
        default:
            break;
    }
}

// Closing by any means saves the list; the close box gets here twice
// (WM_CLOSE, then WM_DESTROY), which writes the same file twice.
void OnClosing(HWND dialog) {
    MessageBoxPrompts prompts(nullptr);
    SaveConfigurations(kConfigFileName, g_configurationList, prompts);
    EndDialog(dialog, kDialogResult);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return FALSE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == LVN_ITEMCHANGED || header->code == NM_CLICK)
                OnConfigurationPicked(dialog);
            return FALSE;
        }
        case WM_COMMAND:
            OnCommand(dialog, wParam, lParam);
            return FALSE;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == g_linkLabel.label)
                return reinterpret_cast<INT_PTR>(LinkLabelColors(reinterpret_cast<HDC>(wParam)));
            return FALSE;
        case WM_CLOSE:
        case WM_DESTROY:
            OnClosing(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

void ShowConfiguration(HWND dialog, const Configuration& configuration) {
    SetControlText(dialog, IDC_IP_ADDRESS, configuration.ipAddress);
    SetControlText(dialog, IDC_MAC_ADDRESS, configuration.macAddress);
    SetControlText(dialog, IDC_DNS1, configuration.dns1);
    SetControlText(dialog, IDC_DNS2, configuration.dns2);
    SetChecked(dialog, IDC_DHCP, configuration.dhcpEnabled != 0);
    SetControlText(dialog, IDC_GATEWAY, configuration.gateway);
    SetControlText(dialog, IDC_MASK, configuration.mask);
}

void CollectConfiguration(HWND dialog, Configuration& configuration) {
    GetControlText(dialog, IDC_IP_ADDRESS, configuration.ipAddress);
    GetControlText(dialog, IDC_MASK, configuration.mask);
    GetControlText(dialog, IDC_GATEWAY, configuration.gateway);
    GetControlText(dialog, IDC_DNS1, configuration.dns1);
    GetControlText(dialog, IDC_DNS2, configuration.dns2);
    GetControlText(dialog, IDC_MAC_ADDRESS, configuration.macAddress);
    configuration.dhcpEnabled = IsChecked(dialog, IDC_DHCP) ? 1 : 0;
}

void RefillConfigurationView(HWND dialog) {
    HWND view = ConfigurationView(dialog);
    // The control sorts the rows itself. Handing them over from the last name
    // to the first costs it far less work to place each one (long lists fill
    // in seconds instead of minutes), and one repaint at the end does.
    std::vector<const Configuration*> rows;
    rows.reserve(g_configurationList.Size());
    for (const Configuration& configuration : g_configurationList)
        rows.push_back(&configuration);
    std::stable_sort(rows.begin(), rows.end(), [](const Configuration* a, const Configuration* b) {
        return CompareStringA(LOCALE_USER_DEFAULT, 0, a->name, -1, b->name, -1) ==
               CSTR_GREATER_THAN;
    });
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    for (const Configuration* configuration : rows) {
        const int row = InsertListRow(view, configuration->name);
        SetListCell(view, row, 1, configuration->ipAddress);
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
}

void DeleteSelectedConfiguration(HWND dialog) {
    char name[256];
    const int row = SelectedConfigurationRow(dialog, name);
    if (row < 0) return;
    MessageBoxPrompts prompts(dialog);
    if (DeleteConfigurationByName(g_configurationList, name, prompts))
        SendMessageA(ConfigurationView(dialog), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

std::string LeadingText(const char* text, std::size_t count) {
    return std::string(text, strnlen(text, count));
}

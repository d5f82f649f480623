#include "ui/MainWindow.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "adapter/InterfaceSettings.h"
#include "adapter/Interfaces.h"
#include "adapter/LiveState.h"
#include "adapter/Win32Registry.h"
#include "common/AsciiCase.h"
#include "common/BoundedText.h"
#include "config/ConfigFile.h"
#include "config/ConfigurationList.h"
#include "resource.h"
#include "ui/AddConfigurationDialog.h"
#include "ui/ApplyCheck.h"
#include "ui/ApplyFlow.h"
#include "ui/ApplyWorker.h"
#include "ui/ConfigFileMutex_win.h"
#include "ui/ConfigurationRows.h"
#include "ui/DpiScale_win.h"
#include "ui/LinkLabel.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/StatusBar.h"
#include "ui/SystemApply.h"
#include "ui/TrayIcon.h"
#include "ui/TrayMenu.h"
#include "ui/TrayPresence_win.h"
#include "ui/UiServices.h"
#include "ui/UserSettings.h"

namespace {

constexpr const char kNothingShown[] = "Configuration: nothing";
constexpr std::size_t kCaptionLength = 35;
constexpr const char kHelpDocument[] = "Manual Nicset.pdf";
constexpr const char kSelectInterface[] = "You must select a interface";
constexpr const char kHelpNotFound[] = "Help file not found";
constexpr const char kFolderRefusesFiles[] =
    "Nicset.conf cannot be saved in this folder: changes will be lost";
// The configuration group's caption while an Apply waits.
constexpr const char kRestarting[] = "Restarting the interface...";
constexpr const char kStillRestarting[] = "Still restarting the interface...";
// A restart that takes longer than this is said to go on; it is never cut.
constexpr UINT_PTR kStillRestartingTimer = 1;
constexpr UINT kStillRestartingMs = 60000;
constexpr const char kAwaitingRights[] = "Waiting for administrator rights...";
constexpr const char kCheckingUse[] = "Checking that Windows uses it...";

// The worker's one message: an Apply that waited has ended.
constexpr UINT kApplyDoneMessage = WM_APP + 1;
// How a second start finds this window and asks it to show itself.
constexpr const char kMainWindowMark[] = "Nicset.MainWindow";
constexpr const char kShowRequestName[] = "Nicset.ShowMainWindow";
// The Apply button's shield (BCM_SETSHIELD, Vista's common controls).
constexpr UINT kSetShield = 0x160C;
// WM_DPICHANGED (Windows 8.1 on), which the build's headers hide.
constexpr UINT kDpiChangedMessage = 0x02E0;
// What an Apply waits for disables these; the list view stays usable.
constexpr int kIdleOnlyControls[] = {IDC_APPLY, IDC_BACKUP, IDC_DELETE, IDC_ADD, IDC_INTERFACES};

// The main window's state; the process opens one main window.
struct MainWindowState {
    PlatformProfile profile;
    Win32Registry registry;          // the machine's, below HKEY_LOCAL_MACHINE
    AdapterList adapters;            // filled once when the window opens
    AdapterEntry selectedAdapter{};  // the interface last picked; all zero until then
    ConfigurationList configurations;
    ConfigFileSession file;  // what the load left for the saves at closing
    ConfigurationRows rows;  // what the list view shows
    // What the window reads an interface into, collects its fields into,
    // applies and backs up.
    Configuration working{};
    // An Apply runs on a worker thread; a close asked meanwhile waits for it.
    bool applying = false;
    bool closeAsked = false;
    // The job the worker was given: its message is the only one taken.
    const ApplyJob* pendingJob = nullptr;
    std::string captionBeforeApply;
    TrayPresence tray;      // the notification-area icon, and whether only it shows
    HWND window = nullptr;  // kept for the icon's removal once it is gone
    // The record each row of the list stands for, in the list's order: the
    // first of its name, as a click on the row shows it.
    std::vector<const Configuration*> rowRecords;
};

MainWindowState g_state;

// Column widths of the list view, in pixels at 96 DPI.
constexpr int kNameColumnWidth = 140;
constexpr int kAddressColumnWidth = 93;

// The display-only fields.
void ShowConfiguration(HWND dialog, const Configuration& configuration);
// Reads the fields into `configuration`; its name stays as it was.
void CollectConfiguration(HWND dialog, Configuration& configuration);
// Refills the list view from the configuration list, sorted by name.
void RefillConfigurationView(HWND dialog);
// Removes the configuration of the selected row after asking.
void DeleteSelectedConfiguration(HWND dialog);
// The first `count` characters of `text`, or all of it when shorter.
std::string LeadingText(const char* text, std::size_t count);

UINT ShowRequestMessage() {
    static const UINT message = RegisterWindowMessageA(kShowRequestName);
    return message;
}

HWND ConfigurationView(HWND dialog) {
    return GetDlgItem(dialog, IDC_CONFIGURATIONS);
}
HWND InterfaceBox(HWND dialog) {
    return GetDlgItem(dialog, IDC_INTERFACES);
}

void ShowCaption(HWND dialog, const char* text) {
    const std::string caption = LeadingText(text, kCaptionLength);
    // While an Apply waits the caption says for what; this one follows.
    if (g_state.applying) {
        g_state.captionBeforeApply = caption;
        return;
    }
    SetControlText(dialog, IDC_SHOWN_GROUP, caption.c_str());
}

// The box is remembered for the user; the "98" family restarts nothing
// without Windows, so there it stays off.
void SetUpRestartBox(HWND dialog) {
    const bool nt = IsNtFamily(g_state.profile);
    SetChecked(dialog, IDC_RESTART_INTERFACE, nt && ReadRestartPreference());
    EnableControl(dialog, IDC_RESTART_INTERFACE, nt);
}

void OnInterfacePicked(HWND dialog);
std::string CurrentTip();
void ListInterfaces(HWND dialog);

// The hidden start picks the interface picked last, if it is still listed.
void PickRememberedInterface(HWND dialog) {
    const std::string remembered = ReadLastInterface();
    if (!remembered.empty() && SelectComboLine(InterfaceBox(dialog), remembered.c_str()))
        OnInterfacePicked(dialog);
}

void ListInterfaces(HWND dialog) {
    HWND interfaces = InterfaceBox(dialog);
    SendMessageA(interfaces, CB_RESETCONTENT, 0, 0);
    g_state.adapters.clear();
    EnumerateInterfaces(
        g_state.registry, g_state.profile, g_state.adapters, [interfaces](const char* description) {
            SendMessageA(interfaces, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(description));
        });
}

// The cards changed since the list was made (the elevated copy did not find
// the picked one): they are listed again, and the pick kept when the same
// card, by class subkey and GUID, is still there, under whatever name.
void ListInterfacesAgain(HWND dialog) {
    const AdapterEntry picked = g_state.selectedAdapter;
    ListInterfaces(dialog);
    g_state.selectedAdapter = AdapterEntry{};
    for (const AdapterEntry& entry : g_state.adapters) {
        if (std::strcmp(entry.classSubkey, picked.classSubkey) != 0 ||
            !EqualIgnoringAsciiCase(entry.interfaceKey, picked.interfaceKey))
            continue;
        if (SelectComboLine(InterfaceBox(dialog), entry.description)) OnInterfacePicked(dialog);
        return;
    }
    ShowLiveStateOf(dialog, "");  // the card is gone: nothing to tell of it
}

void OnInitDialog(HWND dialog) {
    SetControlText(dialog, IDC_SHOWN_GROUP, kNothingShown);
    AddStatusBar(dialog);
    SetUpRestartBox(dialog);
    // The shield says that pressing Apply will ask for administrator rights.
    if (SystemApplyPlatform(dialog, g_state.profile).Route() == ApplyRoute::kElevate)
        SendMessageA(GetDlgItem(dialog, IDC_APPLY), kSetShield, 0, TRUE);
    const unsigned dpi = WindowDpi(dialog);
    SetDialogIcons(dialog, dpi);
    InsertListColumn(ConfigurationView(dialog), 0, "Name", ScaleToDpi(kNameColumnWidth, dpi));
    InsertListColumn(ConfigurationView(dialog), 1, "IP Address",
                     ScaleToDpi(kAddressColumnWidth, dpi));
    AttachLinkLabel(GetDlgItem(dialog, IDC_MAKER_LABEL));

    ListInterfaces(dialog);
    MessageBoxPrompts prompts(nullptr);
    LoadConfigurations(kConfigFileName, g_state.configurations, prompts, g_state.file);
    RefillConfigurationView(dialog);
    // A copy kept where only administrators may write (under Program Files,
    // say) could save while every start had the rights; now it cannot.
    if (!FolderTakesNewFiles("."))
        ShowMessage(nullptr, kFolderRefusesFiles, kWarningTitle, MB_ICONWARNING);
    if (g_state.tray.hidden) PickRememberedInterface(dialog);

    SetPropA(dialog, kMainWindowMark, reinterpret_cast<HANDLE>(1));
    LetMessageThrough(dialog, ShowRequestMessage());
    LetMessageThrough(dialog, TaskbarCreatedMessage());
    g_state.window = dialog;
    StartTrayIcon(dialog, g_state.tray, CurrentTip(), GetTickCount());
}

// The window moved to a screen of another DPI (per-monitor Windows 10 1703
// and later). Its dialog units scale by themselves, and the dialog manager
// sizes it for the new font when this returns unhandled, so only what is in
// pixels is set here. A width the user dragged goes back to the default.
void OnDpiChanged(HWND dialog, unsigned dpi) {
    SetDialogIcons(dialog, dpi);
    HWND view = ConfigurationView(dialog);
    SendMessageA(view, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(ScaleToDpi(kNameColumnWidth, dpi), 0));
    SendMessageA(view, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(ScaleToDpi(kAddressColumnWidth, dpi), 0));
    SetLinkLabelDpi(dpi);
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
    const Configuration* found = FindConfigurationByName(g_state.configurations, name);
    if (found == nullptr) return;
    ShowConfiguration(dialog, *found);
    ShowCaption(dialog, found->name);
}

void OnInterfacePicked(HWND dialog) {
    if (g_state.adapters.empty()) return;
    char description[256] = {};
    GetComboText(InterfaceBox(dialog), description);
    for (const AdapterEntry& entry : g_state.adapters) {
        // Each line names one card: identical cards are numbered.
        if (std::strcmp(entry.description, description) != 0) continue;
        g_state.selectedAdapter = entry;
        ReadInterfaceSettings(g_state.registry, g_state.profile, g_state.selectedAdapter,
                              g_state.working);
        ShowConfiguration(dialog, g_state.working);
        ShowCaption(dialog, description);
        ShowLiveStateOf(dialog, entry.interfaceKey);
        WriteLastInterface(description);
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

std::string TipFor(const Configuration& current, const LiveState& live);
Configuration CurrentValues();

void ShowReport(HWND dialog, const ApplyReport& report) {
    // One reading for the bar and the tip: each takes milliseconds.
    const LiveState live = ReadLiveState(g_state.selectedAdapter.interfaceKey);
    ShowLiveState(dialog, live);
    ShowTrayTip(dialog, g_state.tray, TipFor(CurrentValues(), live), GetTickCount());
    ShowApplyReport(dialog, report, g_state.profile, g_state.selectedAdapter.description);
    if (report.end == ApplyEnd::kInterfaceNotFound) ListInterfacesAgain(dialog);
}

// While an Apply waits, the caption says for what, and nothing else that
// changes the interface or the list can start.
void SetApplying(HWND dialog, const char* caption) {
    g_state.applying = caption != nullptr;
    if (caption == kRestarting) {
        SetTimer(dialog, kStillRestartingTimer, kStillRestartingMs, nullptr);
    } else {
        KillTimer(dialog, kStillRestartingTimer);
    }
    for (int id : kIdleOnlyControls)
        EnableControl(dialog, id, !g_state.applying);
    if (g_state.applying) {
        char shown[256] = {};
        GetControlText(dialog, IDC_SHOWN_GROUP, shown);
        g_state.captionBeforeApply = shown;
        SetControlText(dialog, IDC_SHOWN_GROUP, caption);
    } else {
        SetControlText(dialog, IDC_SHOWN_GROUP, g_state.captionBeforeApply.c_str());
    }
}

// The one Apply of the window: what needs no rights first, then the writes
// here or in the elevated copy, then the restart when the box asks for it.
// What waits runs on a worker thread.
void ApplyToPickedInterface(HWND dialog, const Configuration& configuration) {
    const bool restart = IsNtFamily(g_state.profile) && IsChecked(dialog, IDC_RESTART_INTERFACE);
    SystemApplyPlatform platform(dialog, g_state.profile);
    const ApplyRoute route = platform.Route();
    if (!ApplyIsQuick(g_state.profile, route, restart) &&
        PassesApplyChecks(g_state.profile, g_state.selectedAdapter, configuration)) {
        std::unique_ptr<ApplyJob> job(new (std::nothrow) ApplyJob);
        if (job) {
            job->profile = g_state.profile;
            job->adapter = g_state.selectedAdapter;
            job->configuration = configuration;
            job->restart = restart;
            job->route = route;
            const ApplyJob* started = job.get();
            if (StartApplyWorker(dialog, kApplyDoneMessage, job)) {
                g_state.pendingJob = started;
                SetApplying(dialog, route == ApplyRoute::kElevate ? kAwaitingRights : kRestarting);
                return;
            }
        }
        // No thread to be had: the Apply waits here instead.
    }
    ApplyReport report = RunApply(g_state.registry, g_state.profile, platform, route,
                                  g_state.selectedAdapter, configuration, restart);
    CheckLiveUse(platform, g_state.selectedAdapter, configuration, report);
    ShowReport(dialog, report);
}

void OnApply(HWND dialog) {
    if (g_state.applying || !InterfacePicked(dialog)) return;
    CollectConfiguration(dialog, g_state.working);
    ApplyToPickedInterface(dialog, g_state.working);
}

void OnClosing(HWND dialog);

// A restart is never cut short; after a while the caption says it goes on.
void OnStillRestarting(HWND dialog) {
    KillTimer(dialog, kStillRestartingTimer);
    if (g_state.applying) SetControlText(dialog, IDC_SHOWN_GROUP, kStillRestarting);
}

void OnApplyDone(HWND dialog, WPARAM wParam, LPARAM lParam) {
    // Any program may post a message; only the worker's carries the job.
    if (!g_state.applying || lParam != reinterpret_cast<LPARAM>(g_state.pendingJob)) return;
    if (wParam == kApplyCheckBegins) {
        KillTimer(dialog, kStillRestartingTimer);  // the restart is over
        SetControlText(dialog, IDC_SHOWN_GROUP, kCheckingUse);
        return;
    }
    g_state.pendingJob = nullptr;
    const std::unique_ptr<ApplyJob> job = TakeApplyJob(lParam);
    SetApplying(dialog, nullptr);
    ShowReport(dialog, job->report);
    // A close asked while the Apply waited goes ahead once its ending is seen.
    if (g_state.closeAsked) OnClosing(dialog);
}

// Exit, the close box and Alt+F4 wait for an Apply under way and its box.
bool CloseWaits() {
    if (g_state.applying) g_state.closeAsked = true;
    return g_state.applying;
}

// The notification-area icon. Its tip and menu tell what the registry holds
// for the picked interface now, which the card uses after a restart.
const char* PickedInterface() {
    return g_state.selectedAdapter.description;  // "" until one is picked
}

Configuration CurrentValues() {
    Configuration current{};
    if (PickedInterface()[0] != '\0')
        ReadInterfaceSettings(g_state.registry, g_state.profile, g_state.selectedAdapter, current);
    return current;
}

std::string TipFor(const Configuration& current, const LiveState& live) {
    return TrayTip(g_state.rowRecords, PickedInterface(), current, GetACP(), &live);
}

std::string TipFor(const Configuration& current) {
    return TipFor(current, ReadLiveState(g_state.selectedAdapter.interfaceKey));
}

std::string CurrentTip() {
    return TipFor(CurrentValues());
}

void RefreshTip(HWND dialog, const Configuration& current) {
    ShowTrayTip(dialog, g_state.tray, TipFor(current), GetTickCount());
}

void RefreshTip(HWND dialog) {
    RefreshTip(dialog, CurrentValues());
}

// No configuration can be applied from the menu while Nicset is busy.
bool Busy(HWND dialog) {
    return g_state.applying || OtherDialogOfThread(dialog) != nullptr;
}

// Shows the window (lifting the hold of a hidden one) and brings it to the
// front, or the dialog or message box open over it.
void ShowMainWindow(HWND dialog) {
    ShowTrayWindow(dialog, g_state.tray);
    HWND other = OtherDialogOfThread(dialog);
    SetForegroundWindow(other != nullptr ? other : dialog);
}

void OnTrayIcon(HWND dialog, LPARAM mouse) {
    switch (mouse) {
        case WM_LBUTTONUP:
            ShowMainWindow(dialog);
            break;
        case WM_RBUTTONUP: {
            const Configuration current = CurrentValues();
            RefreshTip(dialog, current);
            ShowTrayMenu(dialog, TrayMenuLines(g_state.rowRecords, PickedInterface(), current,
                                               Busy(dialog)));
            break;
        }
        case WM_MOUSEMOVE:
            if (TrayTipIsOld(g_state.tray, GetTickCount())) RefreshTip(dialog);
            break;
        default:
            break;
    }
}

// A configuration picked in the icon's menu, by its row in the list as it
// stands: shown in the fields as a click on its row shows it, then applied
// as the Apply button applies it.
void OnTrayConfiguration(HWND dialog, std::size_t row) {
    if (Busy(dialog) || row >= g_state.rowRecords.size()) return;
    const Configuration& picked = *g_state.rowRecords[row];
    ShowConfiguration(dialog, picked);
    ShowCaption(dialog, picked.name);
    OnApply(dialog);
}

void OnBackUp(HWND dialog) {
    if (!InterfacePicked(dialog)) return;
    // An overwrite question is open (this program's or any other's).
    if (TopLevelWindowExists(kWarningTitle) || g_state.configurations.Busy()) return;
    ReadInterfaceSettings(g_state.registry, g_state.profile, g_state.selectedAdapter,
                          g_state.working);
    MessageBoxPrompts prompts(nullptr);
    // Whether it was stored or the user declined, the list is shown afresh.
    AddConfiguration(g_state.configurations, g_state.working, prompts);
    RefillConfigurationView(dialog);
}

void OnHelp(HWND dialog) {
    if (OpenWithShell(kHelpDocument, SW_SHOWMAXIMIZED) == ShellOpenResult::FileNotFound)
        ShowError(dialog, kHelpNotFound);
}

void OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    // Disabled while an Apply waits; a command posted all the same waits too.
    for (int idleOnly : kIdleOnlyControls) {
        if (id == idleOnly && g_state.applying) return;
    }
    std::size_t row = 0;
    if (TrayConfigurationRow(static_cast<unsigned>(id), row)) {
        OnTrayConfiguration(dialog, row);
        return;
    }
    switch (id) {
        case kTrayOpenCommand:
        case kTrayMoreCommand:
            ShowMainWindow(dialog);
            break;
        case IDC_INTERFACES:
            if (HIWORD(wParam) == CBN_SELCHANGE) OnInterfacePicked(dialog);
            break;
        case IDC_ADD:
            // While an overwrite question is open the list takes no new work.
            if (g_state.configurations.Busy()) break;
            // Stored or not, the list is shown afresh.
            AddConfigurationDialog(dialog, g_state.configurations);
            RefillConfigurationView(dialog);
            break;
        case IDC_DELETE:
            if (g_state.configurations.Busy()) break;
            DeleteSelectedConfiguration(dialog);
            RefillConfigurationView(dialog);
            break;
        case IDC_APPLY:
            OnApply(dialog);
            break;
        case kTrayExitCommand:
        case IDC_EXIT:
            if (!CloseWaits()) EndDialog(dialog, kDialogResult);
            break;
        case IDC_RESTART_INTERFACE:
            if (HIWORD(wParam) == BN_CLICKED)
                WriteRestartPreference(IsChecked(dialog, IDC_RESTART_INTERFACE));
            break;
        case IDC_BACKUP:
            OnBackUp(dialog);
            break;
        case IDC_HELP_DOCUMENT:
            OnHelp(dialog);
            break;
        case IDC_MAKER_LABEL:
            if (IsMakerLabel(reinterpret_cast<HWND>(lParam))) OpenMakerLink(HIWORD(wParam));
            break;
        default:
            break;
    }
}

// Closing by any means saves the list; the close box gets here twice
// (WM_CLOSE, then WM_DESTROY), which writes the same file twice.
void OnClosing(HWND dialog) {
    MessageBoxPrompts prompts(nullptr);
    SaveConfigurations(kConfigFileName, g_state.configurations, prompts, g_state.file);
    EndDialog(dialog, kDialogResult);
}

// The row that keyboard search asks for, or -1. Some list views ask in
// UTF-16 even of a window that speaks ANSI.
int FindTypedRow(const NMHDR* header) {
    const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
    const UINT flags = find->lvfi.flags;
    if (!ConfigurationRows::IsTextSearch(flags)) return -1;
    char typed[256] = "";
    if (header->code == LVN_ODFINDITEMW) {
        const wchar_t* wide = reinterpret_cast<const NMLVFINDITEMW*>(header)->lvfi.psz;
        if (wide == nullptr) return -1;
        WideCharToMultiByte(CP_ACP, 0, wide, -1, typed, sizeof typed, nullptr, nullptr);
        typed[sizeof typed - 1] = '\0';
    } else {
        if (find->lvfi.psz == nullptr) return -1;
        CopyText(typed, find->lvfi.psz);
    }
    return g_state.rows.FindTyped(find->iStart, typed, flags);
}

// The list view asks for the text of the rows it draws and, for keyboard
// search, for the row whose name begins with what was typed.
INT_PTR OnNotify(HWND dialog, NMHDR* header) {
    switch (header->code) {
        case LVN_ITEMCHANGED:
        case NM_CLICK:
            OnConfigurationPicked(dialog);
            return FALSE;
        case LVN_GETDISPINFOA: {
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
            if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0)
                CopyText(item.pszText, static_cast<std::size_t>(item.cchTextMax),
                         g_state.rows.Text(static_cast<std::size_t>(item.iItem), item.iSubItem));
            return FALSE;
        }
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
            if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
                const char* text =
                    g_state.rows.Text(static_cast<std::size_t>(item.iItem), item.iSubItem);
                if (MultiByteToWideChar(CP_ACP, 0, text, -1, item.pszText, item.cchTextMax) == 0)
                    item.pszText[0] = L'\0';
                item.pszText[item.cchTextMax - 1] = L'\0';
            }
            return FALSE;
        }
        case LVN_ODFINDITEMA:
        case LVN_ODFINDITEMW:
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, FindTypedRow(header));
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return FALSE;
        case WM_NOTIFY:
            return OnNotify(dialog, reinterpret_cast<NMHDR*>(lParam));
        case WM_COMMAND:
            OnCommand(dialog, wParam, lParam);
            return FALSE;
        case WM_CTLCOLORSTATIC:
            if (IsMakerLabel(reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<INT_PTR>(LinkLabelColors(reinterpret_cast<HDC>(wParam)));
            return FALSE;
        case kApplyDoneMessage:
            OnApplyDone(dialog, wParam, lParam);
            return TRUE;
        case WM_CLOSE:
            if (!CloseWaits()) OnClosing(dialog);
            return FALSE;
        case kDpiChangedMessage:
            OnDpiChanged(dialog, LOWORD(wParam));
            return FALSE;
        case WM_DESTROY:
            // The icon goes once the window is gone (RunMainWindow).
            ReleaseDialogIcons(dialog);
            RemovePropA(dialog, kMainWindowMark);
            OnClosing(dialog);
            return FALSE;
        case WM_ENDSESSION:
            // Windows ends the process after this, with no WM_DESTROY: a
            // session's changes would otherwise be lost at every logoff.
            if (wParam != FALSE) {
                MessageBoxPrompts prompts(nullptr);
                SaveConfigurations(kConfigFileName, g_state.configurations, prompts, g_state.file);
                EndTrayIcon(dialog);
            }
            return FALSE;
        case kTrayIconMessage:
            OnTrayIcon(dialog, lParam);
            return TRUE;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) OnTrayWindowMinimized(dialog, g_state.tray);
            return FALSE;
        case WM_WINDOWPOSCHANGING:
            KeepTrayWindowHidden(g_state.tray, *reinterpret_cast<WINDOWPOS*>(lParam));
            return FALSE;
        case WM_TIMER:
            if (IsTrayRetryTimer(wParam))
                RetryTrayIcon(dialog, g_state.tray, CurrentTip(), GetTickCount());
            if (wParam == kStillRestartingTimer) OnStillRestarting(dialog);
            return FALSE;
        default:
            if (message == ShowRequestMessage()) {
                ShowMainWindow(dialog);
                return TRUE;
            }
            // Explorer started again, with an empty notification area.
            if (message == TaskbarCreatedMessage())
                StartTrayIcon(dialog, g_state.tray, CurrentTip(), GetTickCount());
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

// Each row's record: the first of its name, found once per refill.
void FillRowRecords() {
    g_state.rowRecords.clear();
    try {
        std::unordered_map<std::string, const Configuration*> firstOfName;
        for (const Configuration& record : g_state.configurations)
            firstOfName.emplace(record.name, &record);
        g_state.rowRecords.reserve(g_state.rows.Size());
        for (std::size_t row = 0; row < g_state.rows.Size(); ++row)
            g_state.rowRecords.push_back(firstOfName.at(g_state.rows.Text(row, 0)));
    } catch (const std::exception&) {
        // Without memory the icon's menu lists nothing; the list is untouched.
        g_state.rowRecords.clear();
    }
}

void RefillConfigurationView(HWND dialog) {
    HWND view = ConfigurationView(dialog);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    // Without memory for the rows the list shows none; the configurations
    // themselves are kept and saved all the same.
    g_state.rows.Fill(g_state.configurations);
    FillRowRecords();
    SendMessageA(view, LVM_SETITEMCOUNT, g_state.rows.Size(), 0);
    InvalidateRect(view, nullptr, TRUE);
}

void DeleteSelectedConfiguration(HWND dialog) {
    char name[256];
    const int row = SelectedConfigurationRow(dialog, name);
    if (row < 0) return;
    MessageBoxPrompts prompts(dialog);
    if (DeleteConfigurationByName(g_state.configurations, name, prompts))
        SendMessageA(ConfigurationView(dialog), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

std::string LeadingText(const char* text, std::size_t count) {
    return std::string(text, strnlen(text, count));
}

}  // namespace

void RunMainWindow(const PlatformProfile& profile, bool hidden) {
    g_state.profile = profile;
    g_state.tray.hidden = hidden;
    // Tells a /backup that this window saves the file when it closes.
    const ConfigFileMutex fileHeld(kConfigFileName);
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_MAIN), GetDesktopWindow(), MainDialogProc, 0);
    // Under Wine the shell may take seconds over the last icon's removal;
    // the list is saved and the window gone by now.
    if (g_state.window != nullptr) EndTrayIcon(g_state.window);
}

HWND FindNicsetMainWindow() {
    HWND window = FindWindowA(nullptr, kMainWindowTitle);
    return window != nullptr && GetPropA(window, kMainWindowMark) != nullptr ? window : nullptr;
}

void AskToShowMainWindow(HWND window) {
    HandTheFrontTo(window);
    PostMessageA(window, ShowRequestMessage(), 0, 0);
}

// Helpers for driving the real Nicset.exe under Wine: start it in a scratch
// working directory, find its windows, answer its message boxes and seed the
// registry it reads. Every wait has a time limit, so a test that goes wrong
// fails with a message instead of hanging.
//
// The limits are two, named once: a machine busy with builds can make a
// window late, never a test red. What must come gets a minute, and the wait
// ends as soon as it comes, so a green run is no slower; a window that does
// not come in that minute stops the suite, so that a broken start costs one
// minute, not one per case. What must not come is watched for briefly.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD kMustComeMs = 60000;
constexpr DWORD kMustNotComeMs = 2000;

// True when this process runs under Wine. The tests rewrite the machine's
// network keys, so they refuse to run anywhere else.
bool RunningUnderWine();

// Full path of Nicset.exe, which sits beside the test executables.
std::string NicsetPath();

// An empty directory under the build folder, made afresh for `name`.
std::string ScratchDirectory(const std::string& name);

// Polls `find` every 20 ms until it gives a window or `timeoutMs` passes. A
// window that must come and does not stops the suite: the cases after this
// one are skipped.
HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs = kMustComeMs);
// True once a window that must come did not.
bool WindowMissed();

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kMustComeMs);

// Gives the program the time to do what it must not do (open a second
// window, end a dialog) before the test looks.
void WatchBriefly();

// The visible top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);

// A window's own text (a top-level window's title), read without asking the
// window, so it never waits on a busy program.
std::string WindowText(HWND window);
// The text a control gives when asked (WM_GETTEXT): what an edit holds.
std::string SentText(HWND window);
std::string ClassName(HWND window);

// A running Nicset.exe, killed (by its own handle) if the test leaves it
// running.
class NicsetProcess {
public:
    // Starts `program` (the build's Nicset.exe unless a test runs a copy),
    // with `arguments` after its name when there are any.
    explicit NicsetProcess(const std::string& workingDirectory,
                           const std::string& program = NicsetPath(),
                           const std::string& arguments = std::string());
    ~NicsetProcess();
    NicsetProcess(const NicsetProcess&) = delete;
    NicsetProcess& operator=(const NicsetProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }

    // A visible dialog of this process with exactly `title`.
    HWND FindDialog(const char* title) const;
    HWND Splash() const { return FindDialog(""); }
    HWND MainWindow() const { return FindDialog("Nicset v1.0"); }

    // The main window shown or not, as a hidden start keeps it.
    HWND AnyMainWindow() const;

    HWND WaitForSplash(DWORD timeoutMs = kMustComeMs) const;
    HWND WaitForMainWindow(DWORD timeoutMs = kMustComeMs) const;

    // Waits for the process to end; false when it is still running.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitStatus);

private:
    HANDLE job_ = nullptr;  // ends Nicset with the test if the test dies
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// What a message box shows: its title and the text of its static 0xFFFF.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::string title;
    std::string text;
};

// Waits for a message box of the process with `title`.
MessageBoxSeen WaitForMessageBox(const NicsetProcess& process, const char* title,
                                 DWORD timeoutMs = kMustComeMs);

// Presses a message box button (IDOK, IDYES, IDNO...) and waits for it to go.
bool AnswerMessageBox(HWND box, int buttonId);

// Wine's per-application setting that makes GetVersion report Windows 98
// for Nicset.exe (on) or takes it away (off).
void SetWindows98(bool on);

// Forgets what Nicset remembers for the user (HKEY_CURRENT_USER\Software\Nicset).
void ForgetUserSettings();

// Registry access below HKEY_LOCAL_MACHINE for seeding and checking.
void DeleteKeyTree(const std::string& path);
void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size);
void SetStringValue(const std::string& path, const char* name, const std::string& text);
void SetDwordValue(const std::string& path, const char* name, DWORD value);

}  // namespace e2e

namespace e2e {

// Memory inside the Nicset process, for control messages that carry
// pointers (list views are not marshalled between processes).
class RemoteBuffer {
public:
    RemoteBuffer(const NicsetProcess& process, SIZE_T size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* Address() const { return address_; }
    LPARAM AsParam() const { return reinterpret_cast<LPARAM>(address_); }
    void Write(const void* data, SIZE_T size, SIZE_T offset = 0);
    void Read(void* data, SIZE_T size, SIZE_T offset = 0) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// The rows of a report-view list view, each as its column texts, in the
// order the control shows them.
std::vector<std::vector<std::string>> ListViewRows(const NicsetProcess& process, HWND listView,
                                                   int columns = 2);
// Selects a row (as a click would), which notifies the owner.
void SelectListViewRow(const NicsetProcess& process, HWND listView, int row);
// Clicks with the left button at a point of the control's client area.
void ClickAt(HWND window, int x, int y);

// The lines of a combo box, in the order it shows them.
std::vector<std::string> ComboLines(HWND comboBox);
// Picks line `index` of combo box `id` and tells the dialog, as the user's
// pick would (CB_SETCURSEL, then CBN_SELCHANGE). Waits until it is handled.
void PickComboLine(HWND dialog, int id, int index);

std::string ControlText(HWND dialog, int id);
// Puts text into an edit control (as a paste would; no length limit).
void SetControlText(HWND dialog, int id, const std::string& text);
// Types characters one by one, as the keyboard would.
void TypeText(HWND dialog, int id, const std::string& text);
bool IsChecked(HWND dialog, int id);
// Clicks a button without waiting for what it starts.
void ClickButton(HWND dialog, int id);

// A registry value as it stands: its type and its exact bytes.
struct RegistryValue {
    bool exists = false;
    DWORD type = 0;
    std::string bytes;
};
RegistryValue ReadValue(const std::string& path, const char* name);

// Files of the scratch directory.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Saves what the screen shows of `window` as a 24-bit bitmap file.
bool SaveWindowPicture(HWND window, const std::string& path);

}  // namespace e2e

namespace e2e {

// Makes the shell open files of this extension (".url", ".pdf") with the
// open recorder, so that tests can count what was opened.
void RecordOpensOf(const char* extension);
// The lines of the open recorder's log, and a way to start it afresh.
std::vector<std::string> OpenedFiles();
void ForgetOpenedFiles();

// The colours the screen shows inside `rect` (screen coordinates).
std::vector<COLORREF> ScreenPixels(const RECT& rect);

}  // namespace e2e

namespace e2e {

// Takes the right to set values and make subkeys in `path` (below
// HKEY_LOCAL_MACHINE) from everyone, as for a user without administrator
// rights. Deleting the key still works.
bool DenyWrites(const std::string& path);

}  // namespace e2e

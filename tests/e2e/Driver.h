// Helpers for driving the real Nicset.exe under Wine: start it in a scratch
// working directory, find its windows, answer its message boxes and seed the
// registry it reads. Every wait has a time limit, so a test that goes wrong
// fails with a message instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// True when this process runs under Wine. The tests rewrite the machine's
// network keys, so they refuse to run anywhere else.
bool RunningUnderWine();

// Full path of Nicset.exe, which sits beside the test executables.
std::string NicsetPath();

// An empty directory under the build folder, made afresh for `name`.
std::string ScratchDirectory(const std::string& name);

// Polls `find` every 20 ms until it gives a window or `timeoutMs` passes.
HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs);

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// The visible top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);

std::string WindowText(HWND window);
std::string ClassName(HWND window);

// A running Nicset.exe, killed (by its own handle) if the test leaves it
// running.
class NicsetProcess {
public:
    explicit NicsetProcess(const std::string& workingDirectory);
    ~NicsetProcess();
    NicsetProcess(const NicsetProcess&) = delete;
    NicsetProcess& operator=(const NicsetProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }

    // A visible dialog of this process with exactly `title`.
    HWND FindDialog(const char* title) const;
    HWND Splash() const { return FindDialog(""); }
    HWND MainWindow() const { return FindDialog("Nicset v1.0"); }

    HWND WaitForSplash(DWORD timeoutMs = 10000) const;
    HWND WaitForMainWindow(DWORD timeoutMs = 15000) const;

    // Waits for the process to end; false when it is still running.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitStatus);

private:
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
                                 DWORD timeoutMs = 10000);

// Presses a message box button (IDOK, IDYES, IDNO...) and waits for it to go.
bool AnswerMessageBox(HWND box, int buttonId);

// Wine's per-application setting that makes GetVersion report Windows 98
// for Nicset.exe (on) or takes it away (off).
void SetWindows98(bool on);

// Registry access below HKEY_LOCAL_MACHINE for seeding and checking.
void DeleteKeyTree(const std::string& path);
void SetValue(const std::string& path, const char* name, DWORD type, const void* data,
              DWORD size);
void SetStringValue(const std::string& path, const char* name, const std::string& text);
void SetDwordValue(const std::string& path, const char* name, DWORD value);

}  // namespace e2e

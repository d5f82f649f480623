#include "Driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace e2e {
namespace {

constexpr const char kMainWindowTitle[] = "Nicset v1.0";
constexpr const char kDialogClass[] = "#32770";

std::string ModuleDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\'));
}

void DeleteDirectoryContents(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = directory + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteDirectoryContents(path);
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct EnumContext {
    DWORD processId;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* enumContext = reinterpret_cast<EnumContext*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == enumContext->processId && IsWindowVisible(window))
        enumContext->windows->push_back(window);
    return TRUE;
}

}  // namespace

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string NicsetPath() { return ModuleDirectory() + "\\Nicset.exe"; }

std::string ScratchDirectory(const std::string& name) {
    const std::string root = ModuleDirectory() + "\\e2e-work";
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string directory = root + "\\" + name;
    CreateDirectoryA(directory.c_str(), nullptr);
    DeleteDirectoryContents(directory);
    return directory;
}

HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = find()) != nullptr; }, timeoutMs);
    return found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> windows;
    EnumContext context{processId, &windows};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    return windows;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

NicsetProcess::NicsetProcess(const std::string& workingDirectory) {
    std::string commandLine = "\"" + NicsetPath() + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << NicsetPath() << ", error " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

NicsetProcess::~NicsetProcess() {
    if (process_ == nullptr) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE() << "Nicset.exe was still running at the end of the test; stopped it";
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND NicsetProcess::FindDialog(const char* title) const {
    for (HWND window : TopLevelWindows(id_)) {
        if (ClassName(window) == kDialogClass && WindowText(window) == title) return window;
    }
    return nullptr;
}

HWND NicsetProcess::WaitForSplash(DWORD timeoutMs) const {
    return WaitForWindow([this] { return Splash(); }, timeoutMs);
}

HWND NicsetProcess::WaitForMainWindow(DWORD timeoutMs) const {
    return WaitForWindow([this] { return MainWindow(); }, timeoutMs);
}

bool NicsetProcess::WaitForExit(DWORD timeoutMs, DWORD* exitStatus) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_, exitStatus);
    return true;
}

MessageBoxSeen WaitForMessageBox(const NicsetProcess& process, const char* title,
                                 DWORD timeoutMs) {
    MessageBoxSeen seen;
    seen.window = WaitForWindow([&] { return process.FindDialog(title); }, timeoutMs);
    if (seen.window != nullptr) {
        seen.title = title;
        seen.text = WindowText(GetDlgItem(seen.window, 0xFFFF));
    }
    return seen;
}

bool AnswerMessageBox(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

void SetWindows98(bool on) {
    const char* path = "Software\\Wine\\AppDefaults\\Nicset.exe";
    if (!on) {
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
        return;
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const char version[] = "win98";
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   sizeof(version));
    RegCloseKey(key);
}

void DeleteKeyTree(const std::string& path) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

void SetValue(const std::string& path, const char* name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS)
        << path << " " << name;
    RegCloseKey(key);
}

void SetStringValue(const std::string& path, const char* name, const std::string& text) {
    SetValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetDwordValue(const std::string& path, const char* name, DWORD value) {
    SetValue(path, name, REG_DWORD, &value, sizeof(value));
}

}  // namespace e2e

#include "ui/SystemApply.h"

#include <shellapi.h>

#include <new>

#include "adapter/InterfaceRestart.h"
#include "ui/UiServices.h"

namespace {

// From the SDK for Vista; the build's headers are those of older Windows.
constexpr int kTokenElevation = 20;  // TOKEN_INFORMATION_CLASS TokenElevation
struct TokenElevationInfo {
    DWORD TokenIsElevated;
};

constexpr unsigned kVista = 6;

unsigned MajorVersion() {
    return LOBYTE(LOWORD(GetVersion()));
}

// The restart runs on a thread of its own so that its wait is bounded; past
// it the thread is left to finish. It owns its copy of the subkey, and its
// outcome is its exit code: nothing else is shared.
DWORD WINAPI RestartThread(LPVOID parameter) {
    std::string* subkey = static_cast<std::string*>(parameter);
    const std::uint32_t outcome = RestartInterface(subkey->c_str());
    delete subkey;
    return outcome;
}

}  // namespace

Elevation ProcessElevation() {
    if (MajorVersion() < kVista) return Elevation::kUnknown;
    // Looked up at run time: the "98" family has no such calls to import.
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    if (advapi == nullptr) return Elevation::kUnknown;
    auto openToken = reinterpret_cast<decltype(&::OpenProcessToken)>(
        reinterpret_cast<void*>(GetProcAddress(advapi, "OpenProcessToken")));
    auto tokenInformation = reinterpret_cast<decltype(&::GetTokenInformation)>(
        reinterpret_cast<void*>(GetProcAddress(advapi, "GetTokenInformation")));
    if (openToken == nullptr || tokenInformation == nullptr) return Elevation::kUnknown;
    HANDLE token = nullptr;
    if (!openToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return Elevation::kUnknown;
    TokenElevationInfo elevation = {};
    DWORD size = 0;
    const BOOL read = tokenInformation(token, static_cast<TOKEN_INFORMATION_CLASS>(kTokenElevation),
                                       &elevation, sizeof elevation, &size);
    CloseHandle(token);
    if (!read) return Elevation::kUnknown;
    return elevation.TokenIsElevated != 0 ? Elevation::kElevated : Elevation::kNotElevated;
}

std::string OwnProgramPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return path;
}

ElevatedRun RunElevatedCopy(HWND owner, const char* program, const std::string& arguments,
                            DWORD waitMs) {
    ElevatedRun run;
    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof execute;
    // Nicset tells what went wrong itself; the process handle is waited on.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = owner;
    execute.lpVerb = "runas";
    execute.lpFile = program;
    execute.lpParameters = arguments.c_str();
    execute.nShow = SW_HIDE;
    if (!ShellExecuteExA(&execute)) {
        run.code = GetLastError();
        if (run.code == 0) run.code = ERROR_GEN_FAILURE;
        return run;
    }
    if (execute.hProcess == nullptr) {
        run.code = ERROR_GEN_FAILURE;
        return run;
    }
    DWORD exitCode = 0;
    if (WaitForSingleObject(execute.hProcess, waitMs) != WAIT_OBJECT_0) {
        run.how = ElevatedRun::How::kTimedOut;
        run.code = kRestartTimedOut;
    } else if (GetExitCodeProcess(execute.hProcess, &exitCode)) {
        run.how = ElevatedRun::How::kEnded;
        run.code = exitCode;
    } else {
        run.code = GetLastError();
    }
    CloseHandle(execute.hProcess);
    return run;
}

ApplyRoute SystemApplyPlatform::Route() {
    return ChooseApplyRoute(IsNtFamily(profile_), MajorVersion(), ProcessElevation());
}

ElevatedRun SystemApplyPlatform::RunElevated(const std::string& arguments) {
    const std::string program = OwnProgramPath();
    if (program.empty()) {
        ElevatedRun run;
        run.code = ERROR_FILENAME_EXCED_RANGE;
        return run;
    }
    return RunElevatedCopy(owner_, program.c_str(), arguments, kLongestApplyWaitMs);
}

std::uint32_t SystemApplyPlatform::RestartInterface(const char* classSubkey) {
    std::string* subkey = new (std::nothrow) std::string(classSubkey);
    if (subkey == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, RestartThread, subkey, 0, &id);
    if (thread == nullptr) {
        const DWORD error = GetLastError();
        delete subkey;
        return error != 0 ? error : ERROR_GEN_FAILURE;
    }
    DWORD outcome = kRestartTimedOut;
    if (WaitForSingleObject(thread, kLongestApplyWaitMs) != WAIT_OBJECT_0 ||
        !GetExitCodeThread(thread, &outcome))
        outcome = kRestartTimedOut;
    CloseHandle(thread);
    return outcome;
}

LiveCheck SystemApplyPlatform::CheckLiveUse(const AdapterEntry& adapter,
                                            const Configuration& configuration) {
    return WaitForLiveUse(adapter.interfaceKey, configuration);
}

void ShowApplyReport(HWND owner, const ApplyReport& report, const PlatformProfile& profile,
                     const char* interfaceName) {
    const ApplyMessage message = MessageOf(report, profile, interfaceName);
    ShowMessage(owner, message.text.c_str(), message.title,
                message.error ? MB_ICONERROR : MB_ICONINFORMATION);
}

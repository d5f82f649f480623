#include "ui/SystemApply.h"

#include <shellapi.h>

#include "adapter/InterfaceRestart.h"
#include "adapter/ProgramFile.h"
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

ElevatedRun RunElevatedCopy(HWND owner, const std::wstring& program, const std::string& arguments) {
    ElevatedRun run;
    // Looked up: the "98" family, which never elevates, has no such call.
    HMODULE shell = GetModuleHandleA("shell32.dll");
    auto shellExecute = reinterpret_cast<decltype(&::ShellExecuteExW)>(reinterpret_cast<void*>(
        shell != nullptr ? GetProcAddress(shell, "ShellExecuteExW") : nullptr));
    if (shellExecute == nullptr) {
        run.code = ERROR_PROC_NOT_FOUND;
        return run;
    }
    // Wide, so that a folder named in any language is found.
    const std::wstring parameters = WidenAnsi(arguments);
    SHELLEXECUTEINFOW execute = {};
    execute.cbSize = sizeof execute;
    // Nicset tells what went wrong itself; the process handle is waited on.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = owner;
    execute.lpVerb = L"runas";
    execute.lpFile = program.c_str();
    execute.lpParameters = parameters.c_str();
    execute.nShow = SW_HIDE;
    SetLastError(0);
    if (!shellExecute(&execute)) {
        run.code = GetLastError();
        if (run.code == 0) run.code = ERROR_GEN_FAILURE;
        return run;
    }
    if (execute.hProcess == nullptr) {
        run.code = ERROR_GEN_FAILURE;
        return run;
    }
    // No limit: the copy may be restarting the interface, which must not
    // be cut, and its real ending is what the user is shown.
    DWORD exitCode = 0;
    run.how = ElevatedRun::How::kLost;
    SetLastError(0);
    if (WaitForSingleObject(execute.hProcess, INFINITE) != WAIT_OBJECT_0) {
        run.code = GetLastError();
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
    const std::wstring program = OwnProgramFile();
    if (program.empty()) {
        ElevatedRun run;
        run.code = GetLastError() != 0 ? GetLastError() : ERROR_GEN_FAILURE;
        return run;
    }
    return RunElevatedCopy(owner_, program, arguments);
}

std::uint32_t SystemApplyPlatform::RestartInterface(const char* classSubkey) {
    return RestartInOwnProcess(classSubkey);
}

std::uint32_t SystemApplyPlatform::RestartHere(const char* classSubkey) {
    return ::RestartInterface(classSubkey);
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

// IsWow64Process is declared for XP and later only; it is looked up at run
// time, so the program itself still runs on older Windows.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0501

#include "adapter/InterfaceRestart.h"

#include <windows.h>

#include <setupapi.h>

#include <cstddef>
#include <string>
#include <vector>

#include "adapter/ProgramFile.h"
#include "adapter/SystemLibrary.h"

// SetupAPI is loaded when a restart asks for it, never imported: the 32-bit
// program must still start on the "98" family, which may lack the DLL or
// some of its calls, and a missing call is an outcome, not a refusal to start.

namespace {

// The network adapters' class, {4d36e972-e325-11ce-bfc1-08002be10318}.
const GUID kNetworkClass = {
    0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// Longer than any driver key of the network class; a longer one is not the adapter's.
constexpr DWORD kDriverKeyBytes = 128;

DeviceCallResult Succeeded() {
    return DeviceCallResult{true, 0};
}

DeviceCallResult Failed(DWORD error) {
    return DeviceCallResult{false, error};
}

// A call's result, taken right after it: each call is preceded by
// SetLastError(0), so a failure that sets nothing shows as 0.
DeviceCallResult ResultOf(BOOL succeeded) {
    return succeeded ? Succeeded() : Failed(GetLastError());
}

// The error code of a call that failed, preceded by SetLastError(0).
DWORD LastFailure() {
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

// Whether WoW64 runs this process: a 32-bit one on 64-bit Windows. Windows
// before XP SP2 has no such call, and no WoW64 to run it under.
bool UnderWow64() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return false;
    auto isWow64 = reinterpret_cast<decltype(&::IsWow64Process)>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64 != FALSE;
}

// Starts `line` of `program` in `folder` with the wide call on the "NT"
// family, which names any folder, and the ANSI one on the "98" family.
bool StartProcess(const std::wstring& program, const std::wstring& line, const std::wstring& folder,
                  PROCESS_INFORMATION& process) {
    if (IsNtFamilyProcess()) {
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        auto createProcess = reinterpret_cast<decltype(&::CreateProcessW)>(reinterpret_cast<void*>(
            kernel != nullptr ? GetProcAddress(kernel, "CreateProcessW") : nullptr));
        if (createProcess == nullptr) {
            SetLastError(ERROR_PROC_NOT_FOUND);
            return false;
        }
        std::vector<wchar_t> writableLine(line.begin(), line.end());  // it may write to it
        writableLine.push_back(L'\0');
        STARTUPINFOW startup = STARTUPINFOW();
        startup.cb = sizeof(startup);
        return createProcess(program.c_str(), writableLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.c_str(), &startup, &process) != FALSE;
    }
    const std::string ansiProgram = NarrowToAnsi(program);
    const std::string ansiLine = NarrowToAnsi(line);
    const std::string ansiFolder = NarrowToAnsi(folder);
    std::vector<char> writableLine(ansiLine.begin(), ansiLine.end());
    writableLine.push_back('\0');
    STARTUPINFOA startup = STARTUPINFOA();
    startup.cb = sizeof(startup);
    return CreateProcessA(ansiProgram.c_str(), writableLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, ansiFolder.c_str(), &startup, &process) != FALSE;
}

class SystemDeviceCalls : public DeviceCalls {
public:
    SystemDeviceCalls() {
        library_ = LoadSystemLibrary("setupapi.dll", unavailable_);
        if (library_ == nullptr) return;
        const bool found =
            FindFunction(library_, "SetupDiGetClassDevsA", getClassDevs_) &&
            FindFunction(library_, "SetupDiEnumDeviceInfo", enumDeviceInfo_) &&
            FindFunction(library_, "SetupDiGetDeviceRegistryPropertyA", getRegistryProperty_) &&
            FindFunction(library_, "SetupDiSetClassInstallParamsA", setClassInstallParams_) &&
            FindFunction(library_, "SetupDiCallClassInstaller", callClassInstaller_) &&
            FindFunction(library_, "SetupDiGetDeviceInstallParamsA", getDeviceInstallParams_) &&
            FindFunction(library_, "SetupDiDestroyDeviceInfoList", destroyDeviceInfoList_);
        unavailable_ = found ? 0 : kRestartFunctionMissing;
    }
    ~SystemDeviceCalls() override {
        CloseNetworkDevices();
        FreeSystemLibrary(library_);
    }
    SystemDeviceCalls(const SystemDeviceCalls&) = delete;
    SystemDeviceCalls& operator=(const SystemDeviceCalls&) = delete;

    DeviceCallResult OpenNetworkDevices() override {
        // Nothing is opened unless every call is there, the list's
        // destruction included.
        if (unavailable_ != 0) return Failed(unavailable_);
        SetLastError(0);
        list_ = getClassDevs_(&kNetworkClass, nullptr, nullptr, DIGCF_PRESENT);
        return list_ != INVALID_HANDLE_VALUE ? Succeeded() : Failed(GetLastError());
    }

    DeviceCallResult SelectDevice(std::uint32_t index) override {
        device_ = SP_DEVINFO_DATA();
        device_.cbSize = sizeof(device_);
        SetLastError(0);
        return ResultOf(enumDeviceInfo_(list_, index, &device_));
    }

    DeviceCallResult ReadDriverKey(std::string& driverKey) override {
        // One byte kept back for a terminator the property may lack.
        BYTE text[kDriverKeyBytes + 1] = {};
        DWORD type = 0;
        DWORD size = 0;
        SetLastError(0);
        const DeviceCallResult result = ResultOf(getRegistryProperty_(
            list_, &device_, SPDRP_DRIVER, &type, text, kDriverKeyBytes, &size));
        if (!result.succeeded) return result;
        if (type != REG_SZ) return Failed(ERROR_INVALID_DATA);
        text[size < kDriverKeyBytes ? size : kDriverKeyBytes] = '\0';
        driverKey = reinterpret_cast<const char*>(text);
        return result;
    }

    DeviceCallResult SetPropertyChange() override {
        SP_PROPCHANGE_PARAMS params = SP_PROPCHANGE_PARAMS();
        params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
        params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
        params.StateChange = DICS_PROPCHANGE;
        params.Scope = DICS_FLAG_GLOBAL;
        params.HwProfile = 0;  // the current one
        SetLastError(0);
        return ResultOf(
            setClassInstallParams_(list_, &device_, &params.ClassInstallHeader, sizeof(params)));
    }

    DeviceCallResult CallPropertyChange() override {
        SetLastError(0);
        return ResultOf(callClassInstaller_(DIF_PROPERTYCHANGE, list_, &device_));
    }

    DeviceCallResult ReadInstallFlags(std::uint32_t& flags) override {
        SP_DEVINSTALL_PARAMS_A params = SP_DEVINSTALL_PARAMS_A();
        params.cbSize = sizeof(params);
        SetLastError(0);
        const DeviceCallResult result = ResultOf(getDeviceInstallParams_(list_, &device_, &params));
        if (result.succeeded) flags = params.Flags;
        return result;
    }

    void CloseNetworkDevices() override {
        if (list_ == INVALID_HANDLE_VALUE) return;
        destroyDeviceInfoList_(list_);
        list_ = INVALID_HANDLE_VALUE;
    }

    std::uint32_t RunHelper(const char* classSubkey) override {
#if defined(_WIN64)
        // A 64-bit process is never refused; Nicset64.exe would be this very
        // program, refused in turn, starting another without end.
        (void)classSubkey;
        return kRestartInWow64;
#else
        const std::wstring own = OwnProgramFile();
        if (own.empty()) return LastFailure();
        return RunRestartProcess(RestartProgramOf(own, false, true), classSubkey);
#endif
    }

private:
    void* library_ = nullptr;
    std::uint32_t unavailable_ = 0;  // why the calls cannot be made; 0 when they can
    decltype(&::SetupDiGetClassDevsA) getClassDevs_ = nullptr;
    decltype(&::SetupDiEnumDeviceInfo) enumDeviceInfo_ = nullptr;
    decltype(&::SetupDiGetDeviceRegistryPropertyA) getRegistryProperty_ = nullptr;
    decltype(&::SetupDiSetClassInstallParamsA) setClassInstallParams_ = nullptr;
    decltype(&::SetupDiCallClassInstaller) callClassInstaller_ = nullptr;
    decltype(&::SetupDiGetDeviceInstallParamsA) getDeviceInstallParams_ = nullptr;
    decltype(&::SetupDiDestroyDeviceInfoList) destroyDeviceInfoList_ = nullptr;
    HDEVINFO list_ = INVALID_HANDLE_VALUE;
    SP_DEVINFO_DATA device_ = SP_DEVINFO_DATA();
};

}  // namespace

std::uint32_t RunRestartProcess(const std::wstring& program, const char* classSubkey) {
    if (!IsRestartSubkey(classSubkey)) return kRestartInvalidParameter;
    const std::size_t lastSlash = program.find_last_of(L'\\');
    if (lastSlash == std::wstring::npos) return ERROR_BAD_PATHNAME;
    // It works in its own folder: the user's working folder, where anyone
    // may write, has no part in what an administrator's process loads.
    const std::wstring folder = program.substr(0, lastSlash + 1);
    const std::wstring line =
        L"\"" + program + L"\" " + WidenAnsi(kRestartHelperSwitch) + L" " + WidenAnsi(classSubkey);
    PROCESS_INFORMATION process = PROCESS_INFORMATION();
    ProcessRun run;
    SetLastError(0);
    if (!StartProcess(program, line, folder, process)) {
        run.code = GetLastError();
        return RestartOutcomeOf(program, run);
    }
    CloseHandle(process.hThread);
    // No limit: Device Manager waits for a driver as long as it takes.
    SetLastError(0);
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0) {
        run.how = ProcessRun::How::kLost;
        run.code = GetLastError();
    } else {
        DWORD exitCode = 0;
        SetLastError(0);
        const bool read = GetExitCodeProcess(process.hProcess, &exitCode) != FALSE;
        run.how = read ? ProcessRun::How::kEnded : ProcessRun::How::kLost;
        run.code = read ? exitCode : GetLastError();
    }
    CloseHandle(process.hProcess);
    return RestartOutcomeOf(program, run);
}

std::uint32_t RestartInOwnProcess(const char* classSubkey) {
    const std::wstring own = OwnProgramFile();
    if (own.empty()) return LastFailure();
    return RunRestartProcess(RestartProgramOf(own, sizeof(void*) == 8, UnderWow64()), classSubkey);
}

std::uint32_t RestartInterface(const char* classSubkey) {
    SystemDeviceCalls calls;
    return RestartInterface(calls, classSubkey);
}

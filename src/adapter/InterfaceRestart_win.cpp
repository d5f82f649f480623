#include "adapter/InterfaceRestart.h"

#include <windows.h>

#include <setupapi.h>

#include <cstddef>
#include <string>
#include <vector>

#include "common/LeadBytes.h"

// SetupAPI is loaded when a restart asks for it, never imported: the 32-bit
// program must still start on the "98" family, which may lack the DLL or
// some of its calls, and a missing call is an outcome, not a refusal to start.

namespace {

// The network adapters' class, {4d36e972-e325-11ce-bfc1-08002be10318}.
const GUID kNetworkClass = {
    0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// The helper gets this long to restart; past it, it is left to finish.
constexpr DWORD kHelperWaitMilliseconds = 60 * 1000;

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

template <typename Function>
bool Find(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

// The error code of a call that failed, preceded by SetLastError(0).
DWORD LastFailure() {
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

// Full path under the system folder: a bare name would be looked for in the
// program's folder first, where anyone may have put a DLL of that name.
// Null on failure, `error` then saying why (never 0).
HMODULE LoadSystemLibrary(const char* name, DWORD& error) {
    char path[MAX_PATH];
    SetLastError(0);
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::string(name).size() >= MAX_PATH) {
        error = length == 0 ? LastFailure() : ERROR_FILENAME_EXCED_RANGE;
        return nullptr;
    }
    const std::string full = std::string(path, length) + "\\" + name;
    SetLastError(0);
    const HMODULE library = LoadLibraryA(full.c_str());
    error = library != nullptr ? 0 : LastFailure();
    return library;
}

// The folder of this program, with its last backslash. False when it cannot
// be had, GetLastError then saying why.
bool FindOwnFolder(std::string& folder) {
    char path[MAX_PATH];
    SetLastError(0);
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0) return false;
    // A path cut to the buffer may come back without its terminator.
    if (length >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    // A double-byte character's second byte may have a backslash's value.
    const unsigned codePage = GetACP();
    std::size_t folderLength = 0;
    for (std::size_t index = 0; index < length; ++index) {
        if (IsLeadByte(codePage, static_cast<unsigned char>(path[index])))
            ++index;
        else if (path[index] == '\\')
            folderLength = index + 1;
    }
    if (folderLength == 0) {
        SetLastError(ERROR_BAD_PATHNAME);
        return false;
    }
    folder.assign(path, folderLength);
    return true;
}

class SystemDeviceCalls : public DeviceCalls {
public:
    SystemDeviceCalls() {
        library_ = LoadSystemLibrary("setupapi.dll", unavailable_);
        if (library_ == nullptr) return;
        const bool found =
            Find(library_, "SetupDiGetClassDevsA", getClassDevs_) &&
            Find(library_, "SetupDiEnumDeviceInfo", enumDeviceInfo_) &&
            Find(library_, "SetupDiGetDeviceRegistryPropertyA", getRegistryProperty_) &&
            Find(library_, "SetupDiSetClassInstallParamsA", setClassInstallParams_) &&
            Find(library_, "SetupDiCallClassInstaller", callClassInstaller_) &&
            Find(library_, "SetupDiGetDeviceInstallParamsA", getDeviceInstallParams_) &&
            Find(library_, "SetupDiDestroyDeviceInfoList", destroyDeviceInfoList_);
        unavailable_ = found ? 0 : kRestartFunctionMissing;
    }
    ~SystemDeviceCalls() override {
        CloseNetworkDevices();
        if (library_ != nullptr) FreeLibrary(library_);
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
        return RunRestartHelper(classSubkey);
#endif
    }

private:
    HMODULE library_ = nullptr;
    DWORD unavailable_ = 0;  // why the calls cannot be made; 0 when they can
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

std::uint32_t RunRestartHelper(const char* classSubkey) {
    if (!IsRestartSubkey(classSubkey)) return kRestartInvalidParameter;
    // Beside this program, never from the working folder or the search path.
    std::string folder;
    if (!FindOwnFolder(folder)) return LastFailure();
    const std::string helper = folder + kRestartHelperName;
    if (helper.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;

    const std::string line =
        std::string(kRestartHelperName) + " " + kRestartHelperSwitch + " " + classSubkey;
    std::vector<char> writableLine(line.begin(), line.end());  // CreateProcessA may write to it
    writableLine.push_back('\0');
    STARTUPINFOA startup = STARTUPINFOA();
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = PROCESS_INFORMATION();
    SetLastError(0);
    // It works in its own folder too: the user's working folder, where
    // anyone may write, has no part in what an administrator's helper loads.
    if (!CreateProcessA(helper.c_str(), writableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        const DWORD error = LastFailure();
        return error == ERROR_FILE_NOT_FOUND ? kRestartHelperMissing : error;
    }
    CloseHandle(process.hThread);

    std::uint32_t outcome = kRestartGeneralFailure;
    SetLastError(0);
    const DWORD waited = WaitForSingleObject(process.hProcess, kHelperWaitMilliseconds);
    if (waited == WAIT_TIMEOUT) {
        outcome = kRestartTimedOut;  // the helper is left to finish
    } else if (waited != WAIT_OBJECT_0) {
        outcome = LastFailure();
    } else {
        DWORD exitCode = 0;
        SetLastError(0);
        outcome = GetExitCodeProcess(process.hProcess, &exitCode) ? exitCode : LastFailure();
    }
    CloseHandle(process.hProcess);
    return outcome;
}

std::uint32_t RestartInterface(const char* classSubkey) {
    SystemDeviceCalls calls;
    return RestartInterface(calls, classSubkey);
}

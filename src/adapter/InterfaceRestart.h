// Restarting one network interface, so that Windows reads its settings
// again: the device whose driver key is the adapter's class subkey gets a
// property change, which stops and starts it. Never a disable followed by an
// enable, which can leave the card off. "NT" family only (Windows 2000 on).
//
// The SetupAPI calls sit behind DeviceCalls, so that the tests can act out
// every answer; InterfaceRestart_win.cpp makes the real ones.
#pragma once

#include <cstdint>
#include <string>

// A restart's outcome is one Windows error code; these are the ones the
// program tells apart. Any other code is a failure worth showing as it is.
constexpr std::uint32_t kRestartDone = 0;
constexpr std::uint32_t kRestartNeedsReboot = 3010;     // ERROR_SUCCESS_REBOOT_REQUIRED
constexpr std::uint32_t kRestartNotPresent = 1168;      // ERROR_NOT_FOUND
constexpr std::uint32_t kRestartAccessDenied = 5;       // ERROR_ACCESS_DENIED
constexpr std::uint32_t kRestartGeneralFailure = 31;    // ERROR_GEN_FAILURE
constexpr std::uint32_t kRestartFunctionMissing = 127;  // ERROR_PROC_NOT_FOUND
constexpr std::uint32_t kRestartInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
constexpr std::uint32_t kRestartFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
// Windows refuses the property change to a 32-bit process on 64-bit Windows.
constexpr std::uint32_t kRestartInWow64 = 0xE0000235;  // ERROR_IN_WOW64
// Nicset's own code: Windows never sets bit 29, which it leaves to programs.
constexpr std::uint32_t kRestartHelperMissing = 0x20000002;

// A restart runs in a process of its own, which Nicset never ends: Windows
// removes the device and then starts it, and a process ended between the
// two leaves the card removed. That process is the program started with
// "/restart-interface NNNN"; its exit status is the outcome code. A 32-bit
// process under WoW64, which Windows refuses the restart, starts the 64-bit
// program shipped beside it instead.
constexpr char kRestartHelperName[] = "Nicset64.exe";
constexpr char kRestartHelperSwitch[] = "/restart-interface";

// Device install flags that ask for more than the restart.
constexpr std::uint32_t kDeviceNeedsRestart = 0x00000080;  // DI_NEEDRESTART
constexpr std::uint32_t kDeviceNeedsReboot = 0x00000100;   // DI_NEEDREBOOT

// What one SetupAPI call did: whether it succeeded, and the error code it
// left (0 when it left none, which a failure may do).
struct DeviceCallResult {
    bool succeeded;
    std::uint32_t error;
};

// The calls of one restart, on one list of devices and one current device
// of it. OpenNetworkDevices makes the list; CloseNetworkDevices destroys it.
class DeviceCalls {
public:
    virtual ~DeviceCalls() = default;

    // SetupDiGetClassDevs: the present devices of the network class.
    virtual DeviceCallResult OpenNetworkDevices() = 0;
    // SetupDiEnumDeviceInfo: device number `index` becomes the current one;
    // past the last it fails with ERROR_NO_MORE_ITEMS.
    virtual DeviceCallResult SelectDevice(std::uint32_t index) = 0;
    // SetupDiGetDeviceRegistryProperty(SPDRP_DRIVER): the current device's
    // driver key, such as "{4d36e972-e325-11ce-bfc1-08002be10318}\0001".
    virtual DeviceCallResult ReadDriverKey(std::string& driverKey) = 0;
    // SetupDiSetClassInstallParams: DIF_PROPERTYCHANGE with DICS_PROPCHANGE
    // and DICS_FLAG_GLOBAL, for the current device.
    virtual DeviceCallResult SetPropertyChange() = 0;
    // SetupDiCallClassInstaller(DIF_PROPERTYCHANGE): the restart itself.
    virtual DeviceCallResult CallPropertyChange() = 0;
    // SetupDiGetDeviceInstallParams: the current device's install flags.
    virtual DeviceCallResult ReadInstallFlags(std::uint32_t& flags) = 0;
    // SetupDiDestroyDeviceInfoList.
    virtual void CloseNetworkDevices() = 0;
    // Runs "Nicset64.exe /restart-interface <classSubkey>" and gives its
    // outcome code.
    virtual std::uint32_t RunHelper(const char* classSubkey) = 0;
};

// A class subkey as Nicset restarts it and the restart process's line
// carries it: 1 to 5 decimal digits, nothing else.
bool IsRestartSubkey(const char* text);

// Restarts the device whose driver key is the network class's subkey
// `classSubkey` (as AdapterEntry::classSubkey), and says how it went. A
// 32-bit process on 64-bit Windows hands the restart to the helper.
std::uint32_t RestartInterface(DeviceCalls& calls, const char* classSubkey);

// The program a restart process runs: `ownFile` (this program's full path),
// or for a 32-bit build that WoW64 runs, Nicset64.exe in its folder. Empty
// when `ownFile` names no folder.
std::wstring RestartProgramOf(const std::wstring& ownFile, bool build64, bool underWow64);

// How a process that Nicset started went.
struct ProcessRun {
    enum class How {
        kEnded,       // `code` is its exit status
        kNotStarted,  // `code` is the error that kept it from starting
        kLost,        // it ran, but its end cannot be had: `code` says why
    };
    How how = How::kNotStarted;
    std::uint32_t code = 0;
};

// The outcome of a restart run in `program`'s process: its exit status, or
// the error; a Nicset64.exe that is not there is kRestartHelperMissing.
std::uint32_t RestartOutcomeOf(const std::wstring& program, const ProcessRun& run);

// Windows only (InterfaceRestart_win.cpp):
// The restart itself, in this process, with the system's calls.
std::uint32_t RestartInterface(const char* classSubkey);
// Runs `program` (a full path) with "/restart-interface <classSubkey>" in
// its own folder and waits for its end, however long: its outcome.
std::uint32_t RunRestartProcess(const std::wstring& program, const char* classSubkey);
// The same with the program that RestartProgramOf chooses for this process.
std::uint32_t RestartInOwnProcess(const char* classSubkey);

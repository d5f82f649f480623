#include "adapter/InterfaceRestart.h"

#include <cstddef>
#include <string>

#include "common/AsciiCase.h"

namespace {

// The network class's driver keys, as SPDRP_DRIVER names them, before the subkey.
constexpr char kNetworkDriverKeyPrefix[] = "{4d36e972-e325-11ce-bfc1-08002be10318}\\";
constexpr std::size_t kLongestRestartSubkey = 5;
constexpr std::uint32_t kNoMoreItems = 259;  // ERROR_NO_MORE_ITEMS

// A failed call's outcome. Some fail without leaving a code (Wine's
// SetupDiSetClassInstallParams is such a stub); 0 would read as "restarted".
std::uint32_t FailureOf(const DeviceCallResult& result) {
    return result.error != 0 ? result.error : kRestartGeneralFailure;
}

std::uint32_t RestartCurrentDevice(DeviceCalls& calls) {
    DeviceCallResult result = calls.SetPropertyChange();
    if (!result.succeeded) return FailureOf(result);
    result = calls.CallPropertyChange();
    if (!result.succeeded) return FailureOf(result);
    std::uint32_t flags = 0;
    result = calls.ReadInstallFlags(flags);
    if (!result.succeeded) return FailureOf(result);
    return (flags & (kDeviceNeedsReboot | kDeviceNeedsRestart)) != 0 ? kRestartNeedsReboot
                                                                     : kRestartDone;
}

// Restarts the listed device with the driver key `wanted`.
std::uint32_t RestartListedDevice(DeviceCalls& calls, const std::string& wanted) {
    for (std::uint32_t index = 0;; ++index) {
        const DeviceCallResult selected = calls.SelectDevice(index);
        if (!selected.succeeded)
            return selected.error == kNoMoreItems ? kRestartNotPresent : FailureOf(selected);
        std::string driverKey;
        // A device without a readable driver key is not the adapter's.
        if (!calls.ReadDriverKey(driverKey).succeeded) continue;
        // The whole text: "\0001" is not "\00010".
        if (EqualIgnoringAsciiCase(driverKey.c_str(), wanted.c_str()))
            return RestartCurrentDevice(calls);
    }
}

}  // namespace

bool IsRestartSubkey(const char* text) {
    if (text == nullptr) return false;
    std::size_t length = 0;
    for (; text[length] != '\0'; ++length) {
        if (length == kLongestRestartSubkey || text[length] < '0' || text[length] > '9')
            return false;
    }
    return length > 0;
}

std::uint32_t RestartInterface(DeviceCalls& calls, const char* classSubkey) {
    // The subkey also goes on the helper's command line: digits only.
    if (!IsRestartSubkey(classSubkey)) return kRestartInvalidParameter;
    const std::string wanted = std::string(kNetworkDriverKeyPrefix) + classSubkey;

    const DeviceCallResult opened = calls.OpenNetworkDevices();
    std::uint32_t outcome = FailureOf(opened);
    if (opened.succeeded) {
        outcome = RestartListedDevice(calls, wanted);
        calls.CloseNetworkDevices();
    }
    // The list is gone before the helper starts: it makes its own.
    if (outcome == kRestartInWow64) return calls.RunHelper(classSubkey);
    return outcome;
}

std::wstring RestartProgramOf(const std::wstring& ownFile, bool build64, bool underWow64) {
    if (build64 || !underWow64) return ownFile;
    const std::size_t lastSlash = ownFile.find_last_of(L'\\');
    if (lastSlash == std::wstring::npos) return std::wstring();
    const std::string helper = kRestartHelperName;
    return ownFile.substr(0, lastSlash + 1) + std::wstring(helper.begin(), helper.end());
}

std::uint32_t RestartOutcomeOf(const std::wstring& program, const ProcessRun& run) {
    if (run.how == ProcessRun::How::kEnded) return run.code;
    // A call that failed without a code did not restart.
    if (run.code == 0) return kRestartGeneralFailure;
    if (run.how == ProcessRun::How::kNotStarted && run.code == kRestartFileNotFound) {
        const std::size_t lastSlash = program.find_last_of(L'\\');
        const std::wstring file =
            program.substr(lastSlash == std::wstring::npos ? 0 : lastSlash + 1);
        std::string narrow;
        for (wchar_t letter : file)
            narrow += letter > 0 && letter < 0x80 ? static_cast<char>(letter) : '?';
        if (EqualIgnoringAsciiCase(narrow.c_str(), kRestartHelperName))
            return kRestartHelperMissing;
    }
    return run.code;
}

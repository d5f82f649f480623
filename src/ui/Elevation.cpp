#include "ui/Elevation.h"

#include "common/Arguments.h"

namespace {

// No status and no crash code has bit 28 set.
constexpr std::uint32_t kRestartOutcomeBit = 0x10000000;
// Nicset's own codes (bit 29, which Windows leaves to programs): the
// copy's status added, and keys that refused writing.
constexpr std::uint32_t kChildStatusBase = 0x20000000;
constexpr std::uint32_t kChildAccessDenied = 0x20000100;
constexpr unsigned kVista = 6;

std::string Flag(bool on) {
    return on ? "1" : "0";
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::string InterfaceGuidOf(const char* interfaceKey) {
    const std::string key = interfaceKey;
    return key.substr(key.find_last_of('\\') + 1);
}

bool IsInterfaceGuid(const std::string& text) {
    static const char kForm[] = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != sizeof kForm - 1) return false;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (kForm[index] == 'X' ? !IsHexDigit(text[index]) : text[index] != kForm[index])
            return false;
    }
    return true;
}

std::string ElevatedChildLine(const ElevatedApply& order) {
    const Configuration& fields = order.configuration;
    std::string line = kElevatedApplySwitch;
    for (const std::string& argument :
         {order.classSubkey, order.interfaceGuid, order.interfaceName,
          Flag(fields.dhcpEnabled != 0), std::string(fields.ipAddress), std::string(fields.mask),
          std::string(fields.gateway), std::string(fields.dns1), std::string(fields.dns2),
          std::string(fields.macAddress), Flag(order.restart)}) {
        line += ' ';
        line += QuoteArgument(argument);
    }
    return line;
}

ApplyRoute ChooseApplyRoute(bool ntFamily, unsigned majorVersion, Elevation elevation) {
    if (!ntFamily || majorVersion < kVista || elevation != Elevation::kNotElevated)
        return ApplyRoute::kInProcess;
    return ApplyRoute::kElevate;
}

std::uint32_t ChildExitCode(const ApplyReport& report) {
    if (report.end == ApplyEnd::kAccessDenied) return kChildAccessDenied;
    const int status = StatusOf(report);
    if (status == kStatusNotRestarted) return kRestartOutcomeBit + report.code;
    return kChildStatusBase + static_cast<std::uint32_t>(status);
}

std::uint32_t ChildExitCodeOfWrongLine() {
    return kChildStatusBase + kStatusWrongCommandLine;
}

ApplyReport ReportOfChildExit(std::uint32_t exitCode, bool restartAsked) {
    ApplyReport report;
    report.restartAsked = restartAsked;
    if ((exitCode & kRestartOutcomeBit) != 0) {
        report.end = ApplyEnd::kApplied;
        report.restartAsked = true;
        report.code = exitCode - kRestartOutcomeBit;
        return report;
    }
    // Only the copy's exact codes count: a killed copy's 1 or 0 is no
    // status, and what it wrote before is unknown.
    switch (exitCode) {
        case kChildStatusBase + kStatusApplied:
            report.end = ApplyEnd::kApplied;
            break;
        case kChildStatusBase + kStatusRebootWindows:
            report.end = ApplyEnd::kApplied;
            report.restartAsked = true;
            report.code = kRestartNeedsReboot;
            break;
        case kChildStatusBase + kStatusPutBack:
            report.end = ApplyEnd::kPutBack;
            break;
        case kChildAccessDenied:
            report.end = ApplyEnd::kAccessDenied;
            break;
        case kChildStatusBase + kStatusNoInterface:
            report.end = ApplyEnd::kInterfaceNotFound;
            break;
        case kChildStatusBase + kStatusRefused:
            report.end = ApplyEnd::kRefused;
            break;
        default:
            report.end = ApplyEnd::kPartlyChanged;
            break;
    }
    return report;
}

#include "ui/Elevation.h"

#include "common/Arguments.h"

namespace {

// No status and no crash code has bit 28 set.
constexpr std::uint32_t kRestartOutcomeBit = 0x10000000;
// Nicset's own code (bit 29) for keys that refused writing.
constexpr std::uint32_t kChildAccessDenied = 0x20000005;
constexpr unsigned kVista = 6;

std::string Flag(bool on) {
    return on ? "1" : "0";
}

}  // namespace

std::string ElevatedChildLine(const ElevatedApply& order) {
    const Configuration& fields = order.configuration;
    std::string line = kElevatedApplySwitch;
    for (const std::string& argument :
         {order.interfaceName, Flag(fields.dhcpEnabled != 0), std::string(fields.ipAddress),
          std::string(fields.mask), std::string(fields.gateway), std::string(fields.dns1),
          std::string(fields.dns2), std::string(fields.macAddress), Flag(order.restart)}) {
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
    return static_cast<std::uint32_t>(status);
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
    switch (exitCode) {
        case kStatusApplied:
            report.end = ApplyEnd::kApplied;
            break;
        case kStatusRebootWindows:
            report.end = ApplyEnd::kApplied;
            report.restartAsked = true;
            report.code = kRestartNeedsReboot;
            break;
        case kStatusPutBack:
            report.end = ApplyEnd::kPutBack;
            break;
        case kChildAccessDenied:
            report.end = ApplyEnd::kAccessDenied;
            break;
        case kStatusNoInterface:
            report.end = ApplyEnd::kInterfaceNotFound;
            break;
        case kStatusRefused:
            report.end = ApplyEnd::kRefused;
            break;
        default:
            report.end = ApplyEnd::kPartlyChanged;
            break;
    }
    return report;
}

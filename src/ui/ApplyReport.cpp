#include "ui/ApplyReport.h"

#include <cstdio>

namespace {

constexpr const char kErrorTitle[] = "Error";
constexpr const char kCompleteTitle[] = "Complete";
constexpr const char kApplyFailed[] =
    "An error has happened, changes weren't applied.\nVerify inserted fields.";
constexpr const char kMayBeChanged[] = "\nSome settings may have been changed.";
// Not the fields: rights are what is missing.
constexpr const char kRightsNeeded[] = "Changes weren't applied: administrator rights are needed";
constexpr const char kApplied[] = "Changes successfully applied\n";
// "Interfaz" is the program's own text, as its users know it; left as it is.
constexpr const char kRestartInterface[] = "Reboot the Interfaz";
constexpr const char kRestartWindows[] = "Reboot Windows";
constexpr const char kInterfaceRestarted[] = "The interface was restarted";
constexpr const char kNotRestarted[] = "\nIt could not be restarted: ";
constexpr const char kRightsNotGiven[] =
    "Changes weren't applied: administrator rights were not given";

std::string Hex(const char* format, std::uint32_t code) {
    char text[96];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(code));
    return text;
}

// The line after the restart's: what the check found, if it was made.
std::string LiveCheckLine(const LiveCheck& live) {
    if (!live.checked) return std::string();
    if (live.inUse) return "\nWindows now uses it";
    return "\nWindows does not use it yet: " + live.difference;
}

std::string AppliedText(const ApplyReport& report, const PlatformProfile& profile) {
    const std::string hint = IsNtFamily(profile) ? kRestartInterface : kRestartWindows;
    if (!report.restartAsked) return kApplied + hint;
    if (report.code == kRestartDone)
        return std::string(kApplied) + kInterfaceRestarted + LiveCheckLine(report.live);
    if (report.code == kRestartNeedsReboot) return std::string(kApplied) + kRestartWindows;
    return kApplied + hint + kNotRestarted + RestartFailureReason(report.code);
}

}  // namespace

ApplyReport ReportOf(ApplyResult result) {
    ApplyReport report;
    switch (result) {
        case ApplyResult::kApplied:
            report.end = ApplyEnd::kApplied;
            break;
        case ApplyResult::kRefused:
            report.end = ApplyEnd::kRefused;
            break;
        case ApplyResult::kPutBack:
            report.end = ApplyEnd::kPutBack;
            break;
        case ApplyResult::kPartlyChanged:
            report.end = ApplyEnd::kPartlyChanged;
            break;
        case ApplyResult::kAccessDenied:
            report.end = ApplyEnd::kAccessDenied;
            break;
    }
    return report;
}

int StatusOf(const ApplyReport& report) {
    switch (report.end) {
        case ApplyEnd::kApplied:
            if (!report.restartAsked) return kStatusApplied;
            if (report.code == kRestartDone)
                return report.live.checked && !report.live.inUse ? kStatusNotInUseYet
                                                                 : kStatusApplied;
            return report.code == kRestartNeedsReboot ? kStatusRebootWindows : kStatusNotRestarted;
        case ApplyEnd::kRefused:
            return kStatusRefused;
        case ApplyEnd::kPutBack:
        case ApplyEnd::kAccessDenied:
            return kStatusPutBack;
        case ApplyEnd::kPartlyChanged:
            return kStatusPartlyChanged;
        case ApplyEnd::kRightsNotGiven:
        case ApplyEnd::kRightsNotHad:
            return kStatusRightsNotGiven;
        case ApplyEnd::kInterfaceNotFound:
            return kStatusNoInterface;
    }
    return kStatusPartlyChanged;
}

ApplyMessage MessageOf(const ApplyReport& report, const PlatformProfile& profile,
                       const char* interfaceName) {
    ApplyMessage message;
    message.error = report.end != ApplyEnd::kApplied;
    message.title = message.error ? kErrorTitle : kCompleteTitle;
    switch (report.end) {
        case ApplyEnd::kApplied:
            message.text = AppliedText(report, profile);
            break;
        case ApplyEnd::kRefused:
        case ApplyEnd::kPutBack:
            message.text = kApplyFailed;
            break;
        case ApplyEnd::kPartlyChanged:
            message.text = std::string(kApplyFailed) + kMayBeChanged;
            break;
        case ApplyEnd::kAccessDenied:
            message.text = kRightsNeeded;
            break;
        case ApplyEnd::kRightsNotGiven:
            message.text = kRightsNotGiven;
            break;
        case ApplyEnd::kRightsNotHad:
            message.text =
                Hex("Changes weren't applied: administrator rights could not be had (error 0x%08X)",
                    report.code);
            break;
        case ApplyEnd::kInterfaceNotFound:
            message.text = std::string("Interface not found: ") + interfaceName;
            break;
    }
    // The box's texts are built in 256 characters, as every message of the program.
    if (message.text.size() > 255) message.text.resize(255);
    return message;
}

std::string RestartFailureReason(std::uint32_t code) {
    switch (code) {
        case kRestartNotPresent:
            return "it is not present";
        case kRestartAccessDenied:
            return "administrator rights are needed";
        case kRestartHelperMissing:
            return "Nicset64.exe is missing";
        default:
            return Hex("error 0x%08X", code);
    }
}

#include "ui/ApplyFlow.h"

namespace {

ApplyReport Elevate(ApplyPlatform& platform, const AdapterEntry& adapter,
                    const Configuration& configuration, bool restart) {
    ElevatedApply order;
    order.classSubkey = adapter.classSubkey;
    order.interfaceGuid = InterfaceGuidOf(adapter.interfaceKey);
    order.interfaceName = adapter.description;
    order.configuration = configuration;
    order.restart = restart;
    ApplyReport report;
    report.restartAsked = restart;
    // A card the copy could not tell from the others is not handed to it.
    if (!IsRestartSubkey(order.classSubkey.c_str()) || !IsInterfaceGuid(order.interfaceGuid)) {
        report.end = ApplyEnd::kInterfaceNotFound;
        return report;
    }
    const ElevatedRun run = platform.RunElevated(ElevatedChildLine(order));
    switch (run.how) {
        case ElevatedRun::How::kEnded:
            return ReportOfChildExit(run.code, restart);
        case ElevatedRun::How::kLost:
            // It ran: anything may have been written.
            report.end = ApplyEnd::kPartlyChanged;
            return report;
        case ElevatedRun::How::kNotStarted:
            report.end =
                run.code == kCancelledCode ? ApplyEnd::kRightsNotGiven : ApplyEnd::kRightsNotHad;
            report.code = run.code;
            return report;
    }
    return report;
}

}  // namespace

ApplyReport RunApply(Registry& registry, const PlatformProfile& profile, ApplyPlatform& platform,
                     ApplyRoute route, const AdapterEntry& adapter,
                     const Configuration& configuration, bool restart) {
    if (!PassesApplyChecks(profile, adapter, configuration)) return ReportOf(ApplyResult::kRefused);
    if (route == ApplyRoute::kElevate) return Elevate(platform, adapter, configuration, restart);

    ApplyReport report =
        ReportOf(ApplyInterfaceSettings(registry, profile, adapter, configuration));
    // A failed apply restarts nothing.
    if (report.end != ApplyEnd::kApplied || !restart) return report;
    report.restartAsked = true;
    // The "98" family reads the values again only when Windows starts.
    report.code =
        IsNtFamily(profile) ? platform.RestartInterface(adapter.classSubkey) : kRestartNeedsReboot;
    return report;
}

bool ApplyIsQuick(const PlatformProfile& profile, ApplyRoute route, bool restart) {
    return !IsNtFamily(profile) || (route == ApplyRoute::kInProcess && !restart);
}

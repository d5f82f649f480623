#include "ui/ApplyCheck.h"

bool AwaitsLiveCheck(const ApplyReport& report) {
    return report.end == ApplyEnd::kApplied && report.restartAsked && report.code == kRestartDone;
}

void CheckLiveUse(ApplyPlatform& platform, const AdapterEntry& adapter,
                  const Configuration& configuration, ApplyReport& report) {
    if (AwaitsLiveCheck(report)) report.live = platform.CheckLiveUse(adapter, configuration);
}

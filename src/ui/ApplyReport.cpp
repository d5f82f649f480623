#include "ui/ApplyReport.h"

#include <cstdio>

#include "ui/UiServices.h"

namespace {

constexpr const char kApplyFailed[] =
    "An error has happened, changes weren't applied.\nVerify inserted fields.";
constexpr const char kMayBeChanged[] = "\nSome settings may have been changed.";
// Not the fields: rights are what is missing.
constexpr const char kRightsNeeded[] = "Changes weren't applied: administrator rights are needed";
constexpr const char kApplied[] = "Changes successfully applied\n";
// "Interfaz" is the program's own text, as its users know it; left as it is.
constexpr const char kRestartInterface[] = "Reboot the Interfaz";
constexpr const char kRestartWindows[] = "Reboot Windows";

}  // namespace

void ShowApplyResult(HWND owner, const PlatformProfile& profile, ApplyResult result) {
    char message[256];
    if (result == ApplyResult::kAccessDenied) {
        ShowError(owner, kRightsNeeded);
        return;
    }
    if (ApplyFailed(result)) {
        std::snprintf(message, sizeof(message), "%s%s", kApplyFailed,
                      result == ApplyResult::kPartlyChanged ? kMayBeChanged : "");
        ShowError(owner, message);
        return;
    }
    std::snprintf(message, sizeof(message), "%s%s", kApplied,
                  IsNtFamily(profile) ? kRestartInterface : kRestartWindows);
    ShowMessage(owner, message, kCompleteTitle, MB_ICONINFORMATION);
}

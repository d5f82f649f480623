#include "ui/TrayPresence.h"

TrayIconState TrayStateAfterTry(bool taken, unsigned elapsedMs) {
    if (taken) return TrayIconState::kShown;
    return elapsedMs >= kTrayRetryForMs ? TrayIconState::kLost : TrayIconState::kTrying;
}

TrayWindowAction TrayWindowActionFor(TrayIconState icon, bool minimized, bool hidden) {
    switch (icon) {
        case TrayIconState::kShown:
            return minimized && !hidden ? TrayWindowAction::kHide : TrayWindowAction::kNone;
        case TrayIconState::kLost:
            return hidden ? TrayWindowAction::kShowMinimized : TrayWindowAction::kNone;
        case TrayIconState::kTrying:
            break;
    }
    return TrayWindowAction::kNone;
}

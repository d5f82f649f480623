// An Apply that waits (for a restart, or for the elevated copy and Windows'
// prompt) runs on a worker thread of its own, so that the window stays alive.
// The worker gets a copy of everything it works on and hands back one thing,
// the report, in the one message it posts when it ends.
#pragma once

#include <windows.h>

#include <memory>

#include "adapter/Interfaces.h"
#include "adapter/PlatformProfile.h"
#include "config/Configuration.h"
#include "ui/ApplyFlow.h"
#include "ui/ApplyReport.h"

struct ApplyJob {
    PlatformProfile profile;
    AdapterEntry adapter{};
    Configuration configuration{};
    bool restart = false;
    ApplyRoute route = ApplyRoute::kInProcess;
    ApplyReport report;  // the worker's answer
};

// Starts `job` on a worker thread, which posts `doneMessage` to `window` with
// the job as its lParam when the Apply has ended; the receiver takes the job
// back with TakeApplyJob. False, with the job given back, when no thread
// could be started. Only on the "NT" family: the "98" family runs one thread.
// Before it, when the restart went through, the worker posts `doneMessage`
// once with this wParam (and the job as lParam, still the worker's): the
// check that Windows uses the values begins.
constexpr WPARAM kApplyCheckBegins = 1;

bool StartApplyWorker(HWND window, UINT doneMessage, std::unique_ptr<ApplyJob>& job);

std::unique_ptr<ApplyJob> TakeApplyJob(LPARAM lParam);

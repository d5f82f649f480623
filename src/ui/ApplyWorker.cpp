#include "ui/ApplyWorker.h"

#include <new>

#include "adapter/Win32Registry.h"
#include "ui/ApplyCheck.h"
#include "ui/SystemApply.h"

namespace {

struct Worker {
    HWND window;
    UINT doneMessage;
    ApplyJob* job;
};

DWORD WINAPI RunWorker(LPVOID parameter) {
    std::unique_ptr<Worker> worker(static_cast<Worker*>(parameter));
    std::unique_ptr<ApplyJob> job(worker->job);
    Win32Registry registry;
    SystemApplyPlatform platform(worker->window, job->profile);
    job->report = RunApply(registry, job->profile, platform, job->route, job->adapter,
                           job->configuration, job->restart);
    if (AwaitsLiveCheck(job->report)) {
        PostMessageA(worker->window, worker->doneMessage, kApplyCheckBegins,
                     reinterpret_cast<LPARAM>(job.get()));
        CheckLiveUse(platform, job->adapter, job->configuration, job->report);
    }
    // The window owns the job once the message is posted; if the window is
    // gone, nobody does.
    if (PostMessageA(worker->window, worker->doneMessage, 0, reinterpret_cast<LPARAM>(job.get())))
        job.release();
    return 0;
}

}  // namespace

bool StartApplyWorker(HWND window, UINT doneMessage, std::unique_ptr<ApplyJob>& job) {
    Worker* worker = new (std::nothrow) Worker{window, doneMessage, job.get()};
    if (worker == nullptr) return false;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, RunWorker, worker, 0, &id);
    if (thread == nullptr) {
        delete worker;
        return false;
    }
    job.release();
    CloseHandle(thread);
    return true;
}

std::unique_ptr<ApplyJob> TakeApplyJob(LPARAM lParam) {
    return std::unique_ptr<ApplyJob>(reinterpret_cast<ApplyJob*>(lParam));
}

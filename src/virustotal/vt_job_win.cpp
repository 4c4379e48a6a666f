#include "virustotal/vt_job_win.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "foundation/handles.h"
#include "ui/drawing.h"
#include "virustotal/progress_window_win.h"

namespace scrutor {

namespace {

constexpr DWORD kTargetCheckMs = 50;

struct Job {
    std::unique_ptr<JobWork> work;
    bool showWindow = false;
    HWND target = nullptr;
    CancelFlag cancelled{false};
};

// The jobs still running, so that the program can end them before it exits: ExitProcess
// would otherwise stop their threads wherever they stand.
struct JobList {
    std::mutex lock;
    std::vector<std::pair<Job*, HandleHolder>> running;  // the job and its thread
    bool closing = false;
};

JobList& Jobs() {
    static JobList list;
    return list;
}

// The job's own thread handle goes with its entry; a thread may close its own handle.
void Forget(const Job* job) {
    JobList& list = Jobs();
    const std::lock_guard guard(list.lock);
    auto it = std::find_if(list.running.begin(), list.running.end(),
                           [job](const auto& entry) { return entry.first == job; });
    if (it != list.running.end()) list.running.erase(it);
}

class NoStatus final : public StatusSink {
public:
    void SetStatus(const WideString&) override {}
};

struct WorkerStart {
    JobWork& work;
    StatusSink& status;
    const CancelFlag& cancelled;
    int result = 0;
};

DWORD WINAPI WorkerThread(LPVOID parameter) {
    auto& start = *static_cast<WorkerStart*>(parameter);
    try {
        start.result = start.work.Run(start.status, start.cancelled);
    } catch (...) {
        start.result = 0;  // nothing may leave a thread procedure
    }
    return 0;
}

// Sleeps until the worker ends or a message arrives, so a waiting job costs no processor
// time; a target window is looked at every few tens of milliseconds.
void Pump(Job& job, ProgressWindow& window, HANDLE worker) {
    ui::EventRecord& record = window.Events();
    const DWORD wait = job.target != nullptr ? kTargetCheckMs : INFINITE;
    for (;;) {
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &worker, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) return;
        if (woken == WAIT_FAILED) break;
        MSG peek;
        while (record.Pending() || PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (ui::GetEvent(record, true) != 0 && window.OnEvent(record.Current())) {
                job.cancelled = true;
            }
        }
        if (job.target != nullptr && !IsWindow(job.target)) job.cancelled = true;
    }
    job.cancelled = true;
    WaitForSingleObject(worker, INFINITE);
}

void RunJob(Job& job) {
    const ULONG_PTR gdiplus = ui::StartGdiplus();
    {
        ProgressWindow window;
        NoStatus silent;
        StatusSink& status =
            job.showWindow && window.Open() ? static_cast<StatusSink&>(window) : silent;
        WorkerStart start{*job.work, status, job.cancelled};
        HandleHolder worker(CreateThread(nullptr, 0, WorkerThread, &start, 0, nullptr));
        if (worker) Pump(job, window, worker.Get());
        window.Close();
        job.work->Ended(worker ? start.result : 0, job.cancelled);
        job.work.reset();
    }
    ui::StopGdiplus(gdiplus);
}

DWORD WINAPI JobThread(LPVOID parameter) {
    std::unique_ptr<Job> job(static_cast<Job*>(parameter));
    try {
        RunJob(*job);
    } catch (...) {
        // nothing may leave a thread procedure
    }
    Forget(job.get());
    return 0;
}

}  // namespace

bool StartJob(std::unique_ptr<JobWork> work, bool showWindow, HWND target) {
    if (!work) return false;
    auto job = std::make_unique<Job>();
    job->work = std::move(work);
    job->showWindow = showWindow;
    job->target = target;
    JobList& list = Jobs();
    const std::lock_guard guard(list.lock);
    if (list.closing) return false;
    list.running.reserve(list.running.size() + 1);  // listing it cannot fail once it exists
    // Suspended until listed, so that it cannot end before it is known.
    HandleHolder thread(CreateThread(nullptr, 0, JobThread, job.get(), CREATE_SUSPENDED, nullptr));
    if (!thread) return false;
    HANDLE started = thread.Get();
    list.running.emplace_back(job.release(), std::move(thread));
    ResumeThread(started);
    return true;
}

bool EndJobs(DWORD timeoutMs) {
    std::vector<HandleHolder> threads;
    {
        JobList& list = Jobs();
        const std::lock_guard guard(list.lock);
        list.closing = true;
        for (auto& [job, thread] : list.running) {
            job->cancelled = true;
            HandleHolder copy;
            if (DuplicateHandle(GetCurrentProcess(), thread.Get(), GetCurrentProcess(), copy.Out(),
                                SYNCHRONIZE, FALSE, 0)) {
                threads.push_back(std::move(copy));
            }
        }
    }
    const DWORD end = GetTickCount() + timeoutMs;
    bool all = true;
    for (const HandleHolder& thread : threads) {
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(end - now) > 0 ? end - now : 0;
        all = WaitForSingleObject(thread.Get(), left) == WAIT_OBJECT_0 && all;
    }
    return all;
}

}  // namespace scrutor

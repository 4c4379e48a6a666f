#pragma once

#include <windows.h>

#include <memory>

#include "virustotal/api_client.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

// The work of one job, run on a worker thread of its own.
class JobWork {
public:
    virtual ~JobWork() = default;
    // On the worker: the analysis; it reports through `status` and watches `cancelled`.
    virtual int Run(StatusSink& status, const CancelFlag& cancelled) = 0;
    // On the job thread once the window is gone, e.g. to say why no report came.
    virtual void Ended(int result, bool cancelled) { (void)result, (void)cancelled; }
};

// Starts a job thread that shows the progress window (when asked), runs the work on a
// worker and ends when the work does; returns at once. A `target` window that goes away
// cancels the job. False when no thread could be started, or once EndJobs has run.
[[nodiscard]] bool StartJob(std::unique_ptr<JobWork> work, bool showWindow, HWND target);

// For the program's exit: cancels every running job and waits up to `timeoutMs` for
// their threads to finish (Ended included); true when all did. No job starts afterwards.
bool EndJobs(DWORD timeoutMs);

}  // namespace scrutor

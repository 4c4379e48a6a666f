#include "virustotal/virustotal_job_win.h"

#include <memory>

#include "foundation/browser.h"
#include "foundation/win_text.h"
#include "virustotal/vt_engine.h"
#include "virustotal/detection_notice_win.h"
#include "virustotal/file_facts_win.h"
#include "virustotal/registry_cache_win.h"
#include "virustotal/run_reports.h"
#include "virustotal/vt_job_win.h"
#include "virustotal/winhttp_transport_win.h"
#include "virustotal/write_report_win.h"

namespace scrutor {

namespace {

// Analyse the items and write the report; tell the maker of heavy detections; show the
// progress window; items carry their hashes.
constexpr std::uint32_t kJobFlags = 0x6600;
constexpr std::uint32_t kSendNotices = 0x2000;
constexpr const char16_t* kFirstStatus = u"Creating the VirusTotal report of the requested items...";
constexpr const char16_t* kTitle = u"VirusTotal analysis";

class VtJob final : public JobWork {
public:
    VtJob(WideString items, VirusTotalSettings settings)
        : items_(std::move(items)), settings_(std::move(settings)) {}

    int Run(StatusSink& status, const CancelFlag& cancelled) override {
        if (items_.IsEmpty()) return 0;
        const Win32FileFacts files;
        WinHttpTransport transport(settings_.apiBase);
        const DayNumber today = LocalToday();
        RegistryReportStore lasting(today, [&transport] { return transport.Connected(); });
        RunReports reports(lasting);
        RegistryRunRecord run;
        ReportServiceNotice notice(settings_.reportService, cancelled);
        ApiClient client({transport, reports, cancelled, &status,
                          (kJobFlags & kSendNotices) != 0 ? &notice : nullptr, WaitForQuota},
                         settings_.apiKey);
        VtEngine analysis({files, reports, run, client, &status}, kJobFlags, kFirstStatus);
        std::vector<WideString> itemList;
        (void)analysis.AnalyzeItems(items_, u"|", itemList);
        problem_ = client.Problem();
        // Without a key every verdict would read "Not available": say so instead.
        if (cancelled || settings_.apiKey.IsEmpty()) return 0;
        ReportContext context{reports, run, files, today, kJobFlags};
        ReportPage page;
        page.homePage = settings_.homePage;
        page.rescanService = settings_.rescanService;
        const ReportTarget target{settings_.logoPath, WideString(), analysis.AnyResult()};
        const WrittenReport written = WriteReport(itemList, target, context, page, cancelled);
        if (written.result <= 0) return 0;
        // The maker's browser beside the program is used even when the user turned it off
        // for help pages: the report is a local file it shows best.
        (void)OpenUrl(written.path, kPreferVistro);
        return 1;
    }

    void Ended(int result, bool cancelled) override {
        if (cancelled || result > 0) return;
        WideString text = problem_;
        if (text.IsEmpty()) {
            text = u"No VirusTotal report was written: none of the selected items could be "
                   u"analysed.";
        }
        MessageBoxW(nullptr, AsWide(text),
                    AsWide(kTitle),
                    MB_OK | MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND);
    }

private:
    WideString items_;
    VirusTotalSettings settings_;
    WideString problem_;  // written by the worker, read once it has ended
};

}  // namespace

bool StartVirusTotalReport(const WideString& items, const VirusTotalSettings& settings) {
    if (items.IsEmpty()) return false;
    return StartJob(std::make_unique<VtJob>(items, settings), true, nullptr);
}

}  // namespace scrutor

#include "virustotal/detection_notice_win.h"

#include "foundation/crypto.h"
#include "foundation/download.h"
#include "foundation/percent_encoding.h"

namespace scrutor {

namespace {

constexpr DWORD kPollMs = 10;  // a wait, not a spin: the worker has nothing else to do

}  // namespace

void ReportServiceNotice::Send(const WideString& key, const WideString& type) {
    WideString encrypted;
    if (key.IsEmpty() || !EncryptText(type.CStr(), encrypted)) return;
    WideString url = base_;
    url.Append(u"/zep/md5_vreports/index.php?md5=", PercentEncode(key), u"&type=", encrypted);
    const DownloadOwner job(StartDownload(url.CStr()));
    if (!job) return;
    while (!cancelled_ && DownloadStatus(job.get(), kStatusEnded) == 0) Sleep(kPollMs);
}

}  // namespace scrutor

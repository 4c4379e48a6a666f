#include "virustotal/write_report_win.h"

#include <windows.h>

#include <shlwapi.h>

#include "foundation/crypto.h"
#include "foundation/text_file.h"
#include "foundation/win_text.h"
#include "ui/drawing.h"

namespace scrutor {

namespace {

constexpr DWORD kPathUnits = 1024;
// Beyond this many reports open at once, a job gives up rather than searching on.
constexpr int kMostNumberedReports = 100;
constexpr std::uint32_t kReportMode = kFileTruncate | kFileExclusive | kFileMakeDirs | kFileUtf8Bom;

WideString DefaultReportPath() {
    wchar_t temp[kPathUnits + 1] = {};
    const DWORD length = GetTempPathW(kPathUnits, temp);
    if (length == 0 || length > kPathUnits) return {};
    wchar_t longForm[kPathUnits + 1] = {};
    const DWORD longLength = GetLongPathNameW(temp, longForm, kPathUnits);
    WideString path(FromWide(longLength != 0 && longLength <= kPathUnits ? longForm : temp));
    path.Append(kReportFileName);
    return path;
}

// "C:\x\MD5Report.htm" -> "C:\x\MD5Report (2).htm".
WideString NumberedPath(const WideString& path, int number) {
    WideString count;
    count.FromInt32(number);
    WideString numbered;
    const std::size_t slash = path.Find(u"\\", true, -1);
    const std::size_t dot = path.Find(u".", true, -1);
    if (dot == 0 || dot < slash) {
        numbered.Assign(path, u" (", count, u")");
        return numbered;
    }
    WideString stem = path;
    (void)stem.Left(static_cast<std::int64_t>(dot) - 1);
    numbered.Assign(stem, u" (", count, u")", path.PointerAt(static_cast<std::int64_t>(dot)));
    return numbered;
}

// A file still open in another job's hands is left to it: this job takes the next free number.
bool CreateReportFile(const WideString& path, TextFile& file, WideString& created) {
    for (int number = 1; number <= kMostNumberedReports; ++number) {
        created = number == 1 ? path : NumberedPath(path, number);
        if (file.Open(created.CStr(), kReportMode) != nullptr) return true;
        if (GetLastError() != ERROR_SHARING_VIOLATION) return false;
    }
    return false;
}

// The logo's file URL and, when GDI+ reads it, its own size.
void DescribeLogo(const WideString& logoPath, ReportPage& page) {
    if (logoPath.IsEmpty()) return;
    wchar_t url[kPathUnits + 1] = {};
    DWORD size = kPathUnits;
    if (SUCCEEDED(UrlCreateFromPathW(AsWide(logoPath), url, &size, 0))) {
        page.logoUrl = FromWide(url);
    }
    const ULONG_PTR gdiplus = ui::StartGdiplus();
    {
        const ui::GdipBitmap image = ui::GdipBitmap::FromFile(logoPath.CStr());
        if (image && image.Width() > 0 && image.Height() > 0) {
            page.logoWidth = image.Width();
            page.logoHeight = image.Height();
        }
    }
    ui::StopGdiplus(gdiplus);
}

void Discard(TextFile& file, const WideString& path) {
    file.Close();
    (void)DeleteFileW(AsWide(path));
}

}  // namespace

WrittenReport WriteReport(const std::vector<WideString>& itemList, const ReportTarget& target,
                          ReportContext& context, ReportPage page, const CancelFlag& cancelled) {
    WrittenReport written;
    if (itemList.empty() || !target.anyResult) return written;
    written.result = 0;
    const WideString path = target.reportPath.IsEmpty() ? DefaultReportPath() : target.reportPath;
    TextFile file;
    WideString created;
    if (path.IsEmpty() || !CreateReportFile(path, file, created)) return written;
    if (cancelled.load()) {
        Discard(file, created);
        return written;
    }
    DescribeLogo(target.logoPath, page);
    if (!page.encrypt) {
        page.encrypt = [](const WideString& text, WideString& hex) {
            return EncryptText(text.CStr(), hex);
        };
    }
    const ReportHtml html = BuildReportHtml(itemList, context, page);
    // A half-written page would pass for a whole one: no file is better.
    if (file.WriteString(html.text) == 0 || !file.Flush()) {
        Discard(file, created);
        return written;
    }
    file.Close();
    written.result = html.blocks;
    written.path = created;
    return written;
}

}  // namespace scrutor

#include "virustotal/vt_report.h"

#include <string>
#include <string_view>

#include "foundation/percent_encoding.h"

namespace scrutor {

namespace {

constexpr const char16_t* kHead[] = {
    u"<html><head>",
    u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
    u"<meta http-equiv=\"Content-Language\" content=\"en-us\">",
    u"<title>VirusTotal MD5 Report</title>",
    u"<style type=\"text/css\">",
    u"body {font-family: Arial;color:#000000;text-align:center}",
    u".maintable {border:1px black solid;width:800px;margin:0 auto;border-radius:6px;}",
    u".maintable td {padding:0 10px 0 10px;border:0;text-align:left}",
    u".headercell {height:104px;width:100%;padding:0;margin:0}",
    u".subtable {border:3px black solid;width:100%;background:white;border-radius:4px;}",
    u".subtable tr:hover {background:#99FFCC}",
    u".subtable td {border:1px black solid;font-size:10pt;padding:2px;}",
    u".h104 {min-height:104px;}",
    u".groupcolor1 {background:white}",
    u".guibkcolor {background:#808080;",
    u"filter: progid:DXImageTransform.Microsoft.gradient( startColorstr='#808080', "
    u"endColorstr='#FFFFFF', GradientType=0);",
    u"background: linear-gradient(to bottom, #808080 0%, #FFFFFF 100%)}",
    u".f10pt {font-size: 10pt;}",
    u".f12pt {font-size: 12pt;}",
    u".f18pt {font-size: 18pt;}",
    u".mt20 {margin-top:20px}",
    u".center {text-align:center;}",
    u".vtop {vertical-align:top;}",
    u".filecell {vertical-align:bottom;width:100%}",
    u".filecell p, .subtable th {background:#236;color:white;padding:8px;line-height:20px}",
    u".w270 {width:270px;}",
    u".w330 {width:330px;}",
    u".w120 {width:120px;}",
    u".green {color:green;}",
    u".red {color:red;}",
    u".w100 {display:inline-block; min-width:105px}",
    u"a.vt {color:white;}",
    u"a.vt:hover {color:#9fc;}",
};

constexpr const char16_t* kResultLabel = u"<span class=\"w100\">&nbsp;Analysis result:</span> ";
constexpr const char16_t* kHashLabel = u"<span class=\"w100\">&nbsp;MD5 hash:</span> ";
constexpr const char16_t* kPermalinkLabel = u"<span class=\"w100\">&nbsp;Permalink:</span> ";
constexpr const char16_t* kBlockEnd = u"<br></td></tr>";

// Fixed fragments go out as they are; every text from a file name, a URL or the service is
// escaped, so a name like "<script>" shows as text instead of running.
class HtmlWriter {
public:
    void Raw(std::u16string_view text) { out_.append(text); }
    void Text(std::u16string_view text) {
        for (const char16_t unit : text) {
            switch (unit) {
                case u'&':
                    out_.append(u"&amp;");
                    break;
                case u'<':
                    out_.append(u"&lt;");
                    break;
                case u'>':
                    out_.append(u"&gt;");
                    break;
                case u'"':
                    out_.append(u"&quot;");
                    break;
                case u'\'':
                    out_.append(u"&#39;");
                    break;
                default:
                    out_.push_back(unit);
            }
        }
    }
    void Text(const WideString& text) { Text(text.View()); }
    void Number(std::int64_t value) {
        WideString text;
        text.FromInt64(value);
        Raw(text.View());
    }
    [[nodiscard]] WideString Take() const { return WideString(std::u16string_view(out_)); }

private:
    std::u16string out_;
};

bool StartsWith(const WideString& text, std::u16string_view prefix, bool caseSensitive) {
    return text.Length() >= prefix.size() &&
           text.Find(std::u16string(prefix).c_str(), caseSensitive, 1, 1, prefix.size()) == 1;
}

// Only a web address becomes a link: anything else in an href could run script.
bool IsWebAddress(const WideString& text) {
    return StartsWith(text, u"http://", false) || StartsWith(text, u"https://", false);
}

struct ItemNames {
    WideString display;  // as shown
    WideString lookup;   // the name the analysis recorded it under
    bool url = false;
};

ItemNames NamesOf(const WideString& item, std::uint32_t flags) {
    ItemNames names{item, {}, false};
    if (flags & kItemsCarryHashes) {
        const std::size_t arrow = names.display.Find(u"->");
        if (arrow != 0) (void)names.display.Left(static_cast<std::int64_t>(arrow) - 1);
    }
    names.url = StartsWith(names.display, u"http", true);
    if (!names.url && StartsWith(names.display, u"\\\\?\\", true)) {
        (void)names.display.RemoveLeft(4);
    }
    names.lookup = names.display;
    // The analysis records such a URL cut before its query, and so it is looked up.
    const std::size_t query = names.lookup.Find(u"?");
    if (names.url && query != 0 && names.lookup.Find(u"{") != 0) {
        (void)names.lookup.Left(static_cast<std::int64_t>(query) - 1);
    }
    return names;
}

void WriteBanner(HtmlWriter& out, const ReportPage& page) {
    out.Raw(u"img {border:0;margin:10px;float:left;width:");
    out.Number(page.logoWidth);
    out.Raw(u"px;height:");
    out.Number(page.logoHeight);
    out.Raw(
        u"px}\r\n</style></head><body>\r\n<table class=\"maintable groupcolor1\"><tr>\r\n"
        u"<td class=\"headercell guibkcolor\">\r\n<img alt=\"\" src=\"");
    out.Text(page.logoUrl);
    out.Raw(u"\">\r\n<p class=\"f18pt center mt20\"><a class=\"vt\" target=\"_blank\" href=\"");
    out.Text(page.homePage);
    out.Raw(
        u"\"><b>VirusTotal</b></a>\r\n"
        u"<p class=\"center f12pt\"><b>VT API multiple report</b></p></td></tr>\r\n");
}

// An item the analysis found no hash for: the reason instead of a verdict.
void WriteWithoutHash(HtmlWriter& out, const ItemNames& names, const FileFacts& files) {
    std::uint64_t bytes = 0;
    const char16_t* reason = u"Not available";
    if (!names.url && !files.Exists(names.display)) {
        reason = u"File not found";
    } else if (!names.url && files.Size(names.display, bytes) && bytes > kLargestHashedFile) {
        reason = u"File > 128 MB";
    } else if (WideString hash; !names.url && files.Md5(names.display, hash)) {
        out.Raw(kHashLabel);
        out.Text(hash);
        out.Raw(u"<br>\r\n");
    }
    out.Raw(kResultLabel);
    out.Raw(reason);
    out.Raw(u"</p>\r\n");
}

void WriteRescanLink(HtmlWriter& out, const WideString& value, bool url, const ReportPage& page) {
    WideString key;
    if (!page.encrypt || !page.encrypt(value, key)) return;
    out.Raw(u". Dont't trust this result? <a class=\"vt\" href=\"");
    out.Text(page.rescanService);
    out.Raw(u"/vt_rescan.php?hash=");
    out.Raw(PercentEncode(value).View());
    out.Raw(u"&key=");
    out.Raw(PercentEncode(key).View());
    out.Raw(url ? u"\"><b>Rescan URL</b></a>" : u"\"><b>Rescan file</b></a>");
}

void WritePermalink(HtmlWriter& out, const WideString& permalink, const ReportPage& page) {
    out.Raw(kPermalinkLabel);
    if (!IsWebAddress(permalink)) {
        out.Text(permalink);
        return;
    }
    out.Raw(u"<a class=\"vt\" target=\"_blank\" href=\"");
    out.Text(permalink);
    out.Raw(u"\">");
    out.Text(page.homePage);
    out.Raw(u"...</a>");
}

void WriteAge(HtmlWriter& out, std::int32_t days) {
    if (days == 0) {
        out.Raw(u"today");
    } else if (days == 1) {
        out.Raw(u"yesterday");
    } else {
        out.Number(days);
        out.Raw(u" days ago");
    }
}

void WriteEngineRows(HtmlWriter& out, const VtReport& report, bool detections) {
    for (const VtEngineVerdict& engine : report.engines) {
        if ((engine.verdict == u"Clean") == detections) continue;
        out.Raw(u"<tr><td>");
        out.Text(engine.name);
        out.Raw(detections ? u"</td>\r\n<td class=\"red center\">"
                           : u"</td>\r\n<td  class=\"green center\">");
        out.Text(engine.verdict);
        out.Raw(u"</td>\r\n<td class=\"center\">");
        out.Text(engine.update);
        out.Raw(u"</td></tr>\r\n");
    }
}

void WriteEngineTable(HtmlWriter& out, const VtReport& report, const ReportPage& page) {
    out.Raw(u"<br><span class=\"w100\">&nbsp;Analysis date:</span> ");
    out.Text(report.scanDate);
    out.Raw(u" (");
    WriteAge(out, report.ageDays);
    out.Raw(u").<br>\r\n");
    WritePermalink(out, report.permalink, page);
    out.Raw(
        u"</p>\r\n<table class=\"subtable\">\r\n<tr><th class=\"w330\">  Antivirus / Firewall</th>"
        u"\r\n<th class=\"w330\">  Scan result</th>\r\n<th class=\"w120\">  AV update</th></tr>"
        u"\r\n");
    WriteEngineRows(out, report, true);
    WriteEngineRows(out, report, false);
    out.Raw(u"</table>\r\n");
}

void WriteWithHash(HtmlWriter& out, const ItemNames& names, const WideString& hash,
                   ReportContext& context, const ReportPage& page) {
    out.Raw(kHashLabel);
    out.Text(hash);
    out.Raw(u"<br>\r\n");
    WideString json;
    const bool read = context.store.Read(hash, json);
    // A hash without a report says "Not available", not an empty verdict on green.
    const ResultLine verdict = ResultTextOf(names.lookup, read ? &json : nullptr, context);
    out.Raw(kResultLabel);
    out.Raw(u"<span style=\"background:");
    out.Raw(verdict.positives > 3 ? u"red\">" : u"green\">&nbsp;");
    out.Raw(verdict.text.View());  // numbers and fixed words only
    out.Raw(u"&nbsp;</span>");
    VtReport report;
    if (read) (void)ParseReport(json, false, context.today, report);
    if (report.total > 0) WriteRescanLink(out, names.url ? names.lookup : hash, names.url, page);
    if (!report.engines.empty()) {
        WriteEngineTable(out, report, page);
        return;
    }
    if (!report.permalink.IsEmpty()) {
        out.Raw(u"<br>");
        WritePermalink(out, report.permalink, page);
        out.Raw(u"\r\n");
    }
    out.Raw(u"</p>");
}

void WriteItem(HtmlWriter& out, const WideString& item, ReportContext& context,
               const ReportPage& page) {
    const ItemNames names = NamesOf(item, context.flags);
    out.Raw(u"<tr><td class=\"filecell f10pt\">\r\n<p>");
    out.Raw(names.url ? u"&nbsp;URL: " : u"<span class=\"w100\">&nbsp;File:</span> ");
    out.Text(names.display);
    out.Raw(u"<br>\r\n");
    WideString hash;
    if (context.run.Get(names.lookup, hash) && !hash.IsEmpty()) {
        WriteWithHash(out, names, hash, context, page);
    } else {
        WriteWithoutHash(out, names, context.files);
    }
    out.Raw(kBlockEnd);
}

}  // namespace

ReportHtml BuildReportHtml(const std::vector<WideString>& items, ReportContext& context,
                           const ReportPage& page) {
    HtmlWriter out;
    for (const char16_t* line : kHead) {
        out.Raw(line);
        out.Raw(u"\r\n");
    }
    WriteBanner(out, page);
    ReportHtml html;
    for (const WideString& item : items) {
        WriteItem(out, item, context, page);
        ++html.blocks;
    }
    out.Raw(u"<tr><td><p><b> End of the global report. ");
    if (html.blocks == 1) {
        out.Raw(u"One item ");
    } else {
        out.Number(html.blocks);
        out.Raw(u" items ");
    }
    out.Raw(u"analyzed.</b></p>\r\n</td></tr></table></body></html>\r\n");
    html.text = out.Take();
    return html;
}

}  // namespace scrutor

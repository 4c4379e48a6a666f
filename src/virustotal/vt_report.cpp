#include "virustotal/vt_report.h"

#include <limits>

#include "foundation/json_reader.h"
#include "foundation/regex.h"

namespace scrutor {

namespace {

// Days from 1970-01-01 to 1601-01-01.
constexpr std::int64_t kDaysBefore1970 = 134774;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

std::int32_t ClampToInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

int NumberAt(const WideString& text, std::int64_t start, std::int64_t count) {
    WideString part;
    if (!part.Mid(text.CStr(), start, count)) return 0;
    return part.ToInt();
}

// The age of "YYYY-MM-DD..." as its digits stand; a garbled date gives a garbled age, never
// an overflow.
std::int32_t AgeOf(const WideString& scanDate, DayNumber today) {
    const DayNumber day =
        DayNumberOf(NumberAt(scanDate, 1, 4), NumberAt(scanDate, 6, 2), NumberAt(scanDate, 9, 2));
    return ClampToInt32(today - day);
}

class ReportReader {
public:
    ReportReader(const WideString& json, VtReport& report) : report_(report) {
        doc_.Open(json.CStr());
    }

    [[nodiscard]] bool IsObject() const {
        JsonValue root;
        return doc_.Root(root) && root.type == kJsonObject;
    }
    int Text(const char16_t* name, WideString& text, const JsonValue* parent = nullptr) {
        return doc_.MemberText(parent, name, text);
    }
    [[nodiscard]] std::int32_t Number(const char16_t* name) {
        WideString text;
        return Text(name, text) != kJsonNone ? text.ToLong() : 0;
    }
    void ReadResource() {
        if (Text(u"md5", report_.resource) == kJsonNone &&
            Text(u"url", report_.resource) == kJsonNone) {
            (void)Text(u"resource", report_.resource);
        }
    }
    void ReadEngines();

private:
    void ReadEngine(const JsonValue& engine, const RegexCode& datePattern);

    JsonDocument doc_;
    VtReport& report_;
};

void ReportReader::ReadEngines() {
    JsonValue scans;
    if (!doc_.FindMember(u"scans", scans) || scans.type != kJsonObject) return;
    const RegexCode datePattern = CompileRegex(u"(\\d{4})(\\d{2})(\\d{2})", 0);
    JsonValue engine;
    while (static_cast<std::int64_t>(report_.engines.size()) < report_.total &&
           doc_.NextMember(engine, &scans)) {
        ReadEngine(engine, datePattern);
    }
}

void ReportReader::ReadEngine(const JsonValue& engine, const RegexCode& datePattern) {
    VtEngineVerdict verdict;
    (void)doc_.MemberName(engine, verdict.name);
    WideString detected;
    (void)Text(u"detected", detected, &engine);
    (void)Text(u"result", verdict.verdict, &engine);
    if (!(detected == u"true") || verdict.verdict == u"null") verdict.verdict = u"Clean";
    (void)Text(u"update", verdict.update, &engine);
    if (verdict.update.Length() >= 8) {
        if (datePattern) (void)SubstituteAll(verdict.update, datePattern.Get(), u"$1-$2-$3");
    } else {
        verdict.update.Clear();
    }
    report_.engines.push_back(std::move(verdict));
}

// A partner report has no response code: "found" and "hash" stand for it.
std::int32_t PartnerCode(ReportReader& reader, VtReport& report) {
    WideString found;
    if (reader.Text(u"found", found) == kJsonNone) return -5;
    if (!(found == u"true")) return 0;
    WideString hash;
    (void)reader.Text(u"hash", hash);
    if (hash.Length() <= 30) return -5;
    report.resource = hash;
    return 1;
}

WideString RatioText(const VtReport& report) {
    WideString ratio;
    ratio.FromDouble(report.ratio);
    (void)ratio.Left(4);
    WideString positives;
    WideString total;
    positives.FromInt32(report.positives);
    total.FromInt32(report.total);
    WideString text;
    text.Assign(positives, u"/", total, u" (", ratio, u"%)");
    return text;
}

WideString Unavailable(const WideString& item, const FileFacts& files) {
    std::uint64_t bytes = 0;
    if (files.Size(item, bytes) && bytes > kLargestHashedFile) return WideString(u"File > 128 MB");
    return WideString(u"Not available");
}

}  // namespace

DayNumber DayNumberOf(int year, int month, int day) {
    // Months outside 1-12 roll into neighbouring years rather than reading past a table.
    const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
    std::int64_t y = static_cast<std::int64_t>(year) + FloorDivide(monthIndex, 12);
    const std::int64_t m = monthIndex - 12 * FloorDivide(monthIndex, 12) + 1;
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = FloorDivide(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + kDaysBefore1970 +
           (static_cast<std::int64_t>(day) - 1);
}

std::int32_t ParseReport(const WideString& json, bool skipEngines, DayNumber today,
                         VtReport& report) {
    report = VtReport{};
    if (json.Length() < 10) return report.responseCode;
    ReportReader reader(json, report);
    if (!reader.IsObject()) return report.responseCode;
    report.total = reader.Number(u"total");
    WideString code;
    if (reader.Text(u"response_code", code) != kJsonNone) {
        report.responseCode = code.ToLong();
        (void)reader.Text(u"verbose_msg", report.verboseMsg);
        reader.ReadResource();
        if (report.responseCode >= 1) {
            (void)reader.Text(u"scan_date", report.scanDate);
            if (!report.scanDate.IsEmpty()) report.ageDays = AgeOf(report.scanDate, today);
            if (!skipEngines && report.total > 0) reader.ReadEngines();
        }
    } else {
        report.responseCode = PartnerCode(reader, report);
    }
    if (report.responseCode < 1) return report.responseCode;
    (void)reader.Text(u"permalink", report.permalink);
    report.positives = reader.Number(u"positives");
    report.ratio = report.total != 0 ? report.positives * 100.0 / report.total : 0.0;
    if (report.total == 0 && report.permalink.Length() > 10 && report.scanDate.IsEmpty()) {
        report.responseCode = -2;
    }
    return report.responseCode;
}

ResultLine ResultTextOf(const WideString& item, const WideString* json, ReportContext& context) {
    ResultLine line;
    VtReport report;
    if (json == nullptr || ParseReport(*json, true, context.today, report) == -5) {
        line.text = Unavailable(item, context.files);
        return line;
    }
    line.positives = report.positives;
    if (report.responseCode == 0) {
        line.text = u"Not available";
    } else if (report.responseCode == -2 || (report.responseCode == 1 && report.total == 0)) {
        line.text = u"Scan queued";
    } else {
        line.text = RatioText(report);
    }
    return line;
}

ResultLine ResultText(const WideString& item, ReportContext& context, bool withPrefix) {
    WideString hash;
    WideString json;
    const bool read =
        context.run.Get(item, hash) && !hash.IsEmpty() && context.store.Read(hash, json);
    ResultLine line = ResultTextOf(item, read ? &json : nullptr, context);
    if (withPrefix) line.text.Prepend(u"Analysis result: ");
    return line;
}

}  // namespace scrutor

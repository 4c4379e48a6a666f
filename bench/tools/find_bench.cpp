// Times "Find next" on a big log whose only hit lies near the end, inside the program's own
// main window built in this process: find_bench <log-file> [runs]. Beside it, in the same
// run and on the same text: the read of the editor's text that the command starts with, the
// portable search alone, and a plain A-Z-folded scan as the baseline. The search text is
// given the way a technician gives it: selected in the editor, then "Find".

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "analysis/find_text.h"
#include "app/application.h"
#include "app/core/document_rules.h"
#include "foundation/stopwatch.h"
#include "foundation/text_file.h"
#include "ui/editor.h"
#include "ui/event_record.h"

namespace {

constexpr char16_t kMarker[] = u"QzxjNeedle | C:\\ProgramData\\QzxjNeedle\\hit.exe";

char16_t Fold(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

// The baseline: what any case-insensitive search of a plain string must do at least.
std::size_t PlainScan(std::u16string_view text, std::u16string_view needle) {
    const auto hit = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                 [](char16_t a, char16_t b) { return Fold(a) == Fold(b); });
    return hit == text.end() ? std::u16string_view::npos
                             : static_cast<std::size_t>(hit - text.begin());
}

// A line of its own, about 1% before the end.
std::u16string WithMarker(std::u16string text, std::size_t& at) {
    const std::size_t lineEnd = text.rfind(u'\n', text.size() - text.size() / 100);
    at = lineEnd == std::u16string::npos ? 0 : lineEnd + 1;
    text.insert(at, std::u16string(kMarker) + u"\r\n");
    return text;
}

struct Row {
    const char* name;
    std::vector<double> figures;
};

void PrintRow(Row row) {
    std::vector<double>& f = row.figures;
    std::sort(f.begin(), f.end());
    const std::size_t half = f.size() / 2;
    const double median = f.size() % 2 != 0 ? f[half] : (f[half - 1] + f[half]) / 2;
    std::printf("%-52s %9.2f %9.2f\n", row.name, f.front(), median);
}

double Time(const std::function<bool()>& work) {
    const scrutor::Stopwatch watch;
    return work() ? watch.ElapsedMs() : -1;
}

bool ReadLog(const wchar_t* path, std::u16string& text) {
    scrutor::TextFile file(reinterpret_cast<const char16_t*>(path), scrutor::kDocumentReadMode);
    scrutor::WideString read;
    if (!file.ReadText(read) || read.IsEmpty()) return false;
    text = std::u16string(read.View());
    return true;
}

int Measure(scrutor::Application& app, const std::u16string& text, std::size_t at, int runs) {
    const scrutor::Editor& editor = app.EditorView();
    const std::u16string needle(kMarker);
    const int start = static_cast<int>(at);
    const int end = start + static_cast<int>(needle.size());
    editor.Select(start, end);
    app.Finder().ShowFindWindow();  // proposes the selected marker as the search text
    const scrutor::WideString wide(text);
    std::vector<Row> rows{{"Find next (read text, search, select)", {}},
                          {"  of which: read the editor's text", {}},
                          {"  of which: FindNextOccurrence", {}},
                          {"baseline: plain A-Z-folded scan (std::search)", {}}};
    for (int run = 0; run <= runs; ++run) {  // run 0 warms the caches and is not counted
        editor.PlaceCaret(0);
        const double times[] = {
            Time([&] {
                const bool ran = app.Finder().FindNext();
                const scrutor::ui::Selection s = editor.GetSelection();
                return ran && s.start == start && s.end == end;
            }),
            Time([&] { return editor.Text().Length() == text.size(); }),
            Time([&] { return scrutor::FindNextOccurrence(wide, kMarker, 0) == at + 1; }),
            Time([&] { return PlainScan(text, needle) == at; }),
        };
        scrutor::ui::PumpMessages();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (times[i] < 0) {
                std::fprintf(stderr, "find_bench: %s gave a wrong result\n", rows[i].name);
                return 1;
            }
            if (run > 0) rows[i].figures.push_back(times[i]);
        }
    }
    std::printf("%-52s %9s %9s   (%d runs)\n", "milliseconds", "min", "median", runs);
    for (const Row& row : rows) PrintRow(row);
    return 0;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2) {
        std::fprintf(stderr, "usage: find_bench <log-file> [runs]\n");
        return 2;
    }
    std::u16string log;
    const bool read = ReadLog(arguments[1], log);
    const int runs = count > 2 ? std::max(1, _wtoi(arguments[2])) : 7;
    LocalFree(arguments);
    std::size_t at = 0;
    const std::u16string text = WithMarker(log, at);
    if (!read || PlainScan(text, kMarker) != at) {
        std::fprintf(stderr, "find_bench: the log is unreadable or already holds the marker\n");
        return 1;
    }
    std::printf("%zu characters, the only hit at %zu (%.1f%%)\n", text.size(), at,
                100.0 * static_cast<double>(at) / static_cast<double>(text.size()));

    INITCOMMONCONTROLSEX controls{sizeof controls, 0x4041};
    InitCommonControlsEx(&controls);
    scrutor::Application app;
    app.Start(GetModuleHandleW(nullptr), nullptr);
    if (app.Editor() == nullptr) return 1;
    scrutor::SetEditorText(app.Editor(), scrutor::WideString(text));
    return Measure(app, text, at, runs);
}

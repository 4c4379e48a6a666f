// Times the main window on a big log beside the system's notepad.exe on the same file, in the
// same run: window_bench <log-file> [runs]. Per run: start to a visible window whose editor
// holds the whole text, for Scrutor and for notepad (with its word wrap on, as it first
// starts, and off, as Scrutor's editor is), then Scrutor's "Hide Microsoft signed files" from
// the Enter key until the editor holds the filtered text. A first, uncounted run warms the
// caches; the programs are killed after each measurement.

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/log_filters.h"
#include "app/core/document_rules.h"
#include "driver.h"
#include "foundation/stopwatch.h"
#include "foundation/text_file.h"

namespace {

using namespace scrutor::driver;

constexpr DWORD kLoadTimeoutMs = 180000;
constexpr DWORD kFilterTimeoutMs = 60000;
constexpr double kFailed = -1;

std::wstring FileName(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/:") + 1);
}

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

std::wstring Notepad() {
    wchar_t system[MAX_PATH]{};
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\notepad.exe";
}

// Notepad reads its word-wrap setting at start.
bool SetNotepadWrap(bool wrap) {
    const DWORD value = wrap ? 1 : 0;
    return RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad", L"fWrap", REG_DWORD,
                           &value, sizeof value) == ERROR_SUCCESS;
}

// The editor's length, or -1 while its thread does not answer within the wait.
LRESULT TextLength(HWND editor, UINT waitMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(editor, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, waitMs, &length)) {
        return -1;
    }
    return static_cast<LRESULT>(length);
}

// The process's top-level window of the class (and title, when given). Cheaper than the
// driver's EnumWindows walk: the polling must not load the wineserver the programs need.
HWND FindTopLevel(DWORD processId, const wchar_t* windowClass, const wchar_t* title) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (title == nullptr || WindowText(window) == title)) return window;
    }
    return nullptr;
}

struct Opened {
    double ms = kFailed;
    HWND window = nullptr;
    HWND editor = nullptr;
};

// Starts the program on the file and polls until it shows a top-level window of the class
// (and title, when given) whose Edit child holds `length` characters.
Opened TimeOpen(Program& program, const std::wstring& exe, const std::wstring& arguments,
                const wchar_t* windowClass, const wchar_t* title, LRESULT length) {
    Opened opened;
    const scrutor::Stopwatch watch;
    if (!program.Start(exe, arguments)) {
        std::printf("  %ls did not start\n", exe.c_str());
        return opened;
    }
    LRESULT last = -1;
    while (watch.ElapsedMs() < kLoadTimeoutMs) {
        if (!opened.window) opened.window = FindTopLevel(program.Id(), windowClass, title);
        if (opened.window && !opened.editor) opened.editor = FindChild(opened.window, L"Edit");
        if (opened.editor && IsWindowVisible(opened.window)) {
            last = TextLength(opened.editor, 1000);
            if (last == length) {
                opened.ms = watch.ElapsedMs();
                return opened;
            }
        }
        Sleep(5);
    }
    std::printf("  timed out: %ls holds %ld of %ld characters\n", windowClass,
                static_cast<long>(last), static_cast<long>(length));
    return opened;
}

void Tap(WORD virtualKey) {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

// Opens "Analyze log" on its first item, then times Enter until the editor holds `length`
// characters. The clock starts at the key, not at the menu walk.
double TimeHideMicrosoftSigned(const Opened& opened, LRESULT length) {
    Activate(opened.window);
    PressKey(VK_F10);
    for (int i = 0; i < 3; ++i) PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    const scrutor::Stopwatch watch;
    Tap(VK_RETURN);
    LRESULT last = -1;
    while (watch.ElapsedMs() < kFilterTimeoutMs) {
        last = TextLength(opened.editor, 1000);
        if (last == length) return watch.ElapsedMs();
        Sleep(1);
    }
    std::printf("  timed out: the editor holds %ld, not %ld characters\n", static_cast<long>(last),
                static_cast<long>(length));
    return kFailed;
}

// A right length with the wrong text must not count.
double Checked(double ms, HWND editor, const std::wstring& expected, const char* what) {
    if (ms == kFailed || WindowText(editor) == expected) return ms;
    std::printf("  the editor's text differs from the expected text %s\n", what);
    return kFailed;
}

// The process's peak working set in MB, or -1 when it cannot be read.
double PeakWorkingSetMb(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return kFailed;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool read = GetProcessMemoryInfo(process, &counters, sizeof counters) != FALSE;
    CloseHandle(process);
    return read ? static_cast<double>(counters.PeakWorkingSetSize) / 1e6 : kFailed;
}

struct Row {
    const char* name;
    std::vector<double> figures;
};

void PrintRow(Row row, int runs) {
    std::vector<double>& figures = row.figures;
    if (figures.empty()) {
        std::printf("%-46s %8s %8s %3d/%d\n", row.name, "-", "-", 0, runs);
        return;
    }
    std::sort(figures.begin(), figures.end());
    const std::size_t half = figures.size() / 2;
    const double median =
        figures.size() % 2 != 0 ? figures[half] : (figures[half - 1] + figures[half]) / 2;
    std::printf("%-46s %8.0f %8.0f %3zu/%d\n", row.name, figures.front(), median, figures.size(),
                runs);
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2) {
        std::fprintf(stderr, "usage: window_bench <log-file> [runs]\n");
        return 2;
    }
    const std::wstring path = arguments[1];
    const int runs = count > 2 ? std::max(1, _wtoi(arguments[2])) : 5;
    LocalFree(arguments);

    // Read as the program reads a document.
    scrutor::TextFile file(reinterpret_cast<const char16_t*>(path.c_str()),
                           scrutor::kDocumentReadMode);
    const std::uint64_t bytes = file.Size64();
    scrutor::WideString text;
    (void)file.ReadText(text);
    const std::wstring original = Wide(text.View());
    if (original.empty() ||
        !scrutor::ApplyLineFilter(scrutor::LineFilter::kMicrosoftSigned, text)) {
        std::fprintf(stderr, "window_bench: %ls is empty, unreadable or too short\n", path.c_str());
        return 1;
    }
    const std::wstring filtered = Wide(text.View());
    const auto originalLength = static_cast<LRESULT>(original.size());
    const auto filteredLength = static_cast<LRESULT>(filtered.size());
    const auto lines = std::count(original.begin(), original.end(), L'\n') + 1;
    const double utf16Mb = static_cast<double>(original.size() * sizeof(wchar_t)) / 1e6;
    std::printf("%ls: %llu bytes, %lld lines, %zu characters (%.1f MB in UTF-16), %zu after "
                "\"Hide Microsoft signed files\"\n",
                path.c_str(), static_cast<unsigned long long>(bytes),
                static_cast<long long>(lines), original.size(), utf16Mb, filtered.size());

    const std::wstring quoted = L"\"" + path + L"\"";
    const std::wstring title = FileName(path) + L" - Scrutor";
    std::array<Row, 6> rows{{{"Scrutor: start to text", {}},
                             {"notepad.exe, word wrap on: start to text", {}},
                             {"notepad.exe, word wrap off: start to text", {}},
                             {"Scrutor: Hide Microsoft signed files", {}},
                             {"Scrutor: peak working set opened (MB)", {}},
                             {"Scrutor: peak working set filtered (MB)", {}}}};
    std::printf("milliseconds per run, in the order of the table below:\n");
    for (int run = 0; run <= runs; ++run) {
        std::array<double, 6> ms{kFailed, kFailed, kFailed, kFailed, kFailed, kFailed};
        {
            Program scrutor;
            const Opened opened = TimeOpen(scrutor, BesideThisProgram(SCRUTOR_EXE_RELATIVE), quoted,
                                           L"SCRUTOR_WND_CLASS", title.c_str(), originalLength);
            ms[0] = Checked(opened.ms, opened.editor, original, "after opening");
            if (ms[0] != kFailed) {
                ms[4] = PeakWorkingSetMb(scrutor.Id());
                ms[3] = Checked(TimeHideMicrosoftSigned(opened, filteredLength), opened.editor,
                                filtered, "after filtering");
                if (ms[3] != kFailed) ms[5] = PeakWorkingSetMb(scrutor.Id());
            }
            (void)scrutor.WaitForExit(0);  // kills it: the filtered document would ask to save
        }
        for (const bool wrap : {true, false}) {
            if (!SetNotepadWrap(wrap)) std::printf("  notepad's word wrap could not be set\n");
            Program notepad;
            ms[wrap ? 1 : 2] =
                TimeOpen(notepad, Notepad(), quoted, L"Notepad", nullptr, originalLength).ms;
            (void)notepad.WaitForExit(0);
        }
        std::printf("%s %d:", run > 0 ? "run" : "warm-up", run);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::printf(" %.0f", ms[i]);
            if (run > 0 && ms[i] != kFailed) rows[i].figures.push_back(ms[i]);
        }
        std::printf(" ms\n");
        std::fflush(stdout);
    }

    std::printf("\n%-46s %8s %8s %5s\n", "milliseconds (MB for the peaks)", "best", "median",
                "runs");
    bool complete = true;
    for (const Row& row : rows) {
        PrintRow(row, runs);
        complete = complete && row.figures.size() == static_cast<std::size_t>(runs);
    }
    std::printf("peak working set goal: 4 x %.1f MB + 40 MB = %.1f MB\n", utf16Mb,
                4 * utf16Mb + 40);
    return complete ? 0 : 1;
}

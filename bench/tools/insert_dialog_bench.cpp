// Times the insert-command dialog's first opening (window, controls, 212 rows in 12 groups)
// beside a bare report list view filled with the same 212 x 4 texts, without groups or item
// records, in the same process. Every run is a fresh process (the program starts itself with
// "--run"), so each opening is a first one; the order of the two alternates between runs.
// Usage: insert_dialog_bench [runs]

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application.h"
#include "catalogue/command_catalogue.h"
#include "foundation/stopwatch.h"

namespace {

constexpr int kDefaultRuns = 7;
constexpr DWORD kRunTimeoutMs = 120000;

double TimeDialog(scrutor::Application& app) {
    scrutor::Stopwatch watch;
    app.InsertDialog().Open(0);
    const double ms = watch.ElapsedMs();
    return app.InsertDialog().List() != nullptr ? ms : -1;
}

void AddRow(HWND list, const scrutor::CatalogueEntry& entry) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    const scrutor::WideString keyword = entry.Keyword();
    item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(keyword.CStr()));
    const int row = ListView_InsertItem(list, &item);
    for (int column = 1; column < 4; ++column) {
        const scrutor::WideString text = entry.Field(static_cast<scrutor::CatalogueField>(column));
        ListView_SetItemText(list, row, column, const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.CStr())));
    }
}

// The same hidden window size, list styles and texts; nothing of the toolkit.
double TimeBareList() {
    scrutor::Stopwatch watch;
    HWND frame = CreateWindowExW(0, L"STATIC", L"bare", WS_OVERLAPPEDWINDOW, 0, 0, 700, 650, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                5, 0, 690, 495, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    constexpr DWORD kExStyle = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_CHECKBOXES;
    ListView_SetExtendedListViewStyle(list, kExStyle);
    const wchar_t* names[] = {L"  Command", L"  Description", L" Extended description", L" Parameters"};
    const int widths[] = {200, 1000, 0, 0};
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<wchar_t*>(names[column]);
        c.cx = widths[column];
        ListView_InsertColumn(list, column, &c);
    }
    for (const scrutor::CatalogueGroup& group : scrutor::BuiltInCatalogue().Groups()) {
        for (const scrutor::CatalogueEntry& entry : group.entries) AddRow(list, entry);
    }
    const double ms = watch.ElapsedMs();
    const bool filled = ListView_GetItemCount(list) == 212;
    DestroyWindow(frame);
    return filled ? ms : -1;
}

int RunOnce(int index) {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x4041};
    InitCommonControlsEx(&controls);
    scrutor::Application app;
    app.Start(GetModuleHandleW(nullptr), nullptr);
    double dialog = 0;
    double bare = 0;
    if (index % 2 == 0) {
        dialog = TimeDialog(app);
        bare = TimeBareList();
    } else {
        bare = TimeBareList();
        dialog = TimeDialog(app);
    }
    std::printf("%.3f %.3f\n", dialog, bare);
    return dialog < 0 || bare < 0 ? 1 : 0;
}

// One fresh process: its two figures through a pipe.
bool RunChild(int index, double& dialog, double& bare) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) return false;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    wchar_t self[MAX_PATH]{};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --run " + std::to_wstring(index);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(write);
    std::string output;
    char buffer[256];
    DWORD got = 0;
    while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    CloseHandle(read);
    if (!started) return false;
    const bool ended = WaitForSingleObject(process.hProcess, kRunTimeoutMs) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ended && code == 0 && std::sscanf(output.c_str(), "%lf %lf", &dialog, &bare) == 2;
}

void Report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s min %8.2f ms   median %8.2f ms\n", name, ms.front(), ms[ms.size() / 2]);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"--run") return RunOnce(_wtoi(argv[2]));
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultRuns;
    std::vector<double> dialogs;
    std::vector<double> bares;
    for (int i = 0; i < runs; ++i) {
        double dialog = 0;
        double bare = 0;
        if (!RunChild(i, dialog, bare)) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        dialogs.push_back(dialog);
        bares.push_back(bare);
    }
    std::printf("%d runs, each in a fresh process\n", runs);
    Report("insert dialog, first opening", dialogs);
    Report("bare list view, same 212 x 4 texts", bares);
    return 0;
}

#include "app/application.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <array>

#include "app/commands.h"
#include "app/core/document_rules.h"
#include "app/documents.h"
#include "app/event_loop.h"
#include "app/main_window.h"
#include "app/settings_win.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr const char16_t* kMainWindowClass = u"SCRUTOR_WND_CLASS";
constexpr LONG kMainWindowStyle = 0x00CF0000;  // WS_OVERLAPPEDWINDOW
constexpr DWORD kModulePathUnits = 1024;

ScreenSize MeasureScreen() {
    HDC screen = GetDC(nullptr);
    const ScreenSize size{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
    ReleaseDC(nullptr, screen);
    return size;
}

WideString ModulePath() {
    std::array<wchar_t, kModulePathUnits> path{};
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kModulePathUnits);
    if (length == 0 || length >= kModulePathUnits) return {};
    return WideString(FromWide(path.data()));
}

POINT CentreInWorkArea(int width, int height) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + (work.right - work.left - width) / 2,
            work.top + (work.bottom - work.top - height) / 2};
}

}  // namespace

Application::Application() = default;

HWND Application::Editor() const {
    return editorId > 0 ? mainWindow.ControlWindow(editorId) : nullptr;
}

int Application::Run(HINSTANCE instance, const char16_t* commandLine) {
    Start(instance, commandLine);
    RunEventLoop();
    Shutdown();
    return 0;
}

void Application::Start(HINSTANCE, const char16_t* commandLine) {
    TakeCommandLine(commandLine);
    Settings settings;
    ReadStartSettings(settings);
    mainWindow.Create(kMainWindowClass, DocumentTitle(documentName).CStr(), settings.windowPosX,
                      settings.windowPosY, settings.windowWidth, settings.windowHeight,
                      kMainWindowStyle);
    for (ui::Form* form : {&infoToolWindow, &insertWindow, &findWindow, &memoryWindow}) {
        form->SetEventRecord(&mainWindow);
    }
    BuildMainWindow(*this);
    PlaceAndShow(settings);
    FindProgramFiles();
    UpdateZepCommands(*this);
    SetFocus(Editor());
}

// There is no difference between a log and a script here: the text is simply loaded.
void Application::TakeCommandLine(const char16_t* commandLine) {
    if (CommandLineMayNameFile(commandLine)) {
        int count = 0;
        LPWSTR* arguments = CommandLineToArgvW(AsWide(commandLine), &count);
        if (arguments != nullptr && count >= 1 && PathFileExistsW(arguments[0])) {
            documentPath = FromWide(arguments[0]);
            documentName = DocumentNameFromPath(documentPath);
            (void)ReadDocumentFile(documentPath, originalText);
        }
        if (arguments != nullptr) LocalFree(arguments);
    }
    if (documentName.IsEmpty()) {
        documentPath.Clear();
        documentName = kNewDocumentName;
    }
}

void Application::ReadStartSettings(Settings& settings) {
    run.screen = MeasureScreen();
    const std::uint32_t infoTip = ReadShowInfoTip();
    RegistryKey maker;
    std::uint32_t dontUseVistro = 0;
    const bool makerOpen = maker.Open(kMakerKeyPath, kOpenOrCreate);
    if (!makerOpen || !maker.ReadDword(kDontUseVistroValue, dontUseVistro)) dontUseVistro = 0;
    (void)programKey.Open(kProgramKeyPath, kOpenOrCreate);
    RawSettings raw = ReadProgramSettings(programKey);
    raw.dontUseVistro = dontUseVistro;
    raw.showInfoTip = infoTip;
    settings = ValidateSettings(raw, run.screen);
    showInfoTip = settings.showInfoTip;
    run.useVistro = settings.useVistro;
    run.fontSize = settings.fontSize;
}

void Application::PlaceAndShow(const Settings& settings) {
    POINT at{settings.windowPosX, settings.windowPosY};
    if (settings.CentreWindow()) at = CentreInWorkArea(settings.windowWidth, settings.windowHeight);
    SetWindowPos(MainWindow(), nullptr, at.x, at.y, settings.windowWidth, settings.windowHeight,
                 SWP_NOREDRAW | SWP_NOZORDER);
    (void)mainWindow.Show(SW_SHOWNORMAL, ui::kShowUpdate | ui::kShowForeground);
}

void Application::FindProgramFiles() {
    const WideString directory = ProgramDirectory(ModulePath());
    run.logoPath = LogoPath(directory);
    run.zepPath = LocateZep(directory);
}

void Application::RunEventLoop() {
    while (!endLoop && ui::GetEvent(Events(), false) != 0) DispatchEvent(*this);
}

void Application::Shutdown() {
    WriteProgramSettings(programKey, run.fontSize, MainWindow());
    programKey.Close();
}

}  // namespace scrutor

#include "app/application.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <array>

#include "app/commands.h"
#include "catalogue/line_help_tip_win.h"
#include "analysis/memory_list_texts.h"
#include "ui/tip.h"
#include "app/core/document_rules.h"
#include "app/documents.h"
#include "app/event_loop.h"
#include "app/main_window.h"
#include "app/settings_win.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr const char16_t* kMainWindowClass = u"SCRUTOR_WND_CLASS";
constexpr LONG kMainWindowStyle = WS_OVERLAPPEDWINDOW;
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

Application::Application()
    : insert_(mainWindow_, editor_, [this] { ShowHelpTip(); }),
      memory_(mainWindow_, editor_, [this](int count) { UpdateMemoryMenuTexts(count); }),
      find_(mainWindow_, editor_),
      // The tip needs the insert dialog's catalogue list; without the dialog there is none.
      controlInfo_(mainWindow_, editor_, [this] {
          if (insert_.Exists()) ShowHelpTip();
      }) {}

Application::~Application() = default;

void Application::SetEditor(int id) {
    editorId_ = id;
    editor_ = scrutor::Editor(id > 0 ? mainWindow_.ControlWindow(id) : nullptr);
}

void Application::ShowHelpTip() {
    ShowLineHelpTip(mainWindow_, editor_,
                    {.lineHeight = settings_.fontSize, .balloon = settings_.showInfoTip != 0});
}

void Application::HideHelpTip() { ui::HideTip(mainWindow_); }

void Application::UpdateMemoryMenuTexts(int count) {
    commands_.SetText(CommandId::kManageMemoryList, ManageMemoryMenuText(count).CStr());
    commands_.SetText(CommandId::kInsertMemorizedLines, InsertMemorizedMenuText(count).CStr());
}

int Application::Run(HINSTANCE instance, const char16_t* commandLine) {
    Start(instance, commandLine);
    RunEventLoop();
    Shutdown();
    return 0;
}

void Application::Start(HINSTANCE, const char16_t* commandLine) {
    TakeCommandLine(commandLine);
    ReadStartSettings();
    mainWindow_.Create(kMainWindowClass, DocumentTitle(document_.name).CStr(), settings_.windowPosX,
                       settings_.windowPosY, settings_.windowWidth, settings_.windowHeight,
                       kMainWindowStyle);
    BuildMainWindow(*this);
    PlaceAndShow();
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
            document_.path = FromWide(arguments[0]);
            document_.name = DocumentNameFromPath(document_.path);
            (void)ReadDocumentFile(document_.path, document_.originalText);
        }
        if (arguments != nullptr) LocalFree(arguments);
    }
    if (document_.name.IsEmpty()) {
        document_.path.Clear();
        document_.name = kNewDocumentName;
    }
}

void Application::ReadStartSettings() {
    run_.screen = MeasureScreen();
    const std::uint32_t infoTip = ReadShowInfoTip();
    RegistryKey maker;
    std::uint32_t dontUseVistro = 0;
    const bool makerOpen = maker.Open(kMakerKeyPath, kOpenOrCreate);
    if (!makerOpen || !maker.ReadDword(kDontUseVistroValue, dontUseVistro)) dontUseVistro = 0;
    (void)programKey_.Open(kProgramKeyPath, kOpenOrCreate);
    RawSettings raw = ReadProgramSettings(programKey_);
    raw.dontUseVistro = dontUseVistro;
    raw.showInfoTip = infoTip;
    settings_ = ValidateSettings(raw, run_.screen);
}

void Application::PlaceAndShow() {
    const Settings& s = settings_;
    POINT at{s.windowPosX, s.windowPosY};
    if (s.CentreWindow()) at = CentreInWorkArea(s.windowWidth, s.windowHeight);
    SetWindowPos(MainWindow(), nullptr, at.x, at.y, s.windowWidth, s.windowHeight,
                 SWP_NOREDRAW | SWP_NOZORDER);
    (void)mainWindow_.Show(SW_SHOWNORMAL, ui::kShowUpdate | ui::kShowForeground);
}

void Application::FindProgramFiles() {
    const WideString directory = ProgramDirectory(ModulePath());
    run_.logoPath = LogoPath(directory);
    run_.zepPath = LocateZep(directory);
}

void Application::RunEventLoop() {
    while (!endLoop_ && ui::GetEvent(Events(), false) != 0) DispatchEvent(*this);
}

void Application::Shutdown() {
    WriteProgramSettings(programKey_, settings_.fontSize, MainWindow());
    programKey_.Close();
}

}  // namespace scrutor

#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "analysis/find_window.h"
#include "analysis/memory_list_window.h"
#include "app/commands.h"
#include "app/core/settings.h"
#include "catalogue/insert_command_window.h"
#include "foundation/registry_key.h"
#include "foundation/wide_string.h"
#include "inspector/control_info_tool.h"
#include "ui/editor.h"
#include "ui/form.h"
#include "ui/tool_window.h"

namespace scrutor {

// The open document: where it lives, its name in the title, and the text it was opened
// with (what "Revert" goes back to).
struct Document {
    WideString path;  // empty for a new document
    WideString name;
    WideString originalText;
};

// What start-up found about this machine and this run.
struct RunValues {
    ScreenSize screen;
    WideString zepPath;   // empty when ZEP was not found
    WideString logoPath;
};

// The program's whole state. The one object the design allows to be reached from every
// command handler; it is passed to them, never looked up globally. Feature windows never
// see it: they get the editor object and the values they need.
class Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    int Run(HINSTANCE instance, const char16_t* commandLine);

    // The phases of Run. Tests build the window with Start and end with Shutdown, without
    // entering the loop.
    void Start(HINSTANCE instance, const char16_t* commandLine);
    void RunEventLoop();
    void Shutdown();

    [[nodiscard]] HWND MainWindow() const { return mainWindow_.Window(); }
    [[nodiscard]] HWND Editor() const { return editor_.Window(); }
    [[nodiscard]] const scrutor::Editor& EditorView() const { return editor_; }
    [[nodiscard]] ui::Form& MainForm() { return mainWindow_; }
    [[nodiscard]] ui::EventRecord& Events() { return mainWindow_.Events(); }
    [[nodiscard]] int EditorId() const { return editorId_; }

    [[nodiscard]] Document& CurrentDocument() { return document_; }
    [[nodiscard]] Settings& Config() { return settings_; }
    [[nodiscard]] RunValues& Values() { return run_; }
    [[nodiscard]] CommandIds& Commands() { return commands_; }

    [[nodiscard]] FindWindow& Finder() { return find_; }
    [[nodiscard]] MemoryListWindow& MemoryList() { return memory_; }
    [[nodiscard]] InsertCommandWindow& InsertDialog() { return insert_; }
    [[nodiscard]] ControlInfoToolWindow& ControlInfoTool() { return controlInfo_; }
    // The tool windows in the order the loop offers them an event.
    [[nodiscard]] std::array<ui::ToolWindow*, 4> ToolWindows() {
        return {&insert_, &memory_, &find_, &controlInfo_};
    }

    // The line help tip for the caret's line, styled by the settings.
    void ShowHelpTip();
    void HideHelpTip();

    // Records the editor control once the main window has created it.
    void SetEditor(int id);
    void EndLoop() { endLoop_ = true; }
    [[nodiscard]] bool LoopEnded() const { return endLoop_; }

private:
    void TakeCommandLine(const char16_t* commandLine);
    void ReadStartSettings();
    void PlaceAndShow();
    void FindProgramFiles();
    void UpdateMemoryMenuTexts(int count);

    ui::Form mainWindow_;
    scrutor::Editor editor_;
    std::int32_t editorId_ = -1;
    Document document_;
    Settings settings_;
    RunValues run_;
    CommandIds commands_;
    RegistryKey programKey_;  // open from start-up to shutdown; receives the settings
    bool endLoop_ = false;    // set by a granted close request

    InsertCommandWindow insert_;
    MemoryListWindow memory_;
    FindWindow find_;
    ControlInfoToolWindow controlInfo_;
};

}  // namespace scrutor

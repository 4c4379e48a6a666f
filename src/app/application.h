#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/core/settings.h"
#include "foundation/registry_key.h"
#include "foundation/wide_string.h"
#include "ui/form.h"

namespace scrutor {

// Values of one run that every command handler shares; not part of the document.
struct RunValues {
    ScreenSize screen;
    std::int32_t fontSize = kDefaultFontSize;
    bool useVistro = true;
    WideString zepPath;   // empty when ZEP was not found
    WideString logoPath;
    std::vector<int> commandIds;  // toolkit id of each row of the command table, 0 for none
};

// The program's whole state. The one object the design allows to be reached from every
// command handler; it is passed to them, never looked up globally.
class Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    int Run(HINSTANCE instance, const char16_t* commandLine);

    // The phases of Run. Tests build the window with Start and end with Shutdown, without
    // entering the loop.
    void Start(HINSTANCE instance, const char16_t* commandLine);
    void RunEventLoop();
    void Shutdown();

    [[nodiscard]] HWND MainWindow() const { return mainWindow.Window(); }
    [[nodiscard]] HWND Editor() const;
    [[nodiscard]] ui::EventRecord& Events() { return mainWindow.Events(); }

    ui::Form mainWindow;
    ui::Form infoToolWindow;
    ui::Form insertWindow;
    ui::Form findWindow;
    ui::Form memoryWindow;
    std::int32_t editorId = -1;
    std::int32_t blankRowIndex = -1;
    std::uint32_t showInfoTip = 1;
    WideString documentPath;
    WideString documentName;
    WideString originalText;

    RunValues run;
    RegistryKey programKey;  // open from start-up to shutdown; receives the settings
    bool endLoop = false;    // set by a granted close request

private:
    void TakeCommandLine(const char16_t* commandLine);
    void ReadStartSettings(Settings& settings);
    void PlaceAndShow(const Settings& settings);
    void FindProgramFiles();
};

}  // namespace scrutor

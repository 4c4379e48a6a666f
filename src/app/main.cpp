// Entry point: process-wide initialisation around the one Application object.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "app/application.h"
#include "foundation/win_text.h"
#include "ui/drawing.h"
#include "virustotal/vt_job_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    (void)CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    const ULONG_PTR gdiplus = scrutor::ui::StartGdiplus();
    int result = 0;
    {
        auto app = std::make_unique<scrutor::Application>();
        result = app->Run(instance, scrutor::FromWide(commandLine));
    }
    // A VirusTotal job still running is cancelled and waited for: leaving would stop its
    // threads wherever they stand, in the middle of a registry write or a report.
    (void)scrutor::EndJobs(10000);
    scrutor::ui::StopGdiplus(gdiplus);
    CoUninitialize();
    return result;
}

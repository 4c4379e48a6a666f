// Starts the real scrutor.exe, finds its main window as a technician's tools
// would (by class and title), types into the editor and closes it the way the
// close box does.
#include <gtest/gtest.h>

#include "driver.h"

namespace {

using namespace scrutor::driver;

TEST(ScrutorStart, ShowsTheNewScriptWindowTakesTypingAndClosesCleanly) {
    Program scrutor;
    ASSERT_TRUE(scrutor.Start(BesideThisProgram(SCRUTOR_EXE_RELATIVE)));

    HWND window = WaitForWindow(scrutor.Id(), L"SCRUTOR_WND_CLASS", L"New script.zep - Scrutor",
                                15000);
    ASSERT_NE(window, nullptr) << "no main window with the new-script title";
    EXPECT_TRUE(IsWindowVisible(window));
    HWND editor = FindChild(window, L"Edit");
    ASSERT_NE(editor, nullptr) << "the main window has no editor";

    if (Activate(window)) {
        TypeText(L"<Delete>");
        EXPECT_EQ(WindowText(editor), L"<Delete>");
    }
    SaveScreenshot(BesideThisProgram("app_start.bmp"));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(scrutor.WaitForExit(15000), 0) << "scrutor.exe did not end cleanly after WM_CLOSE";
}

}  // namespace

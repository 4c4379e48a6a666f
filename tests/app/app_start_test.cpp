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
        // Keystrokes arrive through the program's own loop; give it time to take them all.
        for (int i = 0; i < 60 && WindowText(editor) != L"<Delete>"; ++i) Sleep(50);
        EXPECT_EQ(WindowText(editor), L"<Delete>");
    }
    SaveScreenshot(BesideThisProgram("app_start.bmp"));

    // Typed text makes the document modified: closing then asks first.
    const bool modified = SendMessageW(editor, EM_GETMODIFY, 0, 0) != 0;
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (modified) {
        HWND prompt = WaitForWindow(scrutor.Id(), L"_WINDOW_MsgBoxClass", nullptr, 5000);
        ASSERT_NE(prompt, nullptr) << "closing a modified document did not ask to save";
        // The box may be found before its buttons exist.
        bool pressed = false;
        for (int i = 0; i < 100 && !(pressed = PressButton(prompt, L"No")); ++i) Sleep(50);
        EXPECT_TRUE(pressed);
    }
    EXPECT_EQ(scrutor.WaitForExit(15000), 0) << "scrutor.exe did not end cleanly after WM_CLOSE";
}

}  // namespace

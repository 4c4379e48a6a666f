#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "driver.h"
#include "foundation/handles.h"
#include "foundation/win_text.h"
#include "inspector/window_identification.h"
#include "target_window.h"
#include "ui/form.h"

namespace scrutor {
namespace {

using namespace target;

BOOL CALLBACK Collect(HWND w, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

std::vector<HWND> Descendants(HWND top) {
    std::vector<HWND> found;
    EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

POINT Centre(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string Utf8(const WideString& text) { return text.ToUtf8(); }

class IdentificationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dialog_ = CreateTargetWindow(GetModuleHandleW(nullptr), 60, 60);
        SetWindowPos(dialog_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(dialog_);
        ui::PumpMessages();
    }
    static void TearDownTestSuite() { DestroyWindow(dialog_); }

    void SetUp() override { ASSERT_NE(dialog_, nullptr); }

    // Ids are unique in the target, whatever the depth.
    static HWND Control(int id) {
        for (HWND w : Descendants(dialog_)) {
            if (GetDlgCtrlID(w) == id) return w;
        }
        return nullptr;
    }
    static int IdOf(HWND w) { return w == nullptr ? 0 : GetDlgCtrlID(w); }

    static inline HWND dialog_ = nullptr;
};

TEST_F(IdentificationTest, PlainPicksTheDirectChildAndForcedTheLowest) {
    const auto expectPicks = [&](int under, int plain, int forced) {
        const POINT p = Centre(Control(under));
        EXPECT_EQ(TopLevelWindowAt(p), dialog_) << under;
        EXPECT_EQ(IdOf(ui::ChildAtPoint(dialog_, p, false)), plain) << under;
        EXPECT_EQ(IdOf(ui::ChildAtPoint(dialog_, p, true)), forced) << under;
    };
    // The button in the group box (plain: the box) is the end-to-end test's drag.
    expectPicks(kDeepButton, kOuterPane, kDeepButton);
    expectPicks(kHiddenButton, kOuterPane, kOuterPane);  // hidden windows are never picked
    expectPicks(kNotesEdit, kNotesEdit, kNotesEdit);
    POINT group{15, 25};  // inside the group box, off its button
    ClientToScreen(dialog_, &group);
    EXPECT_EQ(IdOf(ui::ChildAtPoint(dialog_, group, true)), kOptionsGroup);
}

// A window 50,000 pixels high or more is never a forced result, nor searched.
TEST_F(IdentificationTest, ForcedSearchSkipsGiantWindows) {
    for (const int height : {49999, 50000}) {
        HWND tall = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, height,
                                    dialog_, nullptr, nullptr, nullptr);
        HWND inner = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, tall,
                                     nullptr, nullptr, nullptr);
        RECT r{};
        GetWindowRect(tall, &r);
        POINT p{r.left + 2, r.top + 100};
        if (r.bottom - r.top != height) {
            DestroyWindow(tall);
            GTEST_SKIP() << "the platform cut the window's height to " << r.bottom - r.top;
        }
        EXPECT_EQ(ui::ChildAtPoint(dialog_, p, false), tall);
        EXPECT_EQ(ui::ChildAtPoint(dialog_, p, true), height < 50000 ? tall : nullptr) << height;
        p.y = r.top + 2;
        EXPECT_EQ(ui::ChildAtPoint(dialog_, p, true), height < 50000 ? inner : nullptr) << height;
        DestroyWindow(tall);
    }
}

TEST_F(IdentificationTest, TextsDescribeWindowAndControls) {
    // The title, class and a client point are also the end-to-end test's drag.
    EXPECT_EQ(WindowInfo(dialog_).clientArea, u"460, 260");
    // The advanced mode is built from the same class and number by the portable texts.
    const auto expectControl = [&](int id, const char16_t* text, const char16_t* classNN,
                                   const char16_t* idText) {
        const ControlProperties p = ControlInfo(Control(id), dialog_);
        EXPECT_EQ(p.text, text) << Utf8(p.text);
        EXPECT_EQ(p.classNN, classNN) << Utf8(p.classNN);
        EXPECT_EQ(p.id, idText) << Utf8(p.id);
    };
    // The third button counts the hidden one inside a pane.
    expectControl(kHiddenButton, u"Hidden", u"Button3", u"201");
    expectControl(kHiddenDeepButton, u"Hidden too", u"Button5", u"212");
    expectControl(kNameLabel, u"Name:", u"Static1", u"-1");
    EXPECT_TRUE(ClientPointText(nullptr, POINT{10, 20}).IsEmpty());
    EXPECT_TRUE(WindowInfo(nullptr).advancedMode.IsEmpty());
    EXPECT_TRUE(ControlInfo(nullptr, dialog_).classNN.IsEmpty());
}

// The rules are the portable resolver's; here real texts and ids must reach it.
TEST_F(IdentificationTest, DefinitionsResolveInTheTarget) {
    EXPECT_EQ(IdOf(ResolveControlDefinition(dialog_, u"[CLASS:Button; TEXT:OK]")), kOkButton);
    EXPECT_EQ(IdOf(ResolveControlDefinition(dialog_, u"[TEXT:Yes;; go]")), kDeepButton);
    EXPECT_EQ(IdOf(ResolveControlDefinition(dialog_, u"400")), kNotesEdit);
}

// A program that stops answering must not stall the picker: its texts read as empty.
TEST_F(IdentificationTest, HungWindowGivesEmptyTextsQuickly) {
    HWND top = nullptr;
    const HandleHolder created(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HandleHolder release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const std::jthread hung([&] {
        top = CreateWindowExW(0, L"Static", L"Hung", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                              nullptr, nullptr);
        CreateWindowExW(0, L"Edit", L"text", WS_CHILD, 0, 0, 50, 20, top, nullptr, nullptr,
                        nullptr);
        SetEvent(created.Get());
        WaitForSingleObject(release.Get(), 10000);  // answers no message meanwhile
        DestroyWindow(top);
    });
    ASSERT_EQ(WaitForSingleObject(created.Get(), 5000), WAIT_OBJECT_0);
    const DWORD start = GetTickCount();
    const WindowProperties w = WindowInfo(top);
    const ControlProperties c = ControlInfo(GetWindow(top, GW_CHILD), top);
    const DWORD elapsed = GetTickCount() - start;
    SetEvent(release.Get());
    EXPECT_EQ(w.title, u"");
    EXPECT_EQ(w.className, u"Static");
    EXPECT_EQ(c.text, u"");
    EXPECT_EQ(c.classNN, u"Edit1");
    EXPECT_LT(elapsed, 2000u);
}

void ExpectEveryControlResolvesBack(HWND top, const char* owner) {
    const std::vector<HWND> controls = Descendants(top);
    ASSERT_FALSE(controls.empty()) << owner;
    for (HWND c : controls) {
        const ControlProperties p = ControlInfo(c, top);
        EXPECT_EQ(ResolveControlDefinition(top, p.classNN.CStr()), c) << owner << Utf8(p.classNN);
        EXPECT_EQ(ResolveControlDefinition(top, p.advancedMode.CStr()), c)
            << owner << Utf8(p.advancedMode);
    }
}

// What the tool shows for any control of any program must find that control again.
TEST_F(IdentificationTest, ShownDefinitionsResolveBackInEveryProgram) {
    ExpectEveryControlResolvesBack(dialog_, "target ");
    for (const auto& [exe, windowClass] : {std::pair{L"notepad.exe", L"Notepad"},
                                          std::pair{L"regedit.exe", L"RegEdit_RegEdit"}}) {
        driver::Program program;  // ended when it goes
        ASSERT_TRUE(program.Start(exe));
        const HWND top = driver::WaitForWindow(program.Id(), windowClass, nullptr, 15000);
        const std::string name = Utf8(WideString(FromWide(exe)));
        ASSERT_NE(top, nullptr) << "no window from " << name;
        ExpectEveryControlResolvesBack(top, name.c_str());
    }
}

}  // namespace
}  // namespace scrutor

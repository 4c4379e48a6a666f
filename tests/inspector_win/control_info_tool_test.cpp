#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "inspector/control_info_tool.h"
#include "target_window.h"
#include "ui/event_codes.h"

namespace scrutor {
namespace {

using Row = PropertyRow;

POINT Centre(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Records every replacement and restoration of the system cursors.
struct RecordingCursors final : ui::SystemCursors {
    bool Replace(HICON) override { return ++replaced, true; }
    void Restore() override { ++restored; }
    int replaced = 0;
    int restored = 0;
};

// A scripted drag: the pointer visits `path` one point a tick; the button is up from tick
// `releaseAt`, Esc down from `escapeAt`, the tool hidden from `hiddenAt`, quitting from
// `quitAt`, and the position unreadable from `lostAt` (-1: never). As a view it has no window.
struct ScriptedInput final : DragInput, DragView {
    std::vector<POINT> path;
    int releaseAt = -1, escapeAt = -1, hiddenAt = -1, quitAt = -1, lostAt = -1;
    int tick = -1;
    std::function<void(int)> onTick;

    static bool From(int at, int now) { return at >= 0 && now >= at; }
    bool PrimaryButtonDown() override { return !From(releaseAt, tick); }
    bool EscapeDown() override { return From(escapeAt, tick); }
    bool CursorPosition(POINT& p) override {
        if (From(lostAt, tick)) return false;
        p = path.empty() ? POINT{-1, -1} : path[std::min<std::size_t>(tick, path.size() - 1)];
        return true;
    }
    void Wait() override { ++tick; }
    bool Pump() override {
        ui::PumpMessages();
        if (onTick) onTick(tick);  // after painting, for screenshots
        return !From(quitAt, tick);
    }
    HWND OwnWindow() const override { return nullptr; }
    bool StillShown() const override { return !From(hiddenAt, tick); }
    void ShowValue(Row, const WideString&) override {}
};

class ControlInfoToolTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        main_.Create(u"SCRUTOR_TEST_MAIN", u"main", 500, 400, 400, 200);
        editor_ = Editor(main_.ControlWindow(main_.CreateEditor(0, 0, 400, 200)));
        ShowWindow(main_.Window(), SW_SHOW);
        target_ = target::CreateTargetWindow(GetModuleHandleW(nullptr), 480, 60);
        tool_ = new ControlInfoToolWindow(main_, editor_, [] { ++tips_; });
        tool_->Open();
        ui::PumpMessages();
    }
    static void TearDownTestSuite() {
        delete tool_;
        DestroyWindow(target_);
        main_.Destroy();
    }

    ui::Form& Form() { return tool_->View(); }
    const ControlInfoToolWindow::Controls& Ids() { return tool_->Ids(); }
    void Event(int code, WPARAM value1 = 0) {
        tool_->OnEvent({code, tool_->Window(), 0, value1, 0, &Form()});
    }
    // Without `notify` the tool is not told, as when the list changed under it.
    void Select(Row row, const char16_t* value, bool notify = true) {
        const int item = static_cast<int>(row);
        ASSERT_TRUE(Form().SetItemText(Ids().list, item, 1, value));
        ASSERT_TRUE(Form().SetItemState(Ids().list, item, LVIS_SELECTED | LVIS_FOCUSED,
                                        LVIS_SELECTED | LVIS_FOCUSED));
        if (notify) Event(ui::kEventItemSelected, static_cast<WPARAM>(Ids().list));
    }
    bool Enabled(int id) { return IsWindowEnabled(Form().ControlWindow(id)) != FALSE; }
    void SetEditor(const char16_t* text, int caret) {
        SetWindowTextW(editor_.Window(), reinterpret_cast<const wchar_t*>(text));
        editor_.PlaceCaret(caret);
        SetEditorModified(editor_.Window(), false);
    }
    std::string EditorText() { return editor_.Text().ToUtf8(); }
    // Routes what the tool raised into the shared record back to it, as the main loop does.
    void DrainEvents() {
        while (ui::GetEvent(main_.Events(), true) != 0) {
            const ui::Event e = main_.Events().Current();
            if (tool_->Raised(e)) tool_->OnEvent(e);
        }
    }

    static inline ui::Form main_;
    static inline Editor editor_;
    static inline HWND target_ = nullptr;
    static inline ControlInfoToolWindow* tool_ = nullptr;
    static inline int tips_ = 0;
};

// Runs first among the selection tests: nothing selected since creation but the first row.
TEST_F(ControlInfoToolTest, SelectionRefreshesTheFunctionControls) {
    const auto expectControls = [&](Row row, const char16_t* value, bool copy, bool functions,
                                    const char* firstFunction) {
        SCOPED_TRACE(static_cast<int>(row));
        Select(row, value);
        EXPECT_EQ(Enabled(Ids().copy), copy);
        EXPECT_EQ(Enabled(Ids().insertInline), copy);
        EXPECT_EQ(Enabled(Ids().functions), functions);
        EXPECT_EQ(Enabled(Ids().insertFunction), functions);
        EXPECT_EQ(Form().GetText(Ids().functions).ToUtf8(), firstFunction);
    };
    expectControls(Row::ControlClassNN, u"Edit1", true, true, "->WaitControl");
    expectControls(Row::ClientArea, u"450, 490", true, false, "");
    // Not the next test's row: that one must reveal its change.
    expectControls(Row::WindowTitle, u"", false, false, "");
}

// The event that reveals a change to the "Client area" row is not acted on; the next one is.
TEST_F(ControlInfoToolTest, DoubleClickInsertsOnlyAfterTheRevealingEvent) {
    SetEditor(u"", 0);
    ASSERT_NO_FATAL_FAILURE(Select(Row::ClientArea, u"450, 490", false));
    Event(ui::kEventDoubleClick, static_cast<WPARAM>(Ids().list));
    EXPECT_EQ(EditorText(), "");
    Event(ui::kEventDoubleClick, static_cast<WPARAM>(Ids().list));
    EXPECT_EQ(EditorText(), "450, 490");
}

// A caret in the first half of its line puts the function above it (below is the end-to-end
// test's); the line help tip is asked for once.
TEST_F(ControlInfoToolTest, InsertFunctionAboveTheLineAsksForTheTip) {
    SetEditor(u"line one", 1);
    ASSERT_NO_FATAL_FAILURE(Select(Row::ControlClassNN, u"Edit1"));
    ASSERT_TRUE(Form().SetText(Ids().functions, u"->WaitControlState2", 2));
    const int tipsBefore = tips_;
    Event(Ids().insertFunction);
    DrainEvents();
    EXPECT_EQ(EditorText(), "->WaitControlState2(Edit1, 7)\r\nline one");
    EXPECT_EQ(editor_.GetSelection().start, 28);
    EXPECT_EQ(editor_.GetSelection().end, 28);
    EXPECT_EQ(tips_, tipsBefore + 1);
}

// Over the tool itself there is no window: rows filled over the target empty when the pointer
// comes back to the tool. (The real mouse over another program is the end-to-end test's.)
TEST_F(ControlInfoToolTest, DragRowsEmptyOverTheToolItself) {
    ScriptedInput input;
    input.path = {Centre(GetDlgItem(target_, target::kInsideButton)), Centre(tool_->Window())};
    input.releaseAt = 2;
    input.onTick = [&](int tick) {
        if (tick != 0) return;
        EXPECT_EQ(tool_->Value(Row::ControlId).ToUtf8(), "101");
        // Here the frame shows: Wine draws nothing one process paints on another's window.
        driver::SaveScreenshot(driver::BesideThisProgram("info_tool_drag.bmp"));
    };
    RecordingCursors cursors;
    ASSERT_EQ(RunPickerDrag(input, *tool_, cursors, nullptr, true), DragEnd::Released);
    EXPECT_EQ(tool_->Value(Row::WindowTitle).ToUtf8(), "");
    EXPECT_EQ(tool_->Value(Row::ControlClassNN).ToUtf8(), "");
}

// Every way out of a drag gives the cursors back exactly once.
TEST(PickerDragTest, EveryWayOutRestoresTheCursors) {
    HWND target = target::CreateTargetWindow(GetModuleHandleW(nullptr), 480, 60);
    const POINT over = Centre(GetDlgItem(target, IDOK));
    const auto expectEnd = [&](int ScriptedInput::*at, int tick, DragEnd end) {
        SCOPED_TRACE(static_cast<int>(end));
        ScriptedInput input;
        input.path = {over};
        input.releaseAt = 10;  // a way out the drag misses ends as a release, not a hang
        input.*at = tick;
        if (end == DragEnd::NotPressed) input.tick = 0;  // the button is up before the loop
        RecordingCursors cursors;
        EXPECT_EQ(RunPickerDrag(input, input, cursors, LoadIconW(nullptr, IDI_APPLICATION), true),
                  end);
        EXPECT_EQ(cursors.replaced, 1);
        EXPECT_EQ(cursors.restored, 1);
    };
    expectEnd(&ScriptedInput::releaseAt, 0, DragEnd::NotPressed);
    expectEnd(&ScriptedInput::releaseAt, 3, DragEnd::Released);
    expectEnd(&ScriptedInput::escapeAt, 2, DragEnd::Escape);
    expectEnd(&ScriptedInput::hiddenAt, 2, DragEnd::ToolGone);
    expectEnd(&ScriptedInput::quitAt, 2, DragEnd::Quitting);
    expectEnd(&ScriptedInput::lostAt, 1, DragEnd::NoCursorPosition);
    DestroyWindow(target);
}

}  // namespace
}  // namespace scrutor

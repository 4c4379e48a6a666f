// "Find" and "Find next" worked from the keyboard: Ctrl+F, typing, Enter and F3.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "e2e_support.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;

constexpr wchar_t kText[] = L"abc ABC abc";

HWND OpenFindWindow(HWND window, DWORD processId) {
    if (!Press(window, 'F', true)) return nullptr;
    HWND find = WaitForWindow(processId, L"SCRUTOR_FIND_WND", L"Find text", kWindowTimeout);
    if (find == nullptr || !WaitUntil([&] { return IsWindowVisible(find) != FALSE; }))
        return nullptr;
    return find;
}

TEST_F(OpenedLog, FindProposesTheSelectionWalksEveryOccurrenceAndReportsWhatItCannotDo) {
    ASSERT_NO_FATAL_FAILURE(Open(L"find.log"));
    SetEditor(editor, kText, 4, 7);
    ASSERT_TRUE(Press(window, VK_F3));
    EXPECT_EQ(AnswerMessageBoxText(scrutor.Id(), L"OK"), L"Can not find an empty string! Try again.");
    EXPECT_EQ(WaitForWindow(scrutor.Id(), L"SCRUTOR_FIND_WND", nullptr, 500), nullptr)
        << "F3 alone must not open the find window";

    HWND find = OpenFindWindow(window, scrutor.Id());
    ASSERT_NE(find, nullptr);
    HWND input = FindChild(find, L"Edit");
    EXPECT_EQ(WindowText(input), L"ABC") << "the selection is the proposed text";
    SaveScreenshot(BesideThisProgram("find_window.bmp"));
    SendMessageW(editor, EM_SETSEL, 0, 0);
    SendMessageW(input, EM_SETSEL, 0, -1);
    TypeText(L"abc");
    PressKey(VK_RETURN);  // "Find next" of the window
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(find); })) << "Find next hides the window";
    EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == std::pair(0, 3); }));
    for (const std::pair<int, int>& next : {std::pair(4, 7), std::pair(8, 11), std::pair(0, 3)}) {
        PressKey(VK_F3);
        EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == next; }))
            << "expected " << next.first << "-" << next.second << ", got "
            << Selection(editor).first << "-" << Selection(editor).second;
    }

    ASSERT_EQ(OpenFindWindow(window, scrutor.Id()), find);
    EXPECT_EQ(WindowText(input), L"abc");
    SendMessageW(input, EM_SETSEL, 0, -1);
    TypeText(L"xyz");
    PressKey(VK_RETURN);
    EXPECT_EQ(AnswerMessageBoxText(scrutor.Id(), L"OK"),
              L"Find Text reached the starting point. No occurrences found.");
    EXPECT_TRUE(WaitUntil([&] {
        const auto [start, end] = Selection(editor);
        return start == end;
    })) << "a failed search leaves no selection";
    EXPECT_EQ(WindowText(editor), kText);
}

}  // namespace

// The memory list's menu items carry its count. Another process cannot read menus under Wine,
// so the texts are read here, inside the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/commands.h"
#include "app_test_support.h"

namespace scrutor {
namespace {

TEST_F(MainWindowTest, MemoryMenuTextsFollowTheNumberOfLines) {
    const auto menuTexts = [&] {
        std::wstring texts;
        for (CommandId id : {CommandId::kManageMemoryList, CommandId::kInsertMemorizedLines}) {
            wchar_t text[128]{};
            GetMenuStringW(GetMenu(app.MainWindow()),
                           static_cast<UINT>(app.Commands().ToolkitId(id)), text, 128,
                           MF_BYCOMMAND);
            texts += text + std::wstring(L"|");
        }
        return texts;
    };
    SetEditorText(app.Editor(),
                  u"C:\\Users\\Maria\\upd.exe | Not signed\r\nshort\r\n"
                  u"<Run> | Updater | C:\\upd\\upd.exe /silent");
    SendMessageW(app.Editor(), EM_SETSEL, 0, -1);
    app.MemoryList().MemorizeSelectedLines();
    EXPECT_EQ(menuTexts(),
              L"Manage memory list (2 lines)\tAlt+W|Insert memorized lines (2 lines)\tCtrl+W|");
    app.MemoryList().MemorizeSelectedLines();  // no duplicate check
    EXPECT_EQ(menuTexts(),
              L"Manage memory list (4 lines)\tAlt+W|Insert memorized lines (4 lines)\tCtrl+W|");
    app.MemoryList().Reset();
    EXPECT_EQ(menuTexts(),
              L"Manage memory list (0 lines)\tAlt+W|Insert memorized lines (0 lines)\tCtrl+W|");
    EXPECT_EQ(app.MemoryList().Count(), 0);
}

}  // namespace
}  // namespace scrutor

#include "app/tool_commands.h"

#include "app/application.h"

namespace scrutor {

void OpenInsertCommands(Application& app) { app.InsertDialog().Open(SW_SHOW); }

// The dialog may be needed hidden: it is where the tip's catalogue lives on screen.
void CurrentLineHelpTip(Application& app) {
    app.InsertDialog().Open(0);
    app.ShowHelpTip();
}

void ShowFind(Application& app) { app.Finder().ShowFindWindow(); }
void FindNextCommand(Application& app) { (void)app.Finder().FindNext(); }
void MemorizeSelectedLines(Application& app) { app.MemoryList().MemorizeSelectedLines(); }
void ManageMemoryList(Application& app) { (void)app.MemoryList().Ensure(SW_SHOW); }
void InsertMemorizedLines(Application& app) { app.MemoryList().InsertFromMenu(); }
void ResetMemoryList(Application& app) { app.MemoryList().Reset(); }
void OpenControlInfoTool(Application& app) { app.ControlInfoTool().Open(); }

}  // namespace scrutor

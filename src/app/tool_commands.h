#pragma once

// The main-window commands of the tool windows: each hands the work to its window.

namespace scrutor {

class Application;

void OpenInsertCommands(Application& app);
void CurrentLineHelpTip(Application& app);
void ShowFind(Application& app);
void FindNextCommand(Application& app);
void MemorizeSelectedLines(Application& app);
void ManageMemoryList(Application& app);
void InsertMemorizedLines(Application& app);
void ResetMemoryList(Application& app);
void OpenControlInfoTool(Application& app);

}  // namespace scrutor

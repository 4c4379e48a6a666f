#pragma once

// The main-window commands of the script templates and of running the script in ZEP.

namespace scrutor {

class Application;

void InsertRepairScript(Application& app);
void InsertMaintenanceScript(Application& app);
void InsertRepairAndMaintenance(Application& app);
void RunScript(Application& app);
void RunScriptAuto(Application& app);

}  // namespace scrutor

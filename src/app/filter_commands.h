#pragma once

// The "Analyze log" commands: the editor side of the log filters.

namespace scrutor {

class Application;

void HideMicrosoftSigned(Application& app);
void HideAllSigned(Application& app);
void HideUninstallEntries(Application& app);
void HideFolderContents(Application& app);
void HideStoppedServices(Application& app);
void HideRecentItems(Application& app);
void ClearUnnecessary(Application& app);
void OnlyFileNotFound(Application& app);
void IgnoreFiles(Application& app);

}  // namespace scrutor

#pragma once

namespace scrutor {

class Application;

// "VirusTotal report of selected lines": starts a job on the selected file and URL lines.
void VirusTotalReportOfSelectedLines(Application& app);

}  // namespace scrutor

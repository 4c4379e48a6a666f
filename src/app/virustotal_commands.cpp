#include "app/virustotal_commands.h"

#include <vector>

#include "app/application.h"
#include "foundation/endpoints.h"
#include "foundation/file_system.h"
#include "foundation/registry_key.h"
#include "ui/image_resource.h"
#include "virustotal/virustotal_job_win.h"
#include "virustotal/vt_items.h"

namespace scrutor {

namespace {

constexpr int kShortestLine = 50;
constexpr const char16_t* kApiKeyValue = u"VirusTotalApiKey";

// The report shows the logo from a file: keep that file the embedded image.
void RefreshLogo(const WideString& path) {
    if (path.IsEmpty()) return;
    if (FileSizeByName(path.CStr()) == ui::ImageResourceSize()) return;
    (void)ui::WriteImageResource(path.CStr());
}

VirusTotalSettings ReadSettings(const WideString& logoPath) {
    VirusTotalSettings settings;
    settings.apiBase = ReadEndpoint(Endpoint::kVirusTotalApi, kProgramKeyPath);
    settings.homePage = ReadEndpoint(Endpoint::kVirusTotalHome, kProgramKeyPath);
    settings.reportService = ReadEndpoint(Endpoint::kReportService, kProgramKeyPath);
    settings.rescanService = ReadEndpoint(Endpoint::kRescanService, kProgramKeyPath);
    RegistryKey key;
    if (key.OpenRead(kProgramKeyPath)) (void)key.ReadString(kApiKeyValue, settings.apiKey);
    (void)settings.apiKey.Trim();
    settings.logoPath = logoPath;
    return settings;
}

}  // namespace

void VirusTotalReportOfSelectedLines(Application& app) {
    WideStringArray selected;
    (void)app.EditorView().SelectedLines(selected, kShortestLine);
    std::vector<WideString> lines;
    for (std::size_t i = 0; i < selected.Count(); ++i) lines.push_back(selected.Get(i));
    const WideString items = ItemsFromLines(lines);
    if (items.IsEmpty()) return;
    RefreshLogo(app.Values().logoPath);
    (void)StartVirusTotalReport(items, ReadSettings(app.Values().logoPath));
}

}  // namespace scrutor

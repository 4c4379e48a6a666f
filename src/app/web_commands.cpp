#include "app/web_commands.h"

#include "analysis/web_lookup_win.h"
#include "app/application.h"
#include "foundation/browser.h"
#include "foundation/endpoints.h"

namespace scrutor {

namespace {

// Read at each use, so that a changed address applies without a restart.
WebEndpoints Endpoints() { return ReadWebEndpoints(kProgramKeyPath); }

}  // namespace

void SearchSelectedLines(Application& app) {
    LookUpSelectedLines(app.MainForm(), app.EditorView(), kSearchLookupFlags, Endpoints());
}

void SearchSelectedFiles(Application& app) {
    LookUpSelectedLines(app.MainForm(), app.EditorView(), kLibraryLookupFlags, Endpoints());
}

// Unlike the look-ups, which always prefer the maker's browser, the help pages follow the
// DontUseVistro setting.
void OpenHelpPage(Application& app, HelpPage page) {
    const std::uint32_t flags = app.Config().useVistro ? kPreferVistro : 0;
    (void)OpenUrl(HelpPageUrl(Endpoints().helpSite, page), flags);
}

}  // namespace scrutor

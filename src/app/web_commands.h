#pragma once

// The main-window commands that open web pages: the look-ups of selected log lines and the
// Help menu's pages.

#include "analysis/web_lookup.h"

namespace scrutor {

class Application;

void SearchSelectedLines(Application& app);
void SearchSelectedFiles(Application& app);

void OpenHelpPage(Application& app, HelpPage page);
template <HelpPage kPage>
void OpenHelp(Application& app) {
    OpenHelpPage(app, kPage);
}

}  // namespace scrutor

#pragma once

#include "foundation/wide_string.h"

namespace scrutor {

// Where a job looks things up and what it shows; read from the registry by the command.
struct VirusTotalSettings {
    WideString apiBase;        // the service's API, scheme included
    WideString homePage;       // the service's home page, for the report's links
    WideString reportService;  // the maker's detection notice service
    WideString rescanService;  // the maker's rescan page
    WideString apiKey;         // the user's own key; empty: nothing is sent
    WideString logoPath;       // the image the report shows
};

// Starts an analysis of the items ("path->hash" or URLs joined by "|") on threads of its
// own and returns at once; the report opens in the browser when it is written.
[[nodiscard]] bool StartVirusTotalReport(const WideString& items, const VirusTotalSettings& settings);

}  // namespace scrutor

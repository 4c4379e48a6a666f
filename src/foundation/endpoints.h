#pragma once

// The outside web addresses the program opens pages on. Each has a built-in default that a
// REG_SZ value of the same name under the program's registry key replaces.

#include <cstddef>

#include "foundation/wide_string.h"

namespace scrutor {

enum class Endpoint : std::size_t {
    kSearch,
    kFileLibrary,
    kHelpSite,
    kVirusTotalApi,
    kVirusTotalHome,
    kReportService,
    kRescanService,
    kCount
};

// The registry value that overrides the endpoint: "SearchUrl", "FileLibraryUrl", ...
[[nodiscard]] const char16_t* EndpointValueName(Endpoint endpoint);
[[nodiscard]] const char16_t* DefaultEndpointUrl(Endpoint endpoint);

// The base URL to use, without a trailing slash: the configured text when it is an http or
// https URL, otherwise the default.
[[nodiscard]] WideString EndpointUrl(Endpoint endpoint, const WideString& configured);

// The base URLs of one look-up or help command.
struct WebEndpoints {
    WideString search;
    WideString fileLibrary;
    WideString helpSite;
};

// Reads the overrides under a registry key path; unreadable values give the defaults.
[[nodiscard]] WebEndpoints ReadWebEndpoints(const char16_t* keyPath);
[[nodiscard]] WideString ReadEndpoint(Endpoint endpoint, const char16_t* keyPath);

}  // namespace scrutor

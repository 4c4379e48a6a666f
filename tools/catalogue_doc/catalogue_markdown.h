#pragma once

#include <string>

#include "catalogue/command_catalogue.h"

namespace scrutor {

// The whole catalogue as a Markdown reference (UTF-8, LF line ends).
[[nodiscard]] std::string CatalogueMarkdown(const CommandCatalogue& catalogue);

}  // namespace scrutor

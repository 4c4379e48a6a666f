#pragma once

// Opening web pages about the files that selected log lines name.

#include <cstdint>

#include "foundation/endpoints.h"
#include "foundation/wide_string.h"
#include "ui/editor.h"
#include "ui/form.h"

namespace scrutor {

// One page for each selected line that names a file; with many, asks the user first.
void LookUpSelectedLines(ui::Form& main, const Editor& editor, std::uint32_t flags,
                         const WebEndpoints& endpoints);

// True when a browser was started for the text's page.
[[nodiscard]] bool OpenWebLookup(const WideString& text, std::uint32_t flags,
                                 const WebEndpoints& endpoints);

}  // namespace scrutor

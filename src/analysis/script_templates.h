#pragma once

// The two ready-made scripts of the Tools menu.

#include "foundation/wide_string.h"

namespace scrutor {

// Each line ends with CR LF; the first line is empty.
[[nodiscard]] WideString RepairTemplate();
[[nodiscard]] WideString MaintenanceTemplate();
// The repair template, CR LF, then the maintenance template.
[[nodiscard]] WideString RepairAndMaintenanceTemplate();

}  // namespace scrutor

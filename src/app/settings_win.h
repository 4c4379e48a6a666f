#pragma once

#include <windows.h>

#include <cstdint>

#include "app/core/settings.h"
#include "foundation/console_user.h"
#include "foundation/registry_key.h"
#include "foundation/wide_string.h"

namespace scrutor {

// The five program values under an open program key; unreadable ones stay empty.
[[nodiscard]] RawSettings ReadProgramSettings(const RegistryKey& programKey);

// Writes the zoomed font size always and the window rectangle only when the window is not
// minimised, so a minimised close keeps the last real geometry.
void WriteProgramSettings(RegistryKey& programKey, std::int32_t fontSize, HWND window);

// The console user's ShowInfoTip; 1 when no console user or value can be found.
[[nodiscard]] std::uint32_t ReadShowInfoTip();

// ZEP beside the program, else under the maker's InstallDir; empty when neither exists.
[[nodiscard]] WideString LocateZep(const WideString& programDirectory);

}  // namespace scrutor

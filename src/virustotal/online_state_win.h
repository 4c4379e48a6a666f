#pragma once

// Whether the machine reports a network connection. Apart from the WinHTTP code because the
// WinINet header that answers it cannot meet the WinHTTP header in one source.

namespace scrutor {

[[nodiscard]] bool MachineIsOnline();

}  // namespace scrutor

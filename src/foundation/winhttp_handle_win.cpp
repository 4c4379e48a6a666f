#include <windows.h>

#include <winhttp.h>

#include "foundation/handles.h"

namespace scrutor {

bool WinHttpHandleTraits::Close(Handle h) {
    return WinHttpCloseHandle(h) != FALSE;
}

}  // namespace scrutor

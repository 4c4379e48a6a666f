#include <windows.h>

#include <wininet.h>

#include "foundation/handles.h"

namespace scrutor {

bool InternetHandleTraits::Close(Handle h) {
    return InternetCloseHandle(h) != FALSE;
}

}  // namespace scrutor

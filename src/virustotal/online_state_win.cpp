#include "virustotal/online_state_win.h"

#include <windows.h>

#include <wininet.h>

namespace scrutor {

bool MachineIsOnline() {
    DWORD how = 0;
    return InternetGetConnectedState(&how, 0) != FALSE;
}

}  // namespace scrutor

#pragma once
// The platform's numbers for the portable show states and session ends.
#include <windows.h>

#include "platform/ShowState.h"

namespace platform::win32 {

inline int ShowCommand(ShowState show) {
    switch (show) {
        case ShowState::Hidden: return SW_HIDE;
        case ShowState::Normal: return SW_SHOWNORMAL;
        case ShowState::Shown: break;
    }
    return SW_SHOW;
}

inline UINT ExitFlags(ExitKind kind) {
    switch (kind) {
        case ExitKind::Shutdown: return EWX_SHUTDOWN;
        case ExitKind::Reboot: return EWX_REBOOT;
        case ExitKind::Logoff: break;
    }
    return EWX_LOGOFF;
}

}  // namespace platform::win32

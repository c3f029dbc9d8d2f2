#pragma once
// How the first window of a started program or an opened document shows, and how a session ends:
// the ports speak in these; the platform's numbers for them live in the backends.
namespace platform {

enum class ShowState {
    Hidden,  // started without a window to see (a shortcut run in the background)
    Normal,  // at its normal size and place, activated
    Shown,   // as the program last chose, activated
};

enum class ExitKind { Logoff, Shutdown, Reboot };

}  // namespace platform

// The yardstick of the start-up benchmark: the least a Win32 program does to show a window, one
// window that paints its client area, and a message loop.
#include "MinimalWindowBody.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return minimal::ShowAndRun(instance, L"MinimalWindow"); }

// The minimal window of the start-up benchmark with the platform's common controls of visual
// styles started, as every program with themed controls starts them: what those controls cost a
// program before it makes any of its own windows. The run box is measured against it too.
#include "MinimalWindowBody.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    return minimal::ShowAndRun(instance, L"ControlsWindow");
}

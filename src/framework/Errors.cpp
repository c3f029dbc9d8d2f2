#include "framework/Errors.h"

namespace framework {

void TLibraryError::MakeError(bool iserr, int errcode) {
    FNumber = 0;
    if (iserr) FNumber = errcode;
}

std::u16string TLibraryError::ErrorInfo(int) { return {}; }

}  // namespace framework

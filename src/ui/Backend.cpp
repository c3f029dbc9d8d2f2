#include "ui/Backend.h"

namespace ui {

// Defined by the backend folder the build chose.
UiBackend& DefaultBackend();

namespace {
UiBackend* installed = nullptr;
}

UiBackend& GetBackend() { return installed ? *installed : DefaultBackend(); }

UiBackend* SetBackend(UiBackend* replacement) {
    UiBackend* previous = installed;
    installed = replacement;
    return previous;
}

}  // namespace ui

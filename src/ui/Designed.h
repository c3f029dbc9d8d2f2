#pragma once
// A control of a form's design: made, named, placed on its parent at its designed bounds.
#include <string>

#include "ui/Control.h"

namespace ui {

template <class T>
T* MakeDesigned(TWinControl& parent, const char16_t* name, int left, int top, int width, int height) {
    auto* control = new T(&parent);
    control->SetName(name);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    return control;
}

}  // namespace ui

#include "ui/DialogKeys.h"

#include "ui/StdCtrls.h"

namespace ui {

namespace {
TButton* FindButton(TWinControl& control, bool (*pick)(const TButton&)) {
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (auto* button = dynamic_cast<TButton*>(child); button && button->Visible() && pick(*button)) return button;
        if (auto* win = dynamic_cast<TWinControl*>(child); win && win->Visible())
            if (TButton* found = FindButton(*win, pick)) return found;
    }
    return nullptr;
}
}  // namespace

TButton* FindDefaultButton(TWinControl& root) {
    return FindButton(root, [](const TButton& b) { return b.Default(); });
}

TButton* FindCancelButton(TWinControl& root) {
    return FindButton(root, [](const TButton& b) { return b.Cancel(); });
}

bool PressDialogKey(TWinControl& form, bool cancel) {
    TButton* button = cancel ? FindCancelButton(form) : FindDefaultButton(form);
    if (!button) return false;
    if (button->Enabled()) button->HandleClick();
    return true;
}

}  // namespace ui

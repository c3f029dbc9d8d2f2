#pragma once
// Enter and Escape in a form: the default button and the cancel button, found the same way on
// every platform (the first shown one, depth first in the order the controls were placed).
namespace ui {

class TButton;
class TWinControl;

TButton* FindDefaultButton(TWinControl& root);
TButton* FindCancelButton(TWinControl& root);
// Clicks the cancel (Escape) or default (Enter) button of the form if it is enabled; true when
// the form has such a button, so that the key goes no further.
bool PressDialogKey(TWinControl& form, bool cancel);

}  // namespace ui

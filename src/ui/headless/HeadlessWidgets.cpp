#include "ui/headless/HeadlessWidgets.h"

#include "ui/StdCtrls.h"

namespace ui::headless {

HeadlessButton::HeadlessButton(TButton& button) : HeadlessPeer(button), Default(button.Default()) {}

void HeadlessButton::UserClick() {
    if (!Enabled) return;
    Deliver([this] { Control.HandleClick(); });
}

HeadlessEdit::HeadlessEdit(TEdit& edit) : HeadlessPeer(edit), MaxLength(edit.MaxLength()), ReadOnly(edit.ReadOnly()) {}

void HeadlessEdit::UserEdit(const std::u16string& text) {
    if (!Enabled || ReadOnly) return;
    Text = MaxLength > 0 && static_cast<int>(text.size()) > MaxLength ? text.substr(0, MaxLength) : text;
    Deliver([this] { static_cast<TEdit&>(Control).HandleTextEdited(Text); });
}

HeadlessCheckBox::HeadlessCheckBox(TCheckBox& box) : HeadlessPeer(box), Checked(box.Checked()) {}

void HeadlessCheckBox::UserToggle() {
    if (!Enabled) return;
    Deliver([this] { static_cast<TCheckBox&>(Control).HandleToggled(); });
}

}  // namespace ui::headless

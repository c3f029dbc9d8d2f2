#include "ui/headless/HeadlessEdit.h"

#include "ui/StdCtrls.h"

namespace ui::headless {

HeadlessEdit::HeadlessEdit(TEdit& edit) : HeadlessPeer(edit), MaxLength(edit.MaxLength()), ReadOnly(edit.ReadOnly()) {}

void HeadlessEdit::UserEdit(const std::u16string& text) {
    if (!Enabled || ReadOnly) return;
    Text = MaxLength > 0 && static_cast<int>(text.size()) > MaxLength ? text.substr(0, MaxLength) : text;
    Deliver([this] { static_cast<TEdit&>(Control).HandleTextEdited(Text); });
}

}  // namespace ui::headless

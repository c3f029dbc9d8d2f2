#include "ui/headless/HeadlessComboBox.h"

#include "ui/Backend.h"
#include "ui/StdCtrls.h"

namespace ui::headless {

HeadlessComboBox::HeadlessComboBox(TComboBox& box)
    : HeadlessPeer(box), MaxLength(box.MaxLength()), ReadOnly(box.ReadOnly()), PathCompletion(box.PathCompletion()),
      Items(box.Items()) {
    if (PathCompletion) GetBackend().StartShellServices();
}

void HeadlessComboBox::SetPathCompletion(bool complete) {
    // As the platform's completion does, it needs the shell's services.
    GetBackend().StartShellServices();
    PathCompletion = complete;
}

void HeadlessComboBox::UserEdit(const std::u16string& text) {
    if (!Enabled || ReadOnly) return;
    AllSelected = false;
    Text = MaxLength > 0 && static_cast<int>(text.size()) > MaxLength ? text.substr(0, MaxLength) : text;
    Deliver([this] { static_cast<TComboBox&>(Control).HandleTextEdited(Text); });
}

void HeadlessComboBox::UserChoose(int index) {
    if (!Enabled || index < 0 || index >= static_cast<int>(Items.size())) return;
    UserEdit(Items[static_cast<std::size_t>(index)]);
}

}  // namespace ui::headless

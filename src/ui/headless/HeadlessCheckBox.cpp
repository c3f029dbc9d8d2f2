#include "ui/headless/HeadlessCheckBox.h"

#include "ui/StdCtrls.h"

namespace ui::headless {

HeadlessCheckBox::HeadlessCheckBox(TCheckBox& box) : HeadlessPeer(box), Checked(box.Checked()) {}

void HeadlessCheckBox::UserToggle() {
    if (!Enabled) return;
    Deliver([this] { static_cast<TCheckBox&>(Control).HandleToggled(); });
}

}  // namespace ui::headless

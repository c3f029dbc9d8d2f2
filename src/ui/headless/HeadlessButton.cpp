#include "ui/headless/HeadlessButton.h"

#include "ui/StdCtrls.h"

namespace ui::headless {

HeadlessButton::HeadlessButton(TButton& button) : HeadlessPeer(button), Default(button.Default()) {}

void HeadlessButton::UserClick() {
    if (!Enabled) return;
    Deliver([this] { Control.HandleClick(); });
}

}  // namespace ui::headless

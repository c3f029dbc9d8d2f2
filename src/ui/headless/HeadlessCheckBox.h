#pragma once
// A check box's in-memory widget: it mirrors the check state and lets a test toggle it.
#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TCheckBox;
}

namespace ui::headless {

class HeadlessCheckBox final : public CheckBoxPeer, public HeadlessPeer {
public:
    explicit HeadlessCheckBox(TCheckBox& box);
    void SetChecked(bool checked) override { Checked = checked; }
    void UserToggle();
    bool Checked = false;
};

}  // namespace ui::headless

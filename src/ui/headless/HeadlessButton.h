#pragma once
// A push button's in-memory widget: it mirrors the default style and lets a test press it.
#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TButton;
}

namespace ui::headless {

class HeadlessButton final : public ButtonPeer, public HeadlessPeer {
public:
    explicit HeadlessButton(TButton& button);
    void SetDefault(bool isDefault) override { Default = isDefault; }
    // The user pressed the button (a click, the space bar).
    void UserClick();
    bool Default = false;
};

}  // namespace ui::headless

#pragma once
// A self-painted control's in-memory widget: it has nothing beyond what every widget has.
#include "ui/headless/HeadlessPeer.h"

namespace ui::headless {

class HeadlessCustom final : public CustomPeer, public HeadlessPeer {
public:
    explicit HeadlessCustom(TWinControl& control) : HeadlessPeer(control) {}
};

}  // namespace ui::headless

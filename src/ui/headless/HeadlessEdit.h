#pragma once
// An edit field's in-memory widget: it mirrors the length limit and read-only state and lets a test type.
#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TEdit;
}

namespace ui::headless {

class HeadlessEdit final : public EditPeer, public HeadlessPeer {
public:
    explicit HeadlessEdit(TEdit& edit);
    void SetMaxLength(int length) override { MaxLength = length; }
    void SetReadOnly(bool readOnly) override { ReadOnly = readOnly; }
    void PlaceCaretAtEnd() override { CaretAtEnd = true; }
    // The caret was put after the text; typing anywhere else would have moved it.
    bool CaretAtEnd = false;
    // The user typed the field's whole new text.
    void UserEdit(const std::u16string& text);
    int MaxLength = 0;
    bool ReadOnly = false;
};

}  // namespace ui::headless

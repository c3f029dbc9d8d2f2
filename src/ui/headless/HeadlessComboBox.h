#pragma once
// A combo box's in-memory widget: its text, its list and what the program asked of it, and the
// user's typing and choosing from the list.
#include <string>
#include <vector>

#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TComboBox;
}

namespace ui::headless {

class HeadlessComboBox final : public ComboBoxPeer, public HeadlessPeer {
public:
    explicit HeadlessComboBox(TComboBox& box);
    void SetMaxLength(int length) override { MaxLength = length; }
    void SetReadOnly(bool readOnly) override { ReadOnly = readOnly; }
    void PlaceCaretAtEnd() override { CaretAtEnd = true; }
    // The caret was put after the text; typing anywhere else would have moved it.
    bool CaretAtEnd = false;
    void SetItems(const std::vector<std::u16string>& items) override { Items = items; }
    void SelectAllText() override { AllSelected = true; }
    void SetPathCompletion(bool complete) override;
    // The user typed the field's whole new text, or chose an item of the list.
    void UserEdit(const std::u16string& text);
    void UserChoose(int index);
    int MaxLength = 0;
    bool ReadOnly = false;
    bool AllSelected = false;
    bool PathCompletion = false;
    std::vector<std::u16string> Items;
};

}  // namespace ui::headless

#pragma once
// A combo box with an edit field: the platform's COMBOBOX class in its drop-down style. Typing and
// choosing from the list come back through the parent's WM_COMMAND.
#include "ui/win32/WindowPeer.h"

namespace ui {
class TComboBox;
}

namespace ui::win32 {

class ComboBoxWindow final : public ComboBoxPeer, public WindowPeer {
public:
    explicit ComboBoxWindow(TComboBox& box);
    void SetMaxLength(int length) override;
    void SetReadOnly(bool) override {}
    void PlaceCaretAtEnd() override;
    void SetItems(const std::vector<std::u16string>& items) override;
    void SelectAllText() override;
    void SetPathCompletion(bool complete) override;
    bool OnReflectedCommand(WORD code) override;

private:
    HWND EditHandle() const;
};

}  // namespace ui::win32

#pragma once
// An extended combo box: the platform's COMBOBOXEX class in its drop-down style with an edit
// field. Entries carry their pictures and indent; the choice comes back through WM_COMMAND.
#include "ui/win32/WindowPeer.h"

namespace ui {
class TComboBoxEx;
}

namespace ui::win32 {

class ComboBoxExWindow final : public ComboBoxExPeer, public WindowPeer {
public:
    explicit ComboBoxExWindow(TComboBoxEx& box);
    void InsertItem(int index, const TComboExItem& item) override;
    void UpdateItem(int index, const TComboExItem& item) override;
    void DeleteItem(int index) override;
    void DeleteAll() override;
    void SetItemIndex(int index) override;
    void SetImages(std::intptr_t images) override;
    void SetRedraw(bool redraw) override;
    bool OnReflectedCommand(WORD code) override;

private:
    void Describe(COMBOBOXEXITEMW& entry, int index, const TComboExItem& item, std::wstring& text) const;
};

}  // namespace ui::win32

#pragma once
// The in-memory widgets of the platform's own controls and of self-painted ones: each mirrors the
// state its family is given, and the native ones let a test act as their user.
#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TButton;
class TEdit;
class TCheckBox;
}

namespace ui::headless {

class HeadlessCustom final : public CustomPeer, public HeadlessPeer {
public:
    explicit HeadlessCustom(TWinControl& control) : HeadlessPeer(control) {}
};

class HeadlessButton final : public ButtonPeer, public HeadlessPeer {
public:
    explicit HeadlessButton(TButton& button);
    void SetDefault(bool isDefault) override { Default = isDefault; }
    // The user pressed the button (a click, the space bar).
    void UserClick();
    bool Default = false;
};

class HeadlessEdit final : public EditPeer, public HeadlessPeer {
public:
    explicit HeadlessEdit(TEdit& edit);
    void SetMaxLength(int length) override { MaxLength = length; }
    void SetReadOnly(bool readOnly) override { ReadOnly = readOnly; }
    // The user typed the field's whole new text.
    void UserEdit(const std::u16string& text);
    int MaxLength = 0;
    bool ReadOnly = false;
};

class HeadlessCheckBox final : public CheckBoxPeer, public HeadlessPeer {
public:
    explicit HeadlessCheckBox(TCheckBox& box);
    void SetChecked(bool checked) override { Checked = checked; }
    void UserToggle();
    bool Checked = false;
};

}  // namespace ui::headless

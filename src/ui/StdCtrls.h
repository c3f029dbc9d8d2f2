#pragma once
// The standard controls: a label painted by its parent, and the platform's push button, edit field and check box.
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/GraphicControl.h"

namespace ui {

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TLabel"; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout l);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool w);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool a);
    // Leaves the parent's colour behind the text instead of filling with Color.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool t);
    // The text flags the label draws with.
    unsigned DrawFlags() const;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    void AdjustSize();
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FAutoSize = true;
    bool FTransparent = false;
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TButton"; }
    bool Default() const { return FDefault; }
    void SetDefault(bool d);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool c) { FCancel = c; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int r) { FModalResult = r; }
    // OnClick, then the modal result handed to the parent form.
    void Click() override;

protected:
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = mrNone;
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TEdit"; }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int n);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool r);
    void PlaceCaretAtEnd();
    // The user changed the text in the widget.
    void HandleTextEdited(const std::u16string& text);
    TNotifyEvent OnChange;

protected:
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;
    void TextChanged() override;

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FFromWidget = false;
};

// An edit field with a drop-down list of earlier texts; choosing one puts it into the field.
class TComboBox : public TEdit {
public:
    explicit TComboBox(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TComboBox"; }
    const std::vector<std::u16string>& Items() const { return FItems; }
    void SetItems(std::vector<std::u16string> items);
    void SelectAll();
    bool PathCompletion() const { return FPathCompletion; }
    void SetPathCompletion(bool complete);

protected:
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;

private:
    std::vector<std::u16string> FItems;
    bool FPathCompletion = false;
};

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TCheckBox"; }
    bool Checked() const { return FChecked; }
    // A change raises OnClick, as a click on the box does.
    void SetChecked(bool c);
    // The user toggled the box in the widget.
    void HandleToggled() { SetChecked(!FChecked); }

protected:
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;

private:
    bool FChecked = false;
};

}  // namespace ui

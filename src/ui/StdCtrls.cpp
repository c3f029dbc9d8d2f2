#include "ui/StdCtrls.h"

#include "ui/Form.h"

namespace ui {

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment a) {
    if (a == FAlignment) return;
    FAlignment = a;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout l) {
    if (l == FLayout) return;
    FLayout = l;
    Invalidate();
}

void TLabel::SetWordWrap(bool w) {
    if (w == FWordWrap) return;
    FWordWrap = w;
    AdjustSize();
    Invalidate();
}

void TLabel::SetAutoSize(bool a) {
    if (a == FAutoSize) return;
    FAutoSize = a;
    AdjustSize();
}

void TLabel::SetTransparent(bool t) {
    if (t == FTransparent) return;
    FTransparent = t;
    // A transparent label does not cover itself: what lies behind it is drawn first.
    SetControlStyle(t ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

unsigned TLabel::DrawFlags() const {
    unsigned flags = FAlignment == taCenter ? dtCenter : FAlignment == taRightJustify ? dtRight : dtLeft;
    if (FWordWrap) flags |= dtWordBreak;
    return flags | dtExpandTabs;
}

void TLabel::TextChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!FAutoSize || (ComponentState() & csLoading)) return;
    std::unique_ptr<CanvasSurface> surface = MeasuringSurface();
    if (!surface) return;
    TCanvas canvas(std::move(surface));
    canvas.Font.Assign(&Font());
    TRect r = Rect(0, 0, FWordWrap ? Width() : 0, 0);
    canvas.DrawText(Caption().empty() ? u" " : Caption(), r, DrawFlags() | dtCalcRect);
    SetBounds(Left(), Top(), r.Width(), r.Height());
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    if (!FTransparent) {
        canvas.Brush.Color = Color();
        canvas.FillRect(client);
    }
    canvas.Brush.Style = bsClear;
    TRect r = client;
    if (FLayout != tlTop) {
        TRect measured = client;
        canvas.DrawText(Caption(), measured, DrawFlags() | dtCalcRect);
        const int offset = client.Height() - measured.Height();
        r.Top += FLayout == tlCenter ? offset / 2 : offset;
    }
    if (!Enabled()) canvas.Font.SetColor(clGrayText);
    canvas.DrawText(Caption(), r, DrawFlags());
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

std::unique_ptr<ControlPeer> TButton::CreatePeer(UiBackend& backend) { return backend.CreateButton(*this); }

void TButton::SetDefault(bool d) {
    if (d == FDefault) return;
    FDefault = d;
    if (auto* widget = PeerAs<ButtonPeer>()) widget->SetDefault(d);
}

void TButton::Click() {
    TWinControl::Click();
    if (FModalResult == mrNone) return;
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
}

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 23);
}

std::unique_ptr<ControlPeer> TEdit::CreatePeer(UiBackend& backend) { return backend.CreateEdit(*this); }

void TEdit::SetMaxLength(int n) {
    if (n == FMaxLength) return;
    FMaxLength = n;
    if (auto* widget = PeerAs<EditPeer>()) widget->SetMaxLength(n);
}

void TEdit::PlaceCaretAtEnd() {
    if (auto* widget = PeerAs<EditPeer>()) widget->PlaceCaretAtEnd();
}

void TEdit::SetReadOnly(bool r) {
    if (r == FReadOnly) return;
    FReadOnly = r;
    if (auto* widget = PeerAs<EditPeer>()) widget->SetReadOnly(r);
}

void TEdit::HandleTextEdited(const std::u16string& text) {
    FFromWidget = true;
    SetCaption(text);
    FFromWidget = false;
}

void TEdit::TextChanged() {
    if (!FFromWidget) TWinControl::TextChanged();
    if (OnChange) OnChange(this);
}

TComboBox::TComboBox(TComponent* AOwner) : TEdit(AOwner) { SetBounds(0, 0, 145, 23); }

std::unique_ptr<ControlPeer> TComboBox::CreatePeer(UiBackend& backend) { return backend.CreateComboBox(*this); }

void TComboBox::SetItems(std::vector<std::u16string> items) {
    FItems = std::move(items);
    if (auto* widget = PeerAs<ComboBoxPeer>()) widget->SetItems(FItems);
}

void TComboBox::SelectAll() {
    if (auto* widget = PeerAs<ComboBoxPeer>()) widget->SelectAllText();
}

void TComboBox::SetPathCompletion(bool complete) {
    if (complete == FPathCompletion) return;
    FPathCompletion = complete;
    if (auto* widget = PeerAs<ComboBoxPeer>()) widget->SetPathCompletion(complete);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

std::unique_ptr<ControlPeer> TCheckBox::CreatePeer(UiBackend& backend) { return backend.CreateCheckBox(*this); }

void TCheckBox::SetChecked(bool c) {
    if (c == FChecked) return;
    FChecked = c;
    if (auto* widget = PeerAs<CheckBoxPeer>()) widget->SetChecked(c);
    TWinControl::Click();
}

}  // namespace ui

#include "ui/Form.h"

namespace ui {

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetVisible(false);
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    if (OnDestroy) OnDestroy(this);
    // Components and child controls must go while the form is still a form.
    DestroyComponents();
}

void TForm::FinishLoading() {
    EndLoading();
    if (OnCreate) OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    PeerStateChanged();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == FBorderIcons) return;
    FBorderIcons = icons;
    PeerStateChanged();
}

void TForm::SetClientSize(int width, int height) {
    HandleNeeded();
    // The frame is what the outer size has beyond the client area.
    const int frameX = Width() - ClientWidth();
    const int frameY = Height() - ClientHeight();
    SetBounds(Left(), Top(), width + frameX, height + frameY);
}

bool TForm::Showing() const { return Visible() && Peer() && Peer()->Showing(); }

void TForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TForm::VisibleChanged() {
    if (Visible()) {
        HandleNeeded();
        if (FPosition == poScreenCenter && !FPlaced) {
            const TRect area = GetBackend().WorkArea();
            SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
                      Height());
        }
        FPlaced = true;
        if (OnShow) OnShow(this);
    }
    TWinControl::VisibleChanged();
    if (!Visible() && OnHide) OnHide(this);
}

void TForm::HandleShowing(bool showing) {
    if (showing == Visible()) return;
    TControl::SetVisible(showing);
}

int TForm::ShowModal() {
    FModalResult = mrNone;
    FModal = true;
    HandleNeeded();
    Show();
    GetBackend().RunUntil([this] { return FModalResult != mrNone || !Peer(); });
    if (FModalResult == mrNone) FModalResult = mrCancel;
    if (Visible()) Hide();
    FModal = false;
    return FModalResult;
}

void TForm::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    if (!canClose) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (action == caHide || action == caFree) Hide();
}

TWindowPlacement TForm::GetPlacement() {
    HandleNeeded();
    return Peer() ? Peer()->GetPlacement() : TWindowPlacement{};
}

void TForm::SetPlacement(const TWindowPlacement& placement) {
    HandleNeeded();
    FPlaced = true;
    if (Peer()) Peer()->SetPlacement(placement);
}

void TForm::SetTopmost(bool topmost) {
    if (Peer()) Peer()->SetTopmost(topmost);
}

void TForm::BringToFront() {
    if (Peer()) Peer()->BringToFront();
}

namespace {
class Counting {
public:
    explicit Counting(int& count) : FCount(count) { ++FCount; }
    ~Counting() { --FCount; }
    Counting(const Counting&) = delete;
    Counting& operator=(const Counting&) = delete;

private:
    int& FCount;
};
}  // namespace

void TForm::HandleMove(const TRect& bounds) {
    Counting reporting(FReportingBounds);
    HandleBoundsChanged(bounds);
    WMMove();
}

void TForm::HandleSize(const TRect& bounds) {
    Counting reporting(FReportingBounds);
    HandleBoundsChanged(bounds);
    WMSize();
}

void TForm::WMActivate(int state) {
    if (state != waInactive && OnActivate) OnActivate(this);
    if (state == waInactive && OnDeactivate) OnDeactivate(this);
}

void TForm::WMMove() {}
void TForm::WMSize() {}

TForm* GetParentForm(TControl* control) {
    while (control && control->Parent()) control = control->Parent();
    return dynamic_cast<TForm*>(control);
}

}  // namespace ui

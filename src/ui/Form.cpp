#include "ui/Form.h"

#include <vector>

#include "ui/DialogKeys.h"

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

std::unique_ptr<ControlPeer> TForm::CreatePeer(UiBackend& backend) { return backend.CreateForm(*this); }

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    if (FormPeer* widget = Widget()) widget->BorderChanged();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == FBorderIcons) return;
    FBorderIcons = icons;
    if (FormPeer* widget = Widget()) widget->BorderChanged();
}

void TForm::SetModalFrame(bool modalFrame) {
    if (modalFrame == FModalFrame) return;
    FModalFrame = modalFrame;
    if (FormPeer* widget = Widget()) widget->BorderChanged();
}

void TForm::DesignLoaded() {
    // From here on the design is shown at the screen's density: scaled before its controls get
    // their windows, each is made once at its final bounds and font.
    ScaleToDpi(GetBackend().ScreenDpi());
}

void TForm::ScaleToDpi(int dpi) {
    if (dpi <= 0 || dpi == FCurrentDpi) return;
    const int from = FCurrentDpi;
    FCurrentDpi = dpi;
    ScaleDesign(dpi, from);
}

void TForm::ScaleDesign(int M, int D) {
    // The form keeps its place. Its font and everything it owns scale first, its client area last,
    // so that a layout made on the resize (the size manager's) sees the scaled design.
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    Font().SetPixelsPerInch(ScaleLength(Font().PixelsPerInch(), M, D));
    Font().SetHeight(ScaleLength(Font().Height(), M, D));
    // A copy: a handler of Resize might make or free components.
    std::vector<TComponent*> owned;
    for (int i = 0; i < ComponentCount(); ++i) owned.push_back(Components(i));
    for (TComponent* c : owned) c->ScaleDesign(M, D);
    SetClientSize(ScaleLength(clientWidth, M, D), ScaleLength(clientHeight, M, D));
}

void TForm::HandleDpiChanged(int dpi, const TRect& suggested) {
    ScaleToDpi(dpi);
    SetBounds(suggested.Left, suggested.Top, suggested.Width(), suggested.Height());
}

bool TForm::HandleDialogKey(bool cancel) { return PressDialogKey(*this, cancel); }

void TForm::SetClientSize(int width, int height) {
    HandleNeeded();
    // The frame is what the outer size has beyond the client area.
    const int frameX = Width() - ClientWidth();
    const int frameY = Height() - ClientHeight();
    SetBounds(Left(), Top(), width + frameX, height + frameY);
}

bool TForm::Showing() const {
    const FormPeer* widget = Widget();
    return Visible() && widget && widget->Showing();
}

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
    for (;;) {
        FCloseHandled = false;
        GetBackend().RunUntil([this] { return FModalResult != mrNone || !Peer(); });
        if (!Peer() || FCloseHandled) break;
        // A button's modal result closes the form as its close box does: the form is asked and
        // told, and may keep itself open.
        if (CloseAction() != caNone) break;
        FModalResult = mrNone;
    }
    if (FModalResult == mrNone) FModalResult = mrCancel;
    if (Visible()) Hide();
    FModal = false;
    return FModalResult;
}

TCloseAction TForm::CloseAction() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    if (!canClose) return caNone;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    return action;
}

void TForm::Close() {
    const TCloseAction action = CloseAction();
    if (action == caNone) return;
    if (FModal) {
        FCloseHandled = true;
        FModalResult = mrCancel;
        return;
    }
    if (action == caHide || action == caFree) Hide();
}

TWindowPlacement TForm::GetPlacement() {
    HandleNeeded();
    FormPeer* widget = Widget();
    return widget ? widget->GetPlacement() : TWindowPlacement{};
}

void TForm::SetPlacement(const TWindowPlacement& placement) {
    HandleNeeded();
    FPlaced = true;
    if (FormPeer* widget = Widget()) widget->SetPlacement(placement);
}

void TForm::SetTopmost(bool topmost) {
    if (FormPeer* widget = Widget()) widget->SetTopmost(topmost);
}

void TForm::BringToFront() {
    if (FormPeer* widget = Widget()) widget->BringToFront();
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

#include "runbox/RunForm.h"

#include <algorithm>
#include <exception>

#include "app/Glyphs.h"
#include "app/NbVariables.h"
#include "framework/Registry.h"
#include "platform/ShellOperations.h"
#include "platform/StartTimeline.h"
#include "platform/System.h"
#include "runbox/RunCommand.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Designed.h"

namespace runbox {

std::u16string RunRegistryKey() { return app::AppRegistryKey() + u"\\Run"; }

ui::TPoint LowerLeftCorner(const ui::TRect& workArea, int width, int height, int margin) {
    const int left = workArea.Left + margin;
    const int top = std::max(workArea.Top, workArea.Bottom - height - margin);
    return {std::min(left, std::max(workArea.Left, workArea.Right - width)), top};
}

namespace {
// The picture: a window with a title bar and an arrow pointing out of it, up and right.
bool RunPictureShape(double u, double v) {
    const bool frame = u >= 1 && u < 12 && v >= 4 && v < 15 && (u < 2 || u >= 11 || v < 6 || v >= 14);
    const double d = u - (16 - v);  // on the diagonal from the lower left to the upper right
    const bool shaft = v >= 3 && v < 11 && u >= 5 && u < 13 && d > -1.2 && d < 1.2;
    const bool head = u >= 9 && u < 15 && v >= 1 && v < 7 && (u >= 13 || v < 3);
    return frame || shaft || head;
}

bool HasStoredPlacement() {
    try {
        framework::TRegistry registry(platform::KeyRead);
        return registry.OpenKey(RunRegistryKey(), false) && registry.ValueExists(u"WinNormPosLeft");
    } catch (const std::exception&) {
        return false;
    }
}

constexpr const char16_t* Prompt =
    u"Geben Sie den Namen eines Programms, Ordners, Dokuments oder einer Internetressource an.";
}  // namespace

TRunForm::TRunForm() : ui::TForm(nullptr) {
    BeginLoading();
    SetName(u"RunForm");
    SetBorderStyle(ui::bsDialog);
    SetCaption(u"Ausführen");
    SetColor(ui::clBtnFace);
    Font().SetName(u"Tahoma");
    Font().SetHeight(-11);
    SetClientSize(400, 149);
    Image1 = ui::MakeDesigned<ui::TImage>(*this, u"Image1", 12, 14, 32, 32);
    Image1->Picture().SetTransparentColor(ui::clFuchsia);
    Image1->SetTransparent(true);
    Image1->SetCenter(true);
    Label1 = ui::MakeDesigned<ui::TLabel>(*this, u"Label1", 56, 12, 332, 42);
    Label1->SetAutoSize(false);
    Label1->SetWordWrap(true);
    Label1->SetCaption(Prompt);
    Label2 = ui::MakeDesigned<ui::TLabel>(*this, u"Label2", 12, 72, 46, 15);
    Label2->SetCaption(u"Öffnen:");
    ComboBox1 = ui::MakeDesigned<ui::TComboBox>(*this, u"ComboBox1", 60, 68, 328, 23);
    ComboBox1->SetTabOrder(0);
    Button1 = ui::MakeDesigned<ui::TButton>(*this, u"Button1", 124, 112, 82, 25);
    Button1->SetCaption(u"OK");
    Button1->SetDefault(true);
    Button1->SetTabOrder(1);
    Button2 = ui::MakeDesigned<ui::TButton>(*this, u"Button2", 212, 112, 82, 25);
    Button2->SetCaption(u"Abbrechen");
    Button2->SetCancel(true);
    Button2->SetModalResult(ui::mrCancel);
    Button2->SetTabOrder(2);
    Button3 = ui::MakeDesigned<ui::TButton>(*this, u"Button3", 300, 112, 88, 25);
    Button3->SetCaption(u"Durchsuchen...");
    Button3->SetTabOrder(3);
    FormManager1 = new framework::TFormManager(this);
    FormManager1->SetName(u"FormManager1");
    // The completion is switched on once the box is on the screen: it starts OLE and loads the
    // shell's completion objects, which the first frame need not wait for.
    Timer1 = new ui::TTimer(this);
    Timer1->SetName(u"Timer1");
    Timer1->SetInterval(1);
    Timer1->SetEnabled(false);
    Timer1->OnTimer = [this](ui::TObject*) {
        Timer1->SetEnabled(false);
        platform::WriteStartTimeline();
        ComboBox1->SetPathCompletion(true);
    };
    DrawPicture();
    OnCreate = [this](ui::TObject* s) { FormCreate(s); };
    OnShow = [this](ui::TObject* s) { FormShow(s); };
    Button1->OnClick = [this](ui::TObject* s) { Button1Click(s); };
    Button3->OnClick = [this](ui::TObject* s) { Button3Click(s); };
    FinishLoading();
}

void TRunForm::DrawPicture() {
    // Twice a small icon: the size of a large icon at the box's density.
    const int size = 2 * ui::GetBackend().SmallIconSize(CurrentDpi());
    ui::TBitmap picture;
    app::DrawGlyph(picture, size, RunPictureShape);
    // The glyph is white for dark buttons; the box is light, so the picture is drawn dark blue.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (picture.Pixel(x, y) == ui::clWhite) picture.SetPixel(x, y, 0x8B4513);
    Image1->Picture().Assign(&picture);
}

void TRunForm::ScaleDesign(int M, int D) {
    ui::TForm::ScaleDesign(M, D);
    DrawPicture();
}

void TRunForm::FormCreate(ui::TObject*) {
    platform::MarkStart("form creating");
    FHistory.Load(RunRegistryKey());
    ComboBox1->SetItems(FHistory.Commands());
    ComboBox1->SetText(FHistory.Commands().empty() ? std::u16string() : FHistory.Commands().front());
}

void TRunForm::FormShow(ui::TObject*) {
    platform::MarkStart("showing");
    PlaceOnScreen();
    SetTopmost(true);
    BringToFront();
    ComboBox1->SelectAll();
    Timer1->SetEnabled(true);
    platform::MarkStart("shown");
}

void TRunForm::PlaceOnScreen() {
    // Where the user left it, if that is still on a screen; else where a run box is expected:
    // the lower left of the screen under the pointer.
    bool visible = false;
    if (HasStoredPlacement()) {
        FormManager1->ReadPlacementEx(u"Run", *this);
        const ui::TRect bounds = BoundsRect();
        const ui::TRect shown =
            ui::GetBackend().WorkAreaAt({(bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2});
        visible = bounds.Left >= shown.Left && bounds.Top >= shown.Top && bounds.Right <= shown.Right &&
                  bounds.Bottom <= shown.Bottom;
    }
    if (!visible) {
        const ui::TRect work = ui::GetBackend().WorkAreaAt(ui::GetBackend().CursorPos());
        const ui::TPoint corner =
            LowerLeftCorner(work, Width(), Height(), ui::ScaleLength(12, CurrentDpi(), ui::ScreenPixelsPerInch));
        SetBounds(corner.X, corner.Y, Width(), Height());
    }
    FPlaced = true;
}

void TRunForm::WMMove() {
    ui::TForm::WMMove();
    if (FPlaced && ReportingBounds() && Showing()) FMovedByUser = true;
}

void TRunForm::SavePlacement() {
    if (FMovedByUser) FormManager1->WritePlacementEx(u"Run", *this);
}

void TRunForm::RetypeSelected() {
    ComboBox1->SetFocus();
    ComboBox1->SelectAll();
}

bool TRunForm::RunTyped(bool elevated) {
    const std::u16string typed = ComboBox1->Text();
    if (typed.find_first_not_of(u" \t") == std::u16string::npos) return false;
    auto& system = platform::GetSystem();
    const std::u16string expanded =
        ExpandVariables(typed, [&](const std::u16string& name) { return system.EnvironmentVariable(name); });
    const RunCommand command = SplitCommand(expanded, ExistingFile);
    // The shell's verbs may be carried out by objects of its extensions.
    ui::GetBackend().StartShellServices();
    const platform::StartResult result = platform::GetShellOperations().Start(
        Handle(), elevated ? u"runas" : u"", command.File, command.Parameters, system.UserProfileDirectory(),
        platform::ShowState::Shown);
    if (!result.Started) {
        // Refused elevation is the user's own answer: nothing to tell.
        if (!result.Cancelled) ui::Application().MessageBox(result.Reason, typed, ui::TMsgIcon::Error);
        RetypeSelected();
        return false;
    }
    FHistory.Add(typed);
    FHistory.Save(RunRegistryKey());
    SetModalResult(ui::mrOk);
    return true;
}

void TRunForm::Button1Click(ui::TObject*) {
    // Ctrl+Shift with Enter or the click starts the command as administrator.
    const ui::TShiftState shift = ui::GetBackend().KeyboardShift();
    RunTyped((shift & ui::ssCtrl) && (shift & ui::ssShift));
}

void TRunForm::Button3Click(ui::TObject*) {
    platform::FileOpenRequest request;
    request.Owner = Handle();
    request.Title = u"Durchsuchen";
    request.Filters = {{u"Programme", u"*.exe;*.com;*.bat;*.cmd;*.lnk;*.pif"}, {u"Alle Dateien", u"*.*"}};
    ui::GetBackend().StartShellServices();
    std::optional<std::u16string> chosen = platform::GetShellOperations().ChooseFile(request);
    if (!chosen || chosen->empty()) return;
    ComboBox1->SetText(chosen->find(u' ') != std::u16string::npos ? u"\"" + *chosen + u"\"" : *chosen);
    RetypeSelected();
}

}  // namespace runbox

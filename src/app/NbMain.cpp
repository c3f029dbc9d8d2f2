#include "app/NbMain.h"

#include <cstdlib>

#include "app/NbDataDir.h"
#include "app/NbFolder.h"
#include "app/NbLink.h"
#include "app/NbUtils.h"
#include "app/NbVariables.h"
#include "app/NbWarmUp.h"
#include "framework/FormManager.h"
#include "platform/Files.h"
#include "platform/ShellNamespace.h"
#include "platform/ShellOperations.h"
#include "platform/StartTimeline.h"
#include "platform/System.h"
#include "shell/ShellFolder.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "util/FileUtils.h"
#include "util/LinksFile.h"
#include "util/Utils.h"

namespace app {

ui::TImageList* SysImages = nullptr;
TMainForm* MainForm = nullptr;

namespace {

constexpr platform::ShowState Shown = platform::ShowState::Shown;
// The keep-open mark of the main window's Tag.
constexpr int KeepOpen = 1;

// Holds the keep-open mark for the time of a command.
class KeptOpen {
public:
    explicit KeptOpen(TMainForm& form) : FForm(form) { FForm.SetTag(KeepOpen); }
    ~KeptOpen() { FForm.SetTag(0); }
    KeptOpen(const KeptOpen&) = delete;
    KeptOpen& operator=(const KeptOpen&) = delete;

private:
    TMainForm& FForm;
};

}  // namespace

TMainForm::TMainForm() : MainWindowForm(false) {
    using namespace std::placeholders;
    SetModalFrame(true);
    // The user and computer names take the free height down to the first button: the designed
    // 41 pixels cut the 17-pixel text's three lines.
    UserLabel->SetBounds(344, 112, 168, 84);
    OnCreate = [this](ui::TObject* s) { FormCreate(s); };
    OnShow = [this](ui::TObject* s) { FormShow(s); };
    Timer1->OnTimer = [this](ui::TObject* s) { Timer1Timer(s); };
    PopupMenu1->OnPopup = [this](ui::TObject* s) { PopupMenu1Popup(s); };
    AllUsers1->OnClick = [this](ui::TObject* s) { AllUsers1Click(s); };
    CurrentUser1->OnClick = [this](ui::TObject* s) { CurrentUser1Click(s); };
    SmallFont1->OnClick = [this](ui::TObject* s) { SmallFont1Click(s); };
    MiddleFont1->OnClick = [this](ui::TObject* s) { MiddleFont1Click(s); };
    LargeFont1->OnClick = [this](ui::TObject* s) { LargeFont1Click(s); };
    Logoff1->OnClick = [this](ui::TObject* s) { Logoff1Click(s); };
    Reboot1->OnClick = [this](ui::TObject* s) { Reboot1Click(s); };
    Shutdown1->OnClick = [this](ui::TObject* s) { Shutdown1Click(s); };
    Delete1->OnClick = [this](ui::TObject* s) { Delete1Click(s); };
    Open1->OnClick = [this](ui::TObject* s) { Open1Click(s); };
    Buttons[0]->OnClick = [this](ui::TObject* s) { SysCtrlClick(s); };
    Buttons[1]->OnClick = [this](ui::TObject* s) { InfoClick(s); };
    Buttons[2]->OnClick = [this](ui::TObject* s) { RunClick(s); };
    Buttons[3]->OnClick = [this](ui::TObject* s) { FolderClick(s); };
    Buttons[4]->OnClick = [this](ui::TObject* s) { MenuClick(s); };
    Buttons[5]->OnClick = [this](ui::TObject* s) { LinkClick(s); };
    ShellTreeView1->OnNodeClick = [this](ui::TObject* s, ui::TTreeNode* node) { ShellTreeView1NodeClick(s, node); };
    ShellTreeView1->OnKeyDown = std::bind(&TMainForm::ShellTreeView1KeyDown, this, _1, _2, _3);
    ShellTreeView1->OnKeyPress = std::bind(&TMainForm::ShellTreeView1KeyPress, this, _1, _2);
    ShellTreeView1->OnMouseDown = std::bind(&TMainForm::ShellTreeView1MouseDown, this, _1, _2, _3, _4, _5);
    ShellTreeView1->OnMouseMove = std::bind(&TMainForm::ShellTreeView1MouseMove, this, _1, _2, _3, _4);
    ShellTreeView1->OnMouseUp = std::bind(&TMainForm::ShellTreeView1MouseUp, this, _1, _2, _3, _4, _5);
    ShellTreeView1->OnDragOver = std::bind(&TMainForm::ShellTreeView1DragOver, this, _1, _2, _3, _4, _5, _6);
    ShellTreeView1->OnDragDrop = std::bind(&TMainForm::ShellTreeView1DragDrop, this, _1, _2, _3, _4);
    ShellTreeView1->OnEndDrag = std::bind(&TMainForm::ShellTreeView1EndDrag, this, _1, _2, _3, _4);
    // A click anywhere but on the results ends a search.
    const ui::TMouseEvent endSearch = [this](ui::TObject*, ui::TMouseButton, ui::TShiftState, int, int) { EndSearch(); };
    for (ui::TControl* control : {static_cast<ui::TControl*>(UserImage), static_cast<ui::TControl*>(UserLabel),
                                  static_cast<ui::TControl*>(VersionLabel)})
        control->OnMouseDown = endSearch;
    for (auto* button : Buttons) button->OnMouseDown = endSearch;
    FinishDesign();
}

// ---- the window ------------------------------------------------------------------------------

void TMainForm::FormCreate(ui::TObject*) {
    platform::MarkStart("form creating");
    PopupMenu2->SetImages(SysImages);
    UserLabel->SetCaption(util::CurrentUserName() + u"\r\n\r\n" + util::ComputerName());
    platform::MarkStart("names read");
    VersionLabel->SetCaption(VersionLabel->Caption() + util::FileVersionText(platform::GetSystem().ExecutablePath()));
    platform::MarkStart("form created");
}

void TMainForm::FormShow(ui::TObject*) {
    platform::MarkStart("showing");
    FormManager1->ReadPlacement(*this);
    platform::MarkStart("placement read");
    ShellTreeView1->SetRowSelect(true);
    ShellTreeView1->OnCustomDrawItem = std::bind(&TMainForm::ShellTreeView1CustomDrawItem, this, std::placeholders::_1,
                                                 std::placeholders::_2, std::placeholders::_3,
                                                 std::placeholders::_4, std::placeholders::_5);
    ShellTreeView1->OnMouseLeave = [](ui::TObject*) {};
    if (ui::TTreeNode* node = ShellTreeView1->Selected(); node && node->HasChildren()) node->Expand(false);
    ShellTreeView1->Font().SetSize(FolderSize);
    DragArmed = false;
    platform::MarkStart("shown");
}

void TMainForm::WMActivate(int state) {
    MainWindowForm::WMActivate(state);
    if (Showing() && state == ui::waInactive && Tag() == 0) CloseMenu();
}

void TMainForm::WMMove() {
    MainWindowForm::WMMove();
    FormManager1->WritePlacement(*this);
}

void TMainForm::WMSize() {
    MainWindowForm::WMSize();
    FormManager1->WritePlacement(*this);
}

void TMainForm::Timer1Timer(ui::TObject*) {
    if (!Showing()) return;
    SetTopmost(true);
    Timer1->SetEnabled(false);
    // The first frame is on the screen: the search's index is read meanwhile.
    platform::WriteStartTimeline();
    StartIndex();
}

void TMainForm::FillTree(const std::u16string& root) {
    // The showing sets the same size again, which then changes nothing.
    ShellTreeView1->Font().SetSize(FolderSize);
    ShellTreeView1->SetRoot(root);
}

void TMainForm::CloseMenu() {
    SetTag(0);
    ShellTreeView1->EndDrag(false);
    Close();
}

// ---- the context menu -------------------------------------------------------------------------

void TMainForm::PopupMenu1Popup(ui::TObject*) {
    CurrentUser1->SetChecked(FolderIndex == 0);
    AllUsers1->SetChecked(FolderIndex == 1);
    SmallFont1->SetChecked(FolderSize == 8);
    MiddleFont1->SetChecked(FolderSize == 10);
    LargeFont1->SetChecked(FolderSize == 12);
    const bool selected = ShellTreeView1->Selected() != nullptr;
    Delete1->SetEnabled(selected);
    Open1->SetEnabled(selected);
}

void TMainForm::AllUsers1Click(ui::TObject*) {
    FolderIndex = 1;
    ShellTreeView1->SetRoot(u"rfCommonPrograms");
}

void TMainForm::CurrentUser1Click(ui::TObject*) {
    FolderIndex = 0;
    ShellTreeView1->SetRoot(u"rfPrograms");
}

void TMainForm::SetFolderSize(int size) {
    FolderSize = size;
    ShellTreeView1->Font().SetSize(size);
}

void TMainForm::SmallFont1Click(ui::TObject*) { SetFolderSize(8); }
void TMainForm::MiddleFont1Click(ui::TObject*) { SetFolderSize(10); }
void TMainForm::LargeFont1Click(ui::TObject*) { SetFolderSize(12); }

void TMainForm::Logoff1Click(ui::TObject*) { ExitSystem(platform::ExitKind::Logoff); }
void TMainForm::Reboot1Click(ui::TObject*) { ExitSystem(platform::ExitKind::Reboot); }
void TMainForm::Shutdown1Click(ui::TObject*) { ExitSystem(platform::ExitKind::Shutdown); }

void TMainForm::Delete1Click(ui::TObject*) {
    KeptOpen kept(*this);
    shell::TShellFolder* item = ShellTreeView1->SelectedFolder();
    if (!item) return;
    const std::u16string path = util::TrimTrailingBackslash(item->PathName());
    ShellDeleteFile(Handle(), path + u'\0', platform::SilentOperation);
    ShellTreeView1->Refresh(ShellTreeView1->Items().GetFirstNode());
}

void TMainForm::Open1Click(ui::TObject*) {
    KeptOpen kept(*this);
    shell::TShellFolder* item = ShellTreeView1->SelectedFolder();
    if (!item) return;
    OpenWithShell(Handle(), util::TrimTrailingBackslash(item->PathName()));
}

// ---- the buttons ------------------------------------------------------------------------------

void TMainForm::SysCtrlClick(ui::TObject*) {
    CloseMenu();
    // The system's own rundll32 by its full path: never one that the search path would find first.
    platform::GetShellOperations().Execute(Handle(), u"open", platform::GetSystem().SystemDirectory() + u"\\rundll32.exe",
                                           u"Shell32,Control_RunDLL", u"", Shown);
}

void TMainForm::InfoClick(ui::TObject*) {
    CloseMenu();
    // The system's own about program shows its about box with the system's name. The shell's
    // about entry point through rundll32 would take rundll32's own arguments for its texts.
    platform::GetShellOperations().Execute(Handle(), u"open", platform::GetSystem().SystemDirectory() + u"\\winver.exe",
                                           u"", u"", Shown);
}

void TMainForm::RunClick(ui::TObject*) {
    CloseMenu();
    OpenWithShell(Handle(), ExecutableFolder() + u"run.exe");
}

void TMainForm::FolderClick(ui::TObject*) {
    // Kept open while the dialog shows, whichever way this ends.
    KeptOpen kept(*this);
    if (!ShellTreeView1->Selected()) return;
    if (!FolderForm) FolderForm = new TFolderForm();
    FolderForm->Edit1->SetText(u"");
    if (FolderForm->ShowModal() != ui::mrOk) return;
    // The name as typed: blanks around it are the user's (a name of blanks only makes nothing).
    const std::u16string name = FolderForm->Edit1->Text();
    shell::TShellFolder* item = ShellTreeView1->SelectedFolder();
    if (!item) return;
    if (CreateMenuFolder(name, item->PathName(), Handle())) ShellTreeView1->Refresh(ShellTreeView1->Items().GetFirstNode());
    if (ui::TTreeNode* selected = ShellTreeView1->Selected()) selected->Expand(false);
}

void TMainForm::LinkClick(ui::TObject*) {
    // Kept open while the dialog shows, whichever way this ends.
    KeptOpen kept(*this);
    if (!LinkForm) LinkForm = new TLinkForm();
    LinkForm->ShowModal();
}

void TMainForm::MenuClick(ui::TObject*) {
    const ui::TPoint at = ui::GetBackend().CursorPos();
    PopupMenu2->Items().Clear();
    for (const LinkEntry& entry : Links) {
        auto* item = new ui::TMenuItem(PopupMenu1);
        item->SetCaption(entry.Name);
        item->SetImageIndex(GetSysIconIndex(entry.Path));
        item->OnClick = [this](ui::TObject* s) { LinkItemClick(s); };
        PopupMenu2->Items().Add(item);
    }
    PopupMenu2->Popup(at.X, at.Y);
}

void TMainForm::LinkItemClick(ui::TObject* Sender) {
    ui::TMenuItem& items = PopupMenu2->Items();
    for (int index = 0; index < items.Count(); ++index) {
        if (items.Items(index) != Sender) continue;
        if (static_cast<std::size_t>(index) >= Links.size()) return;
        OpenWithShell(Handle(), Links[index].Path);
        return;
    }
}

// ---- the tree ---------------------------------------------------------------------------------

void TMainForm::ShellTreeView1NodeClick(ui::TObject*, ui::TTreeNode* Node) {
    // Only the entry that is the selection, and not while a command or a drag keeps the menu open.
    if (Node != ShellTreeView1->Selected() || Tag() != 0) return;
    LaunchNode(Node);
}

bool TMainForm::LaunchNode(ui::TTreeNode* Node) {
    shell::TShellFolder* item = shell::TCustomShellTreeView::FolderOf(Node);
    if (!item) return false;
    return LaunchEntry(item->PathName(), Handle(), [this] {
        Hide();
        DragArmed = false;
        CloseMenu();
    });
}

void TMainForm::ShellTreeView1KeyDown(ui::TObject*, std::uint16_t& Key, ui::TShiftState Shift) {
    ui::TTreeNode* node = ShellTreeView1->Selected();
    switch (Key) {
        case ui::vkReturn:
            Key = 0;
            // An entry starts as a click starts it; a folder opens or closes.
            if (node && Tag() == 0 && !LaunchNode(node) && node->HasChildren()) {
                if (node->Expanded())
                    node->Collapse(false);
                else
                    node->Expand(false);
            }
            break;
        case ui::vkEscape:
            Key = 0;
            CloseMenu();
            break;
        case ui::vkDelete:
            Key = 0;
            if (node) Delete1Click(this);
            break;
        case ui::vkF5:
            Key = 0;
            ShellTreeView1->Refresh(ShellTreeView1->Items().GetFirstNode());
            break;
        case ui::vkApps:
            Key = 0;
            PopupAtSelection();
            break;
        case ui::vkF10:
            if (Shift & ui::ssShift) {
                Key = 0;
                PopupAtSelection();
            }
            break;
        default: break;
    }
}

void TMainForm::PopupAtSelection() {
    ui::TTreeNode* node = ShellTreeView1->Selected();
    ui::TPoint at{ShellTreeView1->Width() / 2, ShellTreeView1->Height() / 2};
    if (node) {
        const ui::TRect row = node->DisplayRect(true);
        at = {row.Left + 4, row.Bottom};
    }
    const ui::TPoint screen = ShellTreeView1->ClientToScreen(at);
    PopupMenu1->SetPopupComponent(ShellTreeView1);
    PopupMenu1->Popup(screen.X, screen.Y);
}

void TMainForm::ShellTreeView1MouseDown(ui::TObject*, ui::TMouseButton Button, ui::TShiftState, int X, int Y) {
    DragArmed = Button == ui::mbLeft;
    DragStart = {X, Y};
}

void TMainForm::ShellTreeView1MouseMove(ui::TObject*, ui::TShiftState Shift, int X, int Y) {
    // Only while the left button is held: after a drop the release reaches the tree once the drop
    // is handled, and the pointer moved meanwhile must not start another drag.
    if (DragArmed && (Shift & ui::ssLeft) && (std::abs(DragStart.X - X) > 10 || std::abs(DragStart.Y - Y) > 10)) {
        SetTag(KeepOpen);
        ShellTreeView1->BeginDrag(true, -1);
    }
}

void TMainForm::ShellTreeView1MouseUp(ui::TObject*, ui::TMouseButton, ui::TShiftState, int, int) { DragArmed = false; }

void TMainForm::ShellTreeView1DragOver(ui::TObject*, ui::TObject* Source, int X, int Y, ui::TDragState, bool& Accept) {
    ui::TTreeNode* target = ShellTreeView1->GetNodeAt(X, Y);
    Accept = Source == ShellTreeView1 && ShellTreeView1->Selected() && target && target != ShellTreeView1->Selected();
}

void TMainForm::ShellTreeView1DragDrop(ui::TObject*, ui::TObject*, int X, int Y) {
    ui::TTreeNode* target = ShellTreeView1->GetNodeAt(X, Y);
    ui::TTreeNode* selected = ShellTreeView1->Selected();
    if (!selected || !target || target == selected) return;
    shell::TShellFolder* sourceItem = shell::TCustomShellTreeView::FolderOf(selected);
    shell::TShellFolder* targetItem = shell::TCustomShellTreeView::FolderOf(target);
    if (!sourceItem || !targetItem) return;
    const std::u16string source = util::TrimTrailingBackslash(sourceItem->PathName());
    std::u16string dest = util::TrimTrailingBackslash(targetItem->PathName());
    // A drop on a file means the folder that holds it.
    if (!targetItem->IsFolder()) dest = util::TrimTrailingBackslash(util::FolderPart(dest));
    if (util::FileExists(source)) dest = util::EnsureTrailingBackslash(dest) + util::NamePart(source);
    ShellMoveFile(Handle(), source + u'\0', dest + u'\0', platform::SilentOperation);
    ShellTreeView1->Refresh(ShellTreeView1->Items().GetFirstNode());
}

void TMainForm::ShellTreeView1EndDrag(ui::TObject*, ui::TObject*, int, int) {
    util::DelayWithMessages(1000);
    ShellTreeView1->EndDrag(false);
    SetTag(0);
}

void TMainForm::ShellTreeView1CustomDrawItem(ui::TObject*, ui::TCanvas& Canvas, ui::TTreeNode* Node,
                                             ui::TCustomDrawState State, bool&) {
    if ((State & ui::cdsFocused) || Node == ShellTreeView1->Selected()) {
        Canvas.Brush.Color = ui::clMenuHighlight;
        Canvas.Font.SetColor(ui::clWindow);
        Canvas.Font.SetStyle(ui::fsUnderline);
    } else {
        Canvas.Brush.Color = DarkGrey;
        Canvas.Font.SetColor(ui::clWindow);
        Canvas.Font.SetStyle(0);
    }
}

// ---- the program ------------------------------------------------------------------------------

int RunProgram() {
    platform::MarkStart("program");
    const TShellWarmUp warmUp;
    platform::MarkStart("warm-up started");
    // Start: the data directory, the system's icons, the links, the main window. The icons' list
    // is bound once the window is made, so that the warm-up has the time to make it.
    DataDir = GetDataDir(DialogQuestions());
    platform::MarkStart("data directory");
    SysImages = new ui::TImageList(nullptr);
    LoadLinks();
    platform::MarkStart("links read");
    MainForm = new TMainForm();
    platform::MarkStart("window made");
    SysImages->BindHandle(platform::GetShellNamespace().SystemSmallImages(), 0);
    SysImages->SetShareImages(true);
    platform::MarkStart("system icons bound");

    // The one showing of the window.
    if (DataReady) {
        framework::SetProcessRegistryKey(AppRegistryKey());
        ui::GetBackend().RemoveTaskbarButton();
        ui::Application().SetTitle(u"Nimbrel");
        ReadOptions(*MainForm->FormManager1);
        platform::MarkStart("options read");
        try {
            MainForm->FillTree(ProgramsRoot());
        } catch (const std::exception& error) {
            ui::Application().HandleException(error);
        }
        platform::MarkStart("tree filled");
        MainForm->ShowModal();
        WriteOptions(*MainForm->FormManager1);
    }

    // Exit: the window, then the links saved.
    delete MainForm;
    MainForm = nullptr;
    // Without a usable data directory there is nowhere to keep links: nothing is written.
    const int exitCode = DataReady && !SaveLinks() ? 1 : 0;
    delete FolderForm;
    FolderForm = nullptr;
    // The links dialog keeps its browser's folder as it goes.
    delete LinkForm;
    LinkForm = nullptr;
    delete SysImages;
    SysImages = nullptr;
    shell::ReleaseDesktopItem();
    return exitCode;
}

}  // namespace app

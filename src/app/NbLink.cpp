#include "app/NbLink.h"

#include "app/Glyphs.h"
#include "app/NbMain.h"
#include "app/NbUtils.h"
#include "app/NbVariables.h"
#include "app/StartMenu.h"
#include "ui/Backend.h"
#include "ui/Designed.h"
#include "util/FileUtils.h"
#include "util/Utils.h"

namespace app {

TLinkForm* LinkForm = nullptr;

int MovedLinkPosition(int index, int offset, int count) {
    const int position = index + offset;
    return position < 0 || position > count ? count : position;
}

namespace {
// A line of the links file holds a name and a path apart by the first TAB and ends at a line
// break: neither may be part of what is kept.
bool FitsLinksFile(const std::u16string& text) { return text.find_first_of(u"\t\r\n") == std::u16string::npos; }
}  // namespace

TLinkForm::TLinkForm() : ui::TForm(nullptr) {
    using namespace std::placeholders;
    BeginLoading();
    SetName(u"LinkForm");
    SetBorderStyle(ui::bsDialog);
    SetCaption(u"Dateilinks verwalten");
    SetColor(ui::clBtnFace);
    Font().SetName(u"Tahoma");
    Font().SetHeight(-11);
    SetClientSize(993, 677);
    SetPosition(ui::poScreenCenter);

    ListView1 = ui::MakeDesigned<ui::TListView>(*this, u"ListView1", 8, 328, 977, 313);
    ListView1->SetViewStyle(ui::vsReport);
    for (auto [caption, width] : {std::pair{u"Linkname", 280}, std::pair{u"Dateipfad", 650}}) {
        ui::TListColumn* column = ListView1->Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(width);
    }
    ListView1->SetHideSelection(false);
    ListView1->SetTabOrder(0);
    SpeedButton1 = ui::MakeDesigned<ui::TSpeedButton>(*this, u"SpeedButton1", 8, 648, 33, 25);
    SpeedButton2 = ui::MakeDesigned<ui::TSpeedButton>(*this, u"SpeedButton2", 48, 648, 33, 25);
    Button1 = ui::MakeDesigned<ui::TButton>(*this, u"Button1", 910, 647, 75, 25);
    Button1->SetCaption(u"Schließen");
    Button1->SetDefault(true);
    Button1->SetModalResult(ui::mrClose);
    Button1->SetTabOrder(1);
    SpeedButton3 = ui::MakeDesigned<ui::TSpeedButton>(*this, u"SpeedButton3", 96, 647, 33, 25);
    SpeedButton4 = ui::MakeDesigned<ui::TSpeedButton>(*this, u"SpeedButton4", 136, 647, 33, 25);
    for (ui::TSpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4}) {
        b->SetNumGlyphs(2);
        b->SetEnabled(false);
    }
    DirFileListView1 = ui::MakeDesigned<controls::TDirFileListView>(*this, u"DirFileListView1", 335, 8, 650, 314);
    DirFileListView1->SetViewStyle(ui::vsReport);
    DirFileListView1->SetReadOnly(true);
    DirFileListView1->SetHideSelection(false);
    DirFileListView1->SetMask(u"*.*");
    DirFileListView1->SetShowFolders(true);
    DirFileListView1->SetShowFiles(true);
    DirFileListView1->SetTabOrder(2);
    DirectoryTreeView1 = ui::MakeDesigned<controls::TDirectoryTreeView>(*this, u"DirectoryTreeView1", 8, 8, 321, 314);
    DirectoryTreeView1->SetHideSelection(false);
    DirectoryTreeView1->SetReadOnly(true);
    DirectoryTreeView1->SetTabOrder(3);
    FormManager1 = new framework::TFormManager(this);
    FormManager1->SetName(u"FormManager1");
    FormManager1->SetAutoRes(true);
    FormManager1->SetAutoLevel(true);
    CheckBox1 = ui::MakeDesigned<ui::TCheckBox>(*this, u"CheckBox1", 264, 652, 217, 17);
    CheckBox1->SetCaption(u"Menüauswahl automatisch hinzufügen");
    CheckBox1->SetTabOrder(4);
    DrawGlyphs();

    OnCreate = [this](ui::TObject* s) { FormCreate(s); };
    OnShow = [this](ui::TObject* s) { FormShow(s); };
    OnClose = [this](ui::TObject* s, ui::TCloseAction& a) { FormClose(s, a); };
    DirectoryTreeView1->OnChange = [this](ui::TObject* s, ui::TTreeNode* n) { DirectoryTreeView1Change(s, n); };
    // The file list changes folder (a double click, Enter) or its selection: the tree follows and
    // the add button is set.
    DirFileListView1->OnPathChange = [this](ui::TObject* s) {
        // A new folder is shown in the chosen order.
        if (DirFileListView1->Items().Count() > 1) DirFileListView1->AlphaSort();
        DirFileListView1Change(s);
    };
    DirFileListView1->OnChange = [this](ui::TObject* s, ui::TListItem*, ui::TItemChange) { DirFileListView1Change(s); };
    DirFileListView1->OnColumnClick = std::bind(&TLinkForm::DirFileListView1ColumnClick, this, _1, _2);
    DirFileListView1->OnCompare = std::bind(&TLinkForm::DirFileListView1Compare, this, _1, _2, _3, _4, _5);
    ListView1->OnChange = std::bind(&TLinkForm::ListView1Change, this, _1, _2, _3);
    ListView1->OnDblClick = [this](ui::TObject* s) { ListView1DblClick(s); };
    ListView1->OnEdited = std::bind(&TLinkForm::ListView1Edited, this, _1, _2, _3);
    SpeedButton1->OnClick = [this](ui::TObject* s) { SpeedButton1Click(s); };
    SpeedButton2->OnClick = [this](ui::TObject* s) { SpeedButton2Click(s); };
    SpeedButton3->OnClick = [this](ui::TObject* s) { SpeedButton3Click(s); };
    SpeedButton4->OnClick = [this](ui::TObject* s) { SpeedButton4Click(s); };
    CheckBox1->OnClick = [this](ui::TObject* s) { CheckBox1Click(s); };
    FinishLoading();
}

// Destroyed at the program's exit, while the controls are still there to be read.
TLinkForm::~TLinkForm() { FormDestroy(this); }

void TLinkForm::DrawGlyphs() {
    // The glyphs the size of the platform's small icons at the dialog's density.
    const int size = ui::GetBackend().SmallIconSize(CurrentDpi());
    DrawButtonGlyph(SpeedButton1->Glyph(), size, PlusShape);
    DrawButtonGlyph(SpeedButton2->Glyph(), size, MinusShape);
    DrawButtonGlyph(SpeedButton3->Glyph(), size, ArrowUpShape);
    DrawButtonGlyph(SpeedButton4->Glyph(), size, ArrowDownShape);
}

void TLinkForm::ScaleDesign(int M, int D) {
    ui::TForm::ScaleDesign(M, D);
    DrawGlyphs();
}

// ---- the dialog -------------------------------------------------------------------------------

void TLinkForm::FormCreate(ui::TObject*) {
    FCreating = true;
    DirectoryTreeView1->SetDirectory(FormManager1->ReadOption(u"LinkDirectory", util::WindowsDirectory()));
    DirFileListView1->Columns().Items(0)->SetWidth(280);
    ListView1->SetSmallImages(SysImages);
    CheckBox1->SetChecked(AddMenuSelection);
    FCreating = false;
}

void TLinkForm::FormShow(ui::TObject*) {
    // Above the start menu, which is topmost itself.
    SetTopmost(true);
    ListView1->Items().BeginUpdate();
    ListView1->Items().Clear();
    // A line without a TAB names no file: it is not shown, and so not kept.
    for (const LinkEntry& entry : Links)
        if (entry.Separated) AddLinkItem(entry.Name, entry.Path);
    ListView1->Items().EndUpdate();
    ListView1Change(ListView1, nullptr, ui::ctState);
}

void TLinkForm::FormClose(ui::TObject*, ui::TCloseAction&) {
    Links.Clear();
    ui::TListItems& items = ListView1->Items();
    for (int i = 0; i < items.Count(); ++i) {
        const ui::TListItem* item = items.Item(i);
        Links.Add({item->Caption(), item->SubItems().empty() ? std::u16string() : item->SubItems()[0], true});
    }
}

void TLinkForm::FormDestroy(ui::TObject*) {
    // A folder that was not found at the start (a drive gone, a share not connected) stays stored
    // until the user browses elsewhere.
    if (FBrowsed && !DirectoryTreeView1->Directory().empty())
        FormManager1->WriteOption(u"LinkDirectory", DirectoryTreeView1->Directory());
}

// ---- the browser ------------------------------------------------------------------------------

void TLinkForm::DirectoryTreeView1Change(ui::TObject*, ui::TTreeNode*) {
    if (!FCreating) FBrowsed = true;
    // The tree's computer node has no folder: the list keeps what it shows.
    if (!DirectoryTreeView1->Directory().empty()) DirFileListView1->SetPath(DirectoryTreeView1->Directory());
    UpdateAddButton();
}

void TLinkForm::DirFileListView1Change(ui::TObject*) {
    // Each side sets the other only to a different folder, so the two never call each other twice.
    DirectoryTreeView1->SetDirectory(DirFileListView1->Path());
    UpdateAddButton();
}

void TLinkForm::DirFileListView1ColumnClick(ui::TObject*, ui::TListColumn* Column) {
    DirFileListView1->SetTag(Column ? Column->Index() : 0);
    DirFileListView1->AlphaSort();
}

void TLinkForm::DirFileListView1Compare(ui::TObject*, ui::TListItem* Item1, ui::TListItem* Item2, int, int& Compare) {
    Compare = DirFileListView1->CompareItems(Item1, Item2, DirFileListView1->Tag());
}

std::u16string TLinkForm::SelectedFile() const {
    const ui::TListItem* selected = DirFileListView1->Selected();
    if (!selected || DirFileListView1->DriveMode()) return {};
    const std::u16string path = util::EnsureTrailingBackslash(DirFileListView1->Path()) + selected->Caption();
    // A folder is no file: FileExists answers for files only.
    if (!FitsLinksFile(path) || !util::FileExists(path)) return {};
    return path;
}

void TLinkForm::UpdateAddButton() { SpeedButton1->SetEnabled(!SelectedFile().empty()); }

// ---- the links --------------------------------------------------------------------------------

void TLinkForm::AddLinkItem(const std::u16string& name, const std::u16string& path) {
    ui::TListItem* item = ListView1->Items().Add();
    item->SetCaption(name);
    item->SetSubItems({path});
    item->SetImageIndex(GetSysIconIndex(path));
}

void TLinkForm::ListView1Change(ui::TObject*, ui::TListItem*, ui::TItemChange) {
    const bool selected = ListView1->Selected() != nullptr;
    for (ui::TSpeedButton* b : {SpeedButton2, SpeedButton3, SpeedButton4}) b->SetEnabled(selected);
}

void TLinkForm::ListView1DblClick(ui::TObject*) {
    const ui::TListItem* selected = ListView1->Selected();
    if (!selected || selected->SubItems().empty()) return;
    // A folder that is gone is handed over all the same: the tree keeps its place then.
    DirectoryTreeView1->SetDirectory(util::FolderPart(selected->SubItems()[0]));
}

void TLinkForm::ListView1Edited(ui::TObject*, ui::TListItem* Item, std::u16string& S) {
    // A name the links file cannot keep, or none, leaves the link as it was.
    if (S.empty() || !FitsLinksFile(S)) S = Item->Caption();
}

void TLinkForm::SpeedButton1Click(ui::TObject*) {
    const std::u16string path = SelectedFile();
    if (path.empty()) return;
    AddLinkItem(LinkNameFromPath(path), path);
}

void TLinkForm::SpeedButton2Click(ui::TObject*) {
    if (ui::TListItem* selected = ListView1->Selected()) selected->Delete();
    ListView1Change(ListView1, nullptr, ui::ctState);
}

void TLinkForm::MoveLink(int offset) {
    ui::TListItem* selected = ListView1->Selected();
    if (!selected) return;
    const int index = selected->Index();
    const std::u16string name = selected->Caption();
    const util::StringList subItems = selected->SubItems();
    const int image = selected->ImageIndex();
    selected->Delete();
    const int count = ListView1->Items().Count();
    ui::TListItem* moved = ListView1->Items().Insert(MovedLinkPosition(index, offset, count));
    moved->SetCaption(name);
    moved->SetSubItems(subItems);
    moved->SetImageIndex(image);
    ListView1->SetSelected(moved);
    moved->SetFocused(true);
    moved->MakeVisible();
    ListView1Change(ListView1, moved, ui::ctState);
}

void TLinkForm::SpeedButton3Click(ui::TObject*) { MoveLink(-1); }
void TLinkForm::SpeedButton4Click(ui::TObject*) { MoveLink(+1); }

void TLinkForm::CheckBox1Click(ui::TObject*) { AddMenuSelection = CheckBox1->Checked(); }

}  // namespace app

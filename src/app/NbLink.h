#pragma once
// "Dateilinks verwalten": the dialog in which the user edits the links of the links menu. A folder
// tree and a file list browse the file system; the lower list holds a copy of the links, which the
// four small buttons add to, remove from and reorder, and which goes back into Links whenever the
// dialog closes.
#include "controls/DirFileListView.h"
#include "controls/DirectoryTreeView.h"
#include "framework/FormManager.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/StdCtrls.h"

namespace app {

// Where a link moved by an offset is put back once taken out of a list that then holds count
// links: its new place, or count (the end) when that place lies outside the list. So the first
// link moved up goes last and the last moved down stays last.
int MovedLinkPosition(int index, int offset, int count);

class TLinkForm : public ui::TForm {
public:
    TLinkForm();
    ~TLinkForm() override;
    std::u16string ClassName() const override { return u"TLinkForm"; }

    void FormCreate(ui::TObject* Sender);
    void FormShow(ui::TObject* Sender);
    void FormClose(ui::TObject* Sender, ui::TCloseAction& Action);
    void FormDestroy(ui::TObject* Sender);
    void DirectoryTreeView1Change(ui::TObject* Sender, ui::TTreeNode* Node);
    void DirFileListView1Change(ui::TObject* Sender);
    void DirFileListView1ColumnClick(ui::TObject* Sender, ui::TListColumn* Column);
    void DirFileListView1Compare(ui::TObject* Sender, ui::TListItem* Item1, ui::TListItem* Item2, int Data,
                                 int& Compare);
    void ListView1Change(ui::TObject* Sender, ui::TListItem* Item, ui::TItemChange Change);
    void ListView1DblClick(ui::TObject* Sender);
    void ListView1Edited(ui::TObject* Sender, ui::TListItem* Item, std::u16string& S);
    void SpeedButton1Click(ui::TObject* Sender);
    void SpeedButton2Click(ui::TObject* Sender);
    void SpeedButton3Click(ui::TObject* Sender);
    void SpeedButton4Click(ui::TObject* Sender);
    void CheckBox1Click(ui::TObject* Sender);

    // The file the add button would link: the selected file of the browser, or empty when
    // nothing is selected, the selection is a folder, or its path cannot be kept in the links file.
    std::u16string SelectedFile() const;
    // The browser was moved by the user since the dialog was made: only then is its folder kept.
    bool Browsed() const { return FBrowsed; }

    ui::TListView* ListView1;
    ui::TSpeedButton* SpeedButton1;
    ui::TSpeedButton* SpeedButton2;
    ui::TButton* Button1;
    ui::TSpeedButton* SpeedButton3;
    ui::TSpeedButton* SpeedButton4;
    controls::TDirFileListView* DirFileListView1;
    controls::TDirectoryTreeView* DirectoryTreeView1;
    framework::TFormManager* FormManager1;
    ui::TCheckBox* CheckBox1;

protected:
    void ScaleDesign(int M, int D) override;

private:
    void DrawGlyphs();
    void UpdateAddButton();
    void AddLinkItem(const std::u16string& name, const std::u16string& path);
    void MoveLink(int offset);

    bool FCreating = true;
    bool FBrowsed = false;
};

// Made by the first click on the links button and kept for the run.
extern TLinkForm* LinkForm;

}  // namespace app

#pragma once
// The start menu's main window and the program around it: the shared objects, the start, the
// one modal showing and the exit.
#include <memory>
#include <string>

#include "app/FindList.h"
#include "app/MainWindowDesign.h"
#include "app/ProgramIndexer.h"
#include "app/StartMenu.h"
#include "ui/ImageList.h"
#include "util/Utils.h"

namespace app {

class TMainForm : public MainWindowForm {
public:
    TMainForm();
    std::u16string ClassName() const override { return u"TMainForm"; }

    // Closes the window (and so ends the program) whatever kept it open.
    void CloseMenu();
    // The menu's folder before the first showing: the tree takes the size option first, so that
    // it measures its rows once, at the size they are shown in.
    void FillTree(const std::u16string& root);

    // The tree's drag state: the left button went down on it, and where.
    bool DragArmed = false;
    ui::TPoint DragStart{0, 0};

    void FormCreate(ui::TObject* Sender);
    void FormShow(ui::TObject* Sender);
    void Timer1Timer(ui::TObject* Sender);
    void PopupMenu1Popup(ui::TObject* Sender);
    void AllUsers1Click(ui::TObject* Sender);
    void CurrentUser1Click(ui::TObject* Sender);
    void SmallFont1Click(ui::TObject* Sender);
    void MiddleFont1Click(ui::TObject* Sender);
    void LargeFont1Click(ui::TObject* Sender);
    void Logoff1Click(ui::TObject* Sender);
    void Reboot1Click(ui::TObject* Sender);
    void Shutdown1Click(ui::TObject* Sender);
    void Delete1Click(ui::TObject* Sender);
    void Open1Click(ui::TObject* Sender);
    void SysCtrlClick(ui::TObject* Sender);
    void InfoClick(ui::TObject* Sender);
    void RunClick(ui::TObject* Sender);
    void FolderClick(ui::TObject* Sender);
    void MenuClick(ui::TObject* Sender);
    void LinkClick(ui::TObject* Sender);
    void LinkItemClick(ui::TObject* Sender);

    void ShellTreeView1NodeClick(ui::TObject* Sender, ui::TTreeNode* Node);
    void ShellTreeView1KeyDown(ui::TObject* Sender, std::uint16_t& Key, ui::TShiftState Shift);
    void ShellTreeView1MouseDown(ui::TObject* Sender, ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y);
    void ShellTreeView1MouseMove(ui::TObject* Sender, ui::TShiftState Shift, int X, int Y);
    void ShellTreeView1MouseUp(ui::TObject* Sender, ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y);
    void ShellTreeView1DragOver(ui::TObject* Sender, ui::TObject* Source, int X, int Y, ui::TDragState State,
                                bool& Accept);
    void ShellTreeView1DragDrop(ui::TObject* Sender, ui::TObject* Source, int X, int Y);
    void ShellTreeView1EndDrag(ui::TObject* Sender, ui::TObject* Target, int X, int Y);
    void ShellTreeView1CustomDrawItem(ui::TObject* Sender, ui::TCanvas& Canvas, ui::TTreeNode* Node,
                                      ui::TCustomDrawState State, bool& DefaultDraw);

    // ---- type-to-find ----
    // The field and the results, made at the first search.
    TFindEdit* FindEdit = nullptr;
    TFindList* FindList = nullptr;
    bool Searching() const { return FSearching; }
    // Starts reading the index of both Programs folders, and follows their changes.
    void StartIndex();
    // The index arrived from the worker (or from a test).
    void IndexReady(FindIndex index);
    // Starts a search with the first typed character; ends it, the tree shown as it was.
    void StartSearch(char16_t first);
    void EndSearch();
    void ShellTreeView1KeyPress(ui::TObject* Sender, char16_t& Key);
    void FindEditChange(ui::TObject* Sender);
    void FindEditKeyDown(ui::TObject* Sender, std::uint16_t& Key, ui::TShiftState Shift);
    void FindListPick(int row);

protected:
    void WMActivate(int state) override;
    void WMMove() override;
    void WMSize() override;

private:
    void SetFolderSize(int size);
    // Launches the entry of a node as a click does; false for a folder or a virtual item.
    bool LaunchNode(ui::TTreeNode* Node);
    // The context menu at the selected row, as a right click there opens it.
    void PopupAtSelection();
    // Shows the search's results for the field's text.
    void RunQuery();
    // Launches a result's entry as a click does, or shows its folder in the tree.
    void PickResult(const FindEntry& entry);
    void ShowFolderInTree(const FindEntry& entry);

    bool FSearching = false;
    bool FLaunchWhenReady = false;
    FindIndex FIndex;
    RecentLinks FRecent;  // the links as they were when the search started
    std::unique_ptr<TProgramIndexer> FIndexer;
};

// The shared objects of the run.
extern ui::TImageList* SysImages;
extern TMainForm* MainForm;

// Start, the modal showing and the exit; the process's exit code.
int RunProgram();

}  // namespace app

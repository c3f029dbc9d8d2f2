#pragma once
// The local file system as a tree: one root for the computer, one node per drive, and below each
// drive its directories, read when a node is first opened. The selected node's path is the
// control's Directory, and a path selects its node. Drive names and all icons are asked for only
// when a node is drawn, so a drive without a medium or a slow network drive holds up nothing.
#include <deque>
#include <functional>
#include <string>

#include "platform/Files.h"
#include "ui/TreeView.h"

namespace controls {

enum TIconStyle { isSmall, isLarge };
using TSortEvent = std::function<void(ui::TObject* Sender, ui::TTreeNode* Node1, ui::TTreeNode* Node2, int& Compare)>;

class TCustomDirectoryTreeView : public ui::TTreeView {
public:
    explicit TCustomDirectoryTreeView(ui::TComponent* AOwner);
    ~TCustomDirectoryTreeView() override;
    std::u16string ClassName() const override { return u"TDirectoryTreeView"; }

    bool ClickExpand() const { return FClickExpand; }
    void SetClickExpand(bool value) { FClickExpand = value; }
    TIconStyle IconStyle() const { return FIconStyle; }
    void SetIconStyle(TIconStyle style);
    // The selected node's path; setting an existing directory selects its node.
    const std::u16string& Directory() const { return FDirectory; }
    void SetDirectory(const std::u16string& value);

    // "C:\" for a drive, "C:\Programme\Tools" deeper, empty for the computer.
    std::u16string GetPath(const ui::TTreeNode* node) const;
    // Selects the node of a path, opening the nodes on the way; false when a part is missing.
    bool OpenPath(const std::u16string& path);
    // Reads a node's directories again.
    void UpdatePath(ui::TTreeNode* node);
    // Rebuilds the drives and selects the same path again.
    void RefreshPath();
    void NewDirectory(ui::TTreeNode* node, const std::u16string& name);

    TSortEvent OnSort;

protected:
    bool CanExpand(ui::TTreeNode* Node) override;
    void Change(ui::TTreeNode* Node) override;
    void MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
    void ResolvePendingText(ui::TTreeNode* Node) override;
    void ResolvePendingImages(ui::TTreeNode* Node) override;
    void ResolvePendingChildren(ui::TTreeNode* Node) override;

private:
    void BuildDrives();
    int LoadChildren(ui::TTreeNode* node, const std::u16string& path);
    int CompareNodes(ui::TTreeNode* a, ui::TTreeNode* b);
    void SortChildren(ui::TTreeNode* node);
    void NodeEdited(ui::TTreeNode* node, std::u16string& s);
    const platform::DriveRoot* DriveOf(const ui::TTreeNode* node) const;

    bool FClickExpand = false;
    std::u16string FDirectory;
    TIconStyle FIconStyle = isSmall;
    // The drives of the tree's level-1 nodes, pointed to by their data.
    std::deque<platform::DriveRoot> FDrives;
};

class TDirectoryTreeView : public TCustomDirectoryTreeView {
public:
    using TCustomDirectoryTreeView::TCustomDirectoryTreeView;
};

}  // namespace controls

#include "app/NbMenuTree.h"

#include "platform/ShellOperations.h"
#include "ui/Backend.h"

namespace app {

void TShellTreeView::Click() {
    // The click comes from the native control without a position: where the pointer is now.
    const ui::TPoint at = ScreenToClient(ui::GetBackend().CursorPos());
    ui::TTreeNode* node = GetNodeAt(at.X, at.Y);
    if (node) {
        if (node->Expanded())
            node->Collapse(false);
        else
            node->Expand(false);
    }
    const auto alive = Lifetime();
    shell::TShellTreeView::Click();
    if (*alive && node && OnNodeClick) OnNodeClick(this, node);
}

void TShellTreeView::MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
    MouseClick = true;
    shell::TShellTreeView::MouseDown(Button, Shift, X, Y);
}

void TShellTreeView::MouseMove(ui::TShiftState Shift, int X, int Y) {
    if (!MouseClick)
        if (ui::TTreeNode* node = GetNodeAt(X, Y); node && node != Selected()) SetSelected(node);
    shell::TShellTreeView::MouseMove(Shift, X, Y);
}

void TShellTreeView::MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
    MouseClick = false;
    shell::TShellTreeView::MouseUp(Button, Shift, X, Y);
}

bool ShellMoveFile(std::intptr_t Wnd, const std::u16string& Source, const std::u16string& Dest,
                   platform::FileOperationStyle Flags) {
    return platform::GetShellOperations().FileOperation(Wnd, platform::FileOperationKind::Move, Source, Dest, Flags);
}

bool ShellDeleteFile(std::intptr_t Wnd, const std::u16string& Source, platform::FileOperationStyle Flags) {
    return platform::GetShellOperations().FileOperation(Wnd, platform::FileOperationKind::Delete, Source, u"", Flags);
}

}  // namespace app

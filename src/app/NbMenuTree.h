#pragma once
// The start menu's tree: a shell tree that behaves like a menu. While no button is down the
// selection follows the mouse; a click opens or closes the folder under the pointer and reports the
// node it hit. Also the two shell file operations the menu's commands use.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ShellOperations.h"
#include "shell/ShellTreeView.h"

namespace app {

class TShellTreeView : public shell::TShellTreeView {
public:
    using shell::TShellTreeView::TShellTreeView;
    std::u16string ClassName() const override { return u"TShellTreeView"; }

    // A button went down on the tree and has not been released yet.
    bool MouseClick = false;

    // A click hit this node (after the plain click event).
    std::function<void(ui::TObject* Sender, ui::TTreeNode* Node)> OnNodeClick;

    // The menu is worked by keys too: Enter and Esc are the tree's, not the form's dialog keys,
    // and a typed character starts a search rather than pressing a button (Alt does that).
    ui::TWantedKeys WantedKeys() const override {
        return shell::TShellTreeView::WantedKeys() | ui::wkEnter | ui::wkEscape | ui::wkChars;
    }

protected:
    void Click() override;
    void MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
    void MouseMove(ui::TShiftState Shift, int X, int Y) override;
    void MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
};

// Move or delete one path with the shell's own confirmations; the paths carry their closing NUL.
bool ShellMoveFile(std::intptr_t Wnd, const std::u16string& Source, const std::u16string& Dest,
                   platform::FileOperationStyle Flags);
bool ShellDeleteFile(std::intptr_t Wnd, const std::u16string& Source, platform::FileOperationStyle Flags);

}  // namespace app

// The shell tree view's context menu: the shell's own menu for the node under the pointer, and
// what the tree does around its commands.
#include "shell/ShellTreeView.h"

#include "platform/Files.h"
#include "ui/Menus.h"
#include "util/Utils.h"

namespace shell {

using platform::GetShellNamespace;
using ui::TTreeNode;

void TCustomShellTreeView::DoContextPopup(ui::TPoint MousePos, bool& Handled) {
    if (!FAutoContext || (PopupMenu() && PopupMenu()->AutoPopup())) return;
    ShowItemContextMenu(this, SelectedFolder(), MousePos.X, MousePos.Y, this);
    Handled = true;
}

platform::ShellContextMenu* TCustomShellTreeView::ShownShellMenu() { return OpenMenuHandler(); }

void TCustomShellTreeView::ExecuteCommand(const std::string& Verb, bool& Handled) {
    const std::u16string verb(Verb.begin(), Verb.end());
    if (util::SameTextAscii(verb, u"rename")) {
        if (TTreeNode* node = Selected()) {
            node->EditText();
            Handled = true;
        }
    } else if (util::SameTextAscii(verb, u"open")) {
        auto& shell = GetShellNamespace();
        FSavePath = shell.CurrentDirectory();
        if (TShellFolder* item = SelectedFolder()) shell.ChangeCurrentDirectory(util::FolderPart(item->PathName()));
    }
}

void TCustomShellTreeView::CommandCompleted(const std::string& Verb, bool Succeeded) {
    TTreeNode* node = Selected();
    if (!Succeeded || !node) return;
    const std::u16string verb(Verb.begin(), Verb.end());
    if (util::SameTextAscii(verb, u"delete")) {
        TShellFolder* item = FolderOf(node);
        // Gone means no file and no folder of that name: a folder whose removal was cancelled stays.
        if (item && !platform::GetFiles().Attributes(item->PathName())) {
            node->SetData(nullptr);
            node->Delete();
            delete item;
        }
    } else if (util::SameTextAscii(verb, u"paste")) {
        Refresh(node);
    } else if (util::SameTextAscii(verb, u"open")) {
        GetShellNamespace().ChangeCurrentDirectory(FSavePath);
    }
}

}  // namespace shell

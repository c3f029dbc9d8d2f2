// The shell tree view's icon worker: the first rows' icons of a read folder asked for ahead.
#include "shell/ShellTreeView.h"

#include "platform/ShellIcons.h"

namespace shell {

using platform::GetShellNamespace;
using ui::TTreeNode;

void TCustomShellTreeView::StartIconPrefetch(TTreeNode* Node) {
    StopIconPrefetch();
    if (!SystemIcons()) return;
    // About two screens of rows: what shows first, and what a first scroll brings.
    constexpr std::size_t PrefetchedRows = 64;
    std::vector<IdListPtr> lists;
    for (int i = 0; i < Node->Count() && lists.size() < PrefetchedRows; ++i) {
        TTreeNode* child = Node->Item(i);
        TShellFolder* item = FolderOf(child);
        if (!item || !child->ImagesPending()) continue;
        FPrefetchSlots.emplace(child, lists.size());
        lists.emplace_back(IdClone(item->AbsoluteID()));
    }
    if (!lists.empty())
        FIconPrefetch = std::make_unique<TIconPrefetch>(GetShellNamespace(), std::move(lists), platform::SmallIcon);
}

void TCustomShellTreeView::StopIconPrefetch() {
    FIconPrefetch.reset();
    FPrefetchSlots.clear();
}

}  // namespace shell

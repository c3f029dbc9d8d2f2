#pragma once
// Scopes the shell tree view's parts share: a flag held for a scope, and one update of the nodes.
#include "ui/TreeView.h"

namespace shell {

// Keeps a flag set for the time of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~FlagScope() { FFlag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& FFlag;
};

// One update of the node collection: the widget redraws once, at the end.
class ItemsUpdate {
public:
    explicit ItemsUpdate(ui::TTreeNodes& items) : FItems(items) { FItems.BeginUpdate(); }
    ~ItemsUpdate() { FItems.EndUpdate(); }
    ItemsUpdate(const ItemsUpdate&) = delete;
    ItemsUpdate& operator=(const ItemsUpdate&) = delete;

private:
    ui::TTreeNodes& FItems;
};

}  // namespace shell

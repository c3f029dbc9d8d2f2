#pragma once
// A tree that works out pending texts and expand buttons when asked, and counts the questions:
// a node's text is "Eintrag <data>", and it has no children.
#include <string>

#include "ui/TreeView.h"

struct AskingTree : ui::TTreeView {
    using ui::TTreeView::TTreeView;
    int TextsAsked = 0, ChildrenAsked = 0;
    void ResolvePendingText(ui::TTreeNode* node) override {
        ++TextsAsked;
        std::u16string text = u"Eintrag ";
        for (char digit : std::to_string(reinterpret_cast<std::intptr_t>(node->Data()))) text += char16_t(digit);
        node->AssignText(text);
    }
    void ResolvePendingChildren(ui::TTreeNode* node) override {
        ++ChildrenAsked;
        node->AssignHasChildren(false);
    }
};

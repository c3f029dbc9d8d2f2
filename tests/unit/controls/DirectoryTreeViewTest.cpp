// The directory tree over the native file system: the computer and its one root, paths of nodes,
// a path opened without regard to case, natural order, folders read once when first opened,
// Directory's guards, ClickExpand, and renaming with its guards.
#include <gtest/gtest.h>

#include <filesystem>

#include "controls/DirectoryTreeView.h"
#include "support/TempDir.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"

using controls::TDirectoryTreeView;
using ui::headless::PeerOf;

namespace {
struct TreeForm : ui::TForm {
    TreeForm() : ui::TForm(nullptr) {
        SetBorderStyle(ui::bsNone);
        SetBounds(0, 0, 300, 600);
        Tree = new TDirectoryTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(0, 0, 300, 600);
        Tree->OnChange = [this](ui::TObject*, ui::TTreeNode*) { ++Changes; };
    }
    std::vector<std::u16string> Children(ui::TTreeNode* node) const {
        std::vector<std::u16string> names;
        for (ui::TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling()) names.push_back(c->Text());
        return names;
    }
    TDirectoryTreeView* Tree;
    int Changes = 0;
};

struct Folders {
    Folders() {
        for (const char* name : {"Programme/Tools", "Disk10", "Disk2", "Zubehör", ".versteckt/innen", "leer"})
            std::filesystem::create_directories(dir.Native() / std::filesystem::u8path(name));
    }
    TempDir dir;
};
}  // namespace

TEST(DirectoryTreeView, NodesPathsAndAPathOpenedWithoutRegardToCase) {
    Folders folders;
    TreeForm form;
    ui::TTreeNode* root = form.Tree->Items().GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(form.Tree->GetPath(root), u"");
    EXPECT_TRUE(root->Expanded());
    ASSERT_EQ(root->Count(), 1);  // the one root of this system, as one drive
    ui::TTreeNode* drive = root->Item(0);
    EXPECT_EQ(drive->Text(), u"Dateisystem");
    EXPECT_EQ(form.Tree->GetPath(drive), u"\\");
    EXPECT_TRUE(drive->HasChildren());

    const std::u16string base = folders.dir.Path();
    ASSERT_TRUE(form.Tree->OpenPath(base + u"\\PROGRAMME\\tools"));
    ui::TTreeNode* tools = form.Tree->Selected();
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->Text(), u"Tools");
    EXPECT_EQ(form.Tree->GetPath(tools), base + u"\\Programme\\Tools");
    EXPECT_EQ(form.Tree->Directory(), base + u"\\Programme\\Tools");
    // Siblings in natural order; names beginning with "." are left out.
    ui::TTreeNode* folderNode = tools->Parent()->Parent();
    EXPECT_EQ(form.Children(folderNode),
              (std::vector<std::u16string>{u"Disk2", u"Disk10", u"leer", u"Programme", u"Zubehör"}));
    // A folder without subfolders has no button; a missing part selects nothing.
    EXPECT_FALSE(folderNode->Item(2)->HasChildren());
    const int changes = form.Changes;
    EXPECT_FALSE(form.Tree->OpenPath(base + u"\\Programme\\fehlt"));
    EXPECT_FALSE(form.Tree->OpenPath(u""));
    EXPECT_EQ(form.Tree->Selected(), tools);
    // Directory: the same path in other letters, or a path that does not exist, changes nothing.
    form.Tree->SetDirectory(base + u"\\programme\\TOOLS\\");
    form.Tree->SetDirectory(base + u"\\nirgends");
    EXPECT_EQ(form.Changes, changes);
    form.Tree->SetDirectory(base + u"\\Zubehör");
    EXPECT_EQ(form.Tree->Selected()->Text(), u"Zubehör");
    EXPECT_EQ(form.Changes, changes + 1);
}

TEST(DirectoryTreeView, AFolderIsReadOnceWhenFirstOpenedAndAgainOnlyWhenAskedTo) {
    Folders folders;
    TreeForm form;
    const std::u16string base = folders.dir.Path();
    ASSERT_TRUE(form.Tree->OpenPath(base));
    ui::TTreeNode* node = form.Tree->Selected();
    EXPECT_EQ(node->Count(), 0);  // not read before it is opened
    node->Expand(false);
    EXPECT_EQ(node->Count(), 5);
    std::filesystem::create_directory(folders.dir.Native() / "Neu");
    node->Collapse(false);
    node->Expand(false);
    EXPECT_EQ(node->Count(), 5);
    form.Tree->UpdatePath(node);
    EXPECT_EQ(node->Count(), 6);
    form.Tree->NewDirectory(node, u"Spiele");
    EXPECT_TRUE(std::filesystem::is_directory(folders.dir.Native() / "Spiele"));
    EXPECT_EQ(form.Tree->Directory(), base + u"\\Spiele");
    // The whole tree built anew keeps the selected path.
    form.Tree->RefreshPath();
    EXPECT_EQ(form.Tree->Directory(), base + u"\\Spiele");
    ASSERT_NE(form.Tree->Selected(), nullptr);
    EXPECT_EQ(form.Tree->Selected()->Text(), u"Spiele");
}

TEST(DirectoryTreeView, ClickExpandAndRenamingWithItsGuards) {
    Folders folders;
    TreeForm form;
    const std::u16string base = folders.dir.Path();
    ASSERT_TRUE(form.Tree->OpenPath(base + u"\\Programme"));
    ui::TTreeNode* programs = form.Tree->Selected();
    auto& widget = PeerOf(*form.Tree);
    const ui::TRect r = widget.ItemRect(programs->ItemId(), true);
    widget.ClickAt(r.Left + 2, r.Top + 2);
    EXPECT_FALSE(programs->Expanded());
    form.Tree->SetClickExpand(true);
    widget.ClickAt(r.Left + 2, r.Top + 2);
    EXPECT_TRUE(programs->Expanded());

    const auto rename = [&](ui::TTreeNode* node, const std::u16string& text) {
        node->EditText();
        widget.UserEndEdit(&text);
        return node->Text();
    };
    ui::TTreeNode* disk2 = programs->Parent()->Item(0);
    ASSERT_EQ(disk2->Text(), u"Disk2");
    EXPECT_EQ(rename(disk2, u"Disk10"), u"Disk2");  // taken: nothing replaced
    EXPECT_EQ(rename(disk2, u"??"), u"Disk2");      // nothing left of the name
    EXPECT_EQ(rename(disk2, u"Lauf?werk"), u"Laufwerk");
    EXPECT_TRUE(std::filesystem::is_directory(folders.dir.Native() / "Laufwerk"));
    EXPECT_FALSE(std::filesystem::exists(folders.dir.Native() / "Disk2"));
    EXPECT_TRUE(std::filesystem::is_directory(folders.dir.Native() / "Disk10"));
}

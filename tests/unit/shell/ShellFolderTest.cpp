// Shell items on the file-system shell (and a scripted folder for the name forms): levels,
// names, attributes, renaming, detail columns, root resolution, the verb protocol, and every
// list and shell object given back.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "shell/ShellConsts.h"
#include "shell/ShellContextMenu.h"
#include "shell/ShellFolder.h"
#include "support/FileShell.h"
#include "ui/Control.h"
#include "ui/Form.h"

using namespace shell;
using platform::ShellName;
using enum platform::ShellNameStyle;

namespace {
// A folder that answers display names from a script, for the forms the file shell never uses.
class ScriptedFolder : public platform::ShellObject {
public:
    std::vector<std::pair<platform::ShellNameStyle, ShellName>> Answers;
    std::vector<platform::ShellNameStyle> Asked;
    bool Has(platform::ShellFace) const override { return true; }
    ShellObjectRef BindToObject(const std::uint8_t*, platform::ShellFace) override { return {}; }
    ShellObjectRef UiObjectOf(ShellWindow, const std::uint8_t*, platform::ShellFace) override { return {}; }
    ShellObjectRef CreateViewObject(ShellWindow, platform::ShellFace) override { return {}; }
    std::unique_ptr<platform::ShellEnumerator> EnumObjects(ShellWindow, platform::ShellItemKinds) override { return {}; }
    std::optional<std::int32_t> CompareIds(std::uint32_t, const std::uint8_t*, const std::uint8_t*) override { return 0; }
    bool AttributesOf(const std::uint8_t*, platform::ShellAttributes&) override { return false; }
    std::optional<ShellName> DisplayNameOf(const std::uint8_t*, platform::ShellNameStyle style) override {
        Asked.push_back(style);
        for (auto& [f, name] : Answers)
            if (f == style) return name;
        return std::nullopt;
    }
    platform::ShellIdList SetNameOf(ShellWindow, const std::uint8_t*, const std::u16string&, platform::ShellNameStyle) override { return {}; }
    platform::ShellIdList ParseDisplayName(ShellWindow, const std::u16string&) override { return {}; }
    std::unique_ptr<platform::ShellContextMenu> ContextMenuOf(ShellWindow, const std::uint8_t*) override { return {}; }
    std::optional<ShellName> DetailsOf(const std::uint8_t*, unsigned) override { return std::nullopt; }
};

ShellName Wide(std::u16string text) {
    ShellName name;
    name.HasText = true;
    name.Text = std::move(text);
    return name;
}

IdListPtr Parse(const std::u16string& path) { return DesktopShellFolder()->ParseDisplayName(0, path); }

// The item for a path, with its chain of parents built from `top` down.
struct Chain {
    std::vector<std::unique_ptr<TShellFolder>> items;
    TShellFolder* Last() { return items.back().get(); }
};
Chain BuildChain(const std::u16string& top, const std::vector<std::u16string>& below) {
    Chain chain;
    IdListPtr list = Parse(top);
    chain.items.push_back(FolderFromAbsoluteId(list.get()));
    for (const auto& name : below) {
        TShellFolder* parent = chain.Last();
        IdListPtr child = parent->ShellFolder()->ParseDisplayName(0, name);
        auto folder = BindItemFolder(parent->ShellFolder(), child.get(), 0);
        chain.items.push_back(std::make_unique<TShellFolder>(parent, child.get(), folder));
    }
    return chain;
}

class VerbOwner : public ui::TCustomControl, public IShellCommandVerb {
public:
    using ui::TCustomControl::TCustomControl;
    bool HandleIt = false;
    std::vector<std::string> Log;
    void ExecuteCommand(const std::string& Verb, bool& Handled) override {
        Log.push_back("execute " + Verb + (Handled ? " handled?" : ""));
        Handled = HandleIt;
    }
    void CommandCompleted(const std::string& Verb, bool Succeeded) override {
        Log.push_back("completed " + Verb + (Succeeded ? " ok" : " failed"));
    }
};
}  // namespace

TEST(ShellFolder, DisplayTextsComeInThreeFormsAndAreTidied) {
    auto folder = std::make_shared<ScriptedFolder>();
    const std::uint8_t list[] = {8, 0, 'x', 'x', 'N', 'a', 'm', 'e', 0, 0};
    EXPECT_EQ(ItemDisplayText(nullptr, list, Normal), u"parentfolder = nil");

    ShellName offset;
    offset.Kind = ShellName::Offset;
    offset.ByteOffset = 4;
    folder->Answers = {{InFolder, offset}};
    EXPECT_EQ(ItemDisplayText(folder, list, InFolder), u"Name");  // the rest of the first entry, not past it
    offset.ByteOffset = 8;
    folder->Answers = {{InFolder, offset}};
    EXPECT_EQ(ItemDisplayText(folder, list, InFolder), u"");

    ShellName inlineName;
    inlineName.Kind = ShellName::Inline;
    inlineName.Bytes = "?12";
    folder->Answers = {{InFolder, inlineName}};
    EXPECT_EQ(ItemDisplayText(folder, list, InFolder), u"12");

    folder->Answers = {{InFolder, ShellName{}}};
    EXPECT_EQ(ItemDisplayText(folder, list, InFolder), u"");

    // A class parse name is asked again with the normal flag: the friendly name stands.
    folder->Asked.clear();
    folder->Answers = {{ForParsing, Wide(u"::{21EC2020-3AEA-1069-A2DD-08002B30309D}")}, {Normal, Wide(u"Systemsteuerung")}};
    EXPECT_EQ(ItemDisplayText(folder, list, ForParsing), u"Systemsteuerung");
    EXPECT_EQ(folder->Asked, (std::vector<platform::ShellNameStyle>{ForParsing, Normal}));
}

TEST(ShellFolder, ItemsKnowTheirLevelsNamesAndKinds) {
    FileShellFixture fixture;
    fixture.MakeFile("Menü/Spiele/Schach.desktop");
    ASSERT_NE(DesktopItem(), nullptr);  // made once for the process, before the counts
    const long blocks = platform::ShellBlocksHeld(), objects = platform::ShellObjectsHeld();
    {
        EXPECT_EQ(DesktopItem()->Parent(), nullptr);
        EXPECT_EQ(IdSize(IdDesktop().get()), 2u);
        Chain chain = BuildChain(fixture.Text("Menü"), {u"Spiele", u"Schach.desktop"});
        TShellFolder* menu = chain.items[0].get();
        TShellFolder* games = chain.items[1].get();
        TShellFolder* chess = chain.items[2].get();
        EXPECT_EQ(menu->Parent(), DesktopItem());
        EXPECT_EQ(menu->Level(), 0);
        EXPECT_EQ(games->Level(), 1);
        EXPECT_EQ(chess->Level(), 2);
        EXPECT_EQ(games->DisplayName(), u"Spiele");
        EXPECT_EQ(chess->PathName(), fixture.Text("Menü/Spiele/Schach.desktop"));
        EXPECT_TRUE(games->IsFolder());
        EXPECT_FALSE(chess->IsFolder());
        EXPECT_FALSE(games->SubFolders());
        EXPECT_TRUE(menu->SubFolders());
        EXPECT_FALSE(chess->ShellFolder());
        EXPECT_TRUE(chess->Capabilities() & (1u << fcCanRename));
        EXPECT_TRUE(chess->Properties() & (1u << fpFileSystem));
        EXPECT_EQ(IdSize(chess->AbsoluteID()), IdSize(games->AbsoluteID()) + IdSize(chess->RelativeID()) - 2);
        EXPECT_TRUE(IdEqual(chess->AbsoluteID(), Parse(fixture.Text("Menü/Spiele/Schach.desktop")).get()));
        EXPECT_FALSE(IdEqual(chess->AbsoluteID(), games->AbsoluteID()));
        EXPECT_GE(chess->ImageIndex(false), 0);
    }
    EXPECT_EQ(platform::ShellBlocksHeld(), blocks);
    EXPECT_EQ(platform::ShellObjectsHeld(), objects);
}

TEST(ShellFolder, RenameKeepsTheAbsoluteListInStepAndReportsRefusals) {
    FileShellFixture fixture;
    fixture.MakeFile("Menü/Büro/Brief.txt");
    fixture.MakeFile("Menü/Büro/Besetzt.txt");
    Chain chain = BuildChain(fixture.Text("Menü"), {u"Büro", u"Brief.txt"});
    TShellFolder* letter = chain.Last();
    ASSERT_TRUE(letter->Rename(u"Post.txt"));
    EXPECT_TRUE(std::filesystem::exists(fixture.Native("Menü/Büro/Post.txt")));
    IdListPtr expected(IdJoin(chain.items[1]->AbsoluteID(), letter->RelativeID()));
    EXPECT_EQ(IdSize(letter->AbsoluteID()), IdSize(expected.get()));
    EXPECT_EQ(0, std::memcmp(letter->AbsoluteID(), expected.get(), IdSize(expected.get())));
    EXPECT_EQ(letter->DisplayName(), u"Post.txt");

    const std::vector<std::uint8_t> before(letter->AbsoluteID(), letter->AbsoluteID() + IdSize(letter->AbsoluteID()));
    try {
        letter->Rename(u"Besetzt.txt");
        ADD_FAILURE() << "a taken name must be refused";
    } catch (const ui::Exception& error) {
        EXPECT_EQ(error.Message(), u"Rename to Besetzt.txt failed");
    }
    EXPECT_EQ(std::vector<std::uint8_t>(letter->AbsoluteID(), letter->AbsoluteID() + IdSize(letter->AbsoluteID())), before);
    // The root of the file system cannot be renamed: false, and nothing raised.
    auto root = FolderFromAbsoluteId(IdDesktop().get());
    EXPECT_FALSE(root->Rename(u"anders"));
}

TEST(ShellFolder, FileSystemColumnsAndTheirErrors) {
    FileShellFixture fixture;
    fixture.MakeFolder("Daten/Ordner");
    fixture.MakeFile("Daten/klein.txt", "12345");
    {
        std::ofstream big(fixture.Native("Daten/gross.bin"), std::ios::binary);
    }
    std::filesystem::resize_file(fixture.Native("Daten/gross.bin"), (std::uintmax_t{5} << 30) + 7);  // sparse
    Chain chain = BuildChain(fixture.Text("Daten"), {u"gross.bin"});
    TShellFolder* root = chain.items[0].get();
    TShellFolder* big = chain.Last();
    try {
        big->GetDetails(1);
        ADD_FAILURE() << "details before loading must be refused";
    } catch (const ui::Exception& error) {
        EXPECT_EQ(error.Message(), u"gross.bin: Missing call to LoadColumnDetails");
    }
    big->LoadColumnDetails(root, 0, 4);
    EXPECT_EQ(big->GetDetails(1), u"5368709127");
    EXPECT_EQ(big->GetDetails(2), u".bin");
    EXPECT_EQ(big->GetDetails(3).size(), 19u);  // "dd.mm.yyyy hh:mm:ss" or a date without time
    EXPECT_THROW(big->GetDetails(5), ui::Exception);
    EXPECT_THROW(big->GetDetails(0), ui::Exception);

    Chain folderChain = BuildChain(fixture.Text("Daten"), {u"Ordner"});
    folderChain.Last()->LoadColumnDetails(folderChain.items[0].get(), 0, 3);
    EXPECT_EQ(folderChain.Last()->GetDetails(1), u"-1");
    EXPECT_EQ(folderChain.Last()->GetDetails(3), u"29.12.1899");
    EXPECT_EQ(folderChain.Last()->DetailCount(), 3);
    folderChain.Last()->SetDetails(2, u"neu");
    folderChain.Last()->SetDetails(4, u"angehängt");
    EXPECT_EQ(folderChain.Last()->GetDetails(2), u"neu");
    EXPECT_EQ(folderChain.Last()->GetDetails(4), u"angehängt");

    // The file went away after it was listed: the search finds nothing.
    Chain small = BuildChain(fixture.Text("Daten"), {u"klein.txt"});
    std::filesystem::remove(fixture.Native("Daten/klein.txt"));
    try {
        small.Last()->LoadColumnDetails(small.items[0].get(), 0, 4);
        ADD_FAILURE() << "a missing file must be reported";
    } catch (const EInvalidPath& error) {
        EXPECT_EQ(error.Message(), u"Unable to retrieve folder details for \"\". Error code $2");
    }
}

TEST(ShellFolder, RootsResolveFromNamesAndPathsAndFailuresRestoreTheText) {
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    std::unique_ptr<TShellFolder> current;
    TRoot root = u"RFCOMMONPROGRAMS";
    current = ResolveRoot(current, u"", root);
    ASSERT_TRUE(current);
    EXPECT_EQ(current->PathName(), fixture.Text("common"));
    EXPECT_EQ(current->Parent(), DesktopItem());

    TShellFolder* kept = current.get();
    for (const std::u16string bad : {u"", u"C:", u"/gibt/es/nicht", u"rfControlPanel"}) {
        root = bad;
        try {
            ResolveRoot(current, u"rfCommonPrograms", root);
            ADD_FAILURE() << "a root that names nothing must be refused";
        } catch (const ui::Exception& error) {
            const std::u16string shown = bad == u"C:" ? u"C:\\" : bad;
            EXPECT_EQ(error.Message(), u"Fehler beim Festlegen des Pfades: \"" + shown + u"\"");
        }
        EXPECT_EQ(root, u"rfCommonPrograms");
        EXPECT_EQ(current.get(), kept);
    }
    root = fixture.Text("user");
    current = ResolveRoot(current, u"rfCommonPrograms", root);
    EXPECT_EQ(current->PathName(), fixture.Text("user"));
}

TEST(ShellContextMenu, TheOwnerTakesPartInEveryChosenCommand) {
    FileShellFixture fixture;
    fixture.MakeFile("k/Datei.txt");
    ui::TForm form(nullptr);
    auto* owner = new VerbOwner(&form);
    owner->SetParent(&form);
    Chain chain = BuildChain(fixture.Text("k"), {u"Datei.txt"});
    TShellFolder* file = chain.Last();
    const std::u16string path = fixture.Text("k/Datei.txt");
    int choice = 0;
    fixture.Shell().MenuChoice = [&](const std::vector<platform::posix::ShellMenuEntry>& items) {
        EXPECT_EQ(items.size(), 4u);  // rename is offered
        return choice;
    };

    ShowItemContextMenu(owner, file, 5, 5, owner);  // dismissed
    EXPECT_TRUE(owner->Log.empty());

    choice = 4;  // properties, carried out by the owner
    owner->HandleIt = true;
    ShowItemContextMenu(owner, file, 5, 5, owner);
    EXPECT_EQ(owner->Log, (std::vector<std::string>{"execute properties", "completed properties ok"}));
    EXPECT_TRUE(fixture.Shell().Requests.empty());

    owner->Log.clear();
    owner->HandleIt = false;  // now the shell runs it
    ShowItemContextMenu(owner, file, 5, 5, owner);
    EXPECT_EQ(owner->Log, (std::vector<std::string>{"execute properties", "completed properties ok"}));
    EXPECT_EQ(fixture.Shell().Requests, std::vector<std::u16string>{u"properties " + path});

    owner->Log.clear();
    choice = 3;  // rename, which the shell cannot do without a view
    ShowItemContextMenu(owner, file, 5, 5, owner);
    EXPECT_EQ(owner->Log, (std::vector<std::string>{"execute rename", "completed rename failed"}));

    owner->Log.clear();
    ShowItemContextMenu(owner, nullptr, 5, 5, owner);
    EXPECT_TRUE(owner->Log.empty());
    EXPECT_EQ(OpenMenuHandler(), nullptr);

    fixture.Shell().Requests.clear();
    InvokeItemVerb(file, "properties");
    InvokeItemVerb(nullptr, "properties");
    EXPECT_EQ(fixture.Shell().Requests, std::vector<std::u16string>{u"properties " + path});
}

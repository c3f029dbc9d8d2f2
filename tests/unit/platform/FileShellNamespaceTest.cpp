// The shell namespace on the file system: entry framing, parsing, order, attributes, names,
// renaming, damaged lists and the context menu.
#include <gtest/gtest.h>

#include "platform/ShellMemory.h"
#include "shell/IdList.h"
#include "support/FileShell.h"

using namespace platform;
using platform::posix::ShellMenuEntry;

namespace {
using platform::ShellAttribute;
using platform::ShellAttributes;
using platform::ShellItemKinds;
using platform::ShellNameStyle;

std::u16string NameText(const std::optional<ShellName>& name) { return name && name->HasText ? name->Text : u"?"; }

std::vector<std::u16string> Children(ShellObject& folder, ShellItemKinds kinds) {
    std::vector<std::u16string> names;
    auto items = folder.EnumObjects(0, kinds);
    if (!items) return names;
    while (ShellIdList item = items->Next()) names.push_back(NameText(folder.DisplayNameOf(item.get(), ShellNameStyle::InFolder)));
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

TEST(FileShellNamespace, ParsesPathsIntoFramedNamesAndBindsFolders) {
    FileShellFixture fixture;
    fixture.MakeFile("Menü/Zubehör/Editor.desktop");
    auto desktop = fixture.Shell().Desktop();
    ShellIdList list = desktop->ParseDisplayName(0, fixture.Text("Menü/Zubehör"));
    ASSERT_TRUE(list);
    // Each entry is a count and the name in UTF-16LE; the last entry here is "Zubehör".
    const int entries = shell::IdCount(list.get());
    EXPECT_GE(entries, 3);
    shell::IdListPtr last(shell::IdLastItem(list.get()));
    ASSERT_EQ(shell::IdSize(last.get()), 2u + 2u + 2u * 7u);
    EXPECT_EQ(last.get()[2], 'Z');
    EXPECT_EQ(last.get()[3], 0);
    EXPECT_EQ(NameText(desktop->DisplayNameOf(list.get(), ShellNameStyle::ForParsing)), fixture.Text("Menü/Zubehör"));
    EXPECT_EQ(NameText(desktop->DisplayNameOf(list.get(), ShellNameStyle::Normal)), u"Zubehör");
    EXPECT_EQ(NameText(desktop->DisplayNameOf(nullptr, ShellNameStyle::Normal)), u"Desktop");
    // Forward slashes read as well; a missing item or ".." parses to nothing.
    EXPECT_TRUE(desktop->ParseDisplayName(0, u"/" + fixture.Text("Menü").substr(1)));
    EXPECT_FALSE(desktop->ParseDisplayName(0, fixture.Text("Menü/fehlt")));
    EXPECT_FALSE(desktop->ParseDisplayName(0, fixture.Text("Menü/../Menü")));
    EXPECT_FALSE(desktop->ParseDisplayName(0, u""));

    auto folder = desktop->BindToObject(list.get(), ShellFace::Folder);
    ASSERT_TRUE(folder);
    EXPECT_EQ(Children(*folder, {true, true, false}), std::vector<std::u16string>{u"Editor.desktop"});
    EXPECT_TRUE(Children(*folder, {true, false, false}).empty());
    // A file binds to no folder; no face but the folder is offered here.
    ShellIdList file = folder->ParseDisplayName(0, u"Editor.desktop");
    ASSERT_TRUE(file);
    EXPECT_FALSE(folder->BindToObject(file.get(), ShellFace::Folder));
    EXPECT_FALSE(desktop->BindToObject(list.get(), ShellFace::Folder2));
    EXPECT_FALSE(folder->DetailsOf(file.get(), 1));
}

TEST(FileShellNamespace, OrdersFoldersFirstThenNamesWithoutCase) {
    FileShellFixture fixture;
    fixture.MakeFolder("m/zeta");
    fixture.MakeFile("m/Alpha.txt");
    fixture.MakeFile("m/beta.txt");
    fixture.MakeFile("m/BETA.txt");
    auto folder = fixture.Shell().Desktop()->BindToObject(
        fixture.Shell().Desktop()->ParseDisplayName(0, fixture.Text("m")).get(), ShellFace::Folder);
    ASSERT_TRUE(folder);
    auto order = [&](const char16_t* a, const char16_t* b) {
        ShellIdList x = folder->ParseDisplayName(0, a), y = folder->ParseDisplayName(0, b);
        auto answer = folder->CompareIds(0, x.get(), y.get());
        return answer ? static_cast<std::int16_t>(*answer & 0xFFFF) : 99;
    };
    EXPECT_LT(order(u"zeta", u"Alpha.txt"), 0);
    EXPECT_GT(order(u"beta.txt", u"Alpha.txt"), 0);
    EXPECT_LT(order(u"Alpha.txt", u"beta.txt"), 0);
    EXPECT_EQ(order(u"beta.txt", u"beta.txt"), 0);
    // Names equal but for case still have an order, and it is the same both ways round.
    EXPECT_EQ(order(u"beta.txt", u"BETA.txt"), -order(u"BETA.txt", u"beta.txt"));
    EXPECT_NE(order(u"beta.txt", u"BETA.txt"), 0);
    // A list that is no list of names compares as a failure.
    const std::uint8_t odd[] = {5, 0, 'a', 0, 'b', 0, 0};
    EXPECT_FALSE(folder->CompareIds(0, odd, odd));
}

TEST(FileShellNamespace, AttributesNamesAndRenames) {
    FileShellFixture fixture;
    fixture.MakeFolder("r/sub/inner");
    fixture.MakeFile("r/.versteckt");
    fixture.MakeFile("r/datei.txt");
    auto desktop = fixture.Shell().Desktop();
    auto folder = desktop->BindToObject(desktop->ParseDisplayName(0, fixture.Text("r")).get(), ShellFace::Folder);
    ASSERT_TRUE(folder);
    ShellIdList sub = folder->ParseDisplayName(0, u"sub");
    ShellIdList file = folder->ParseDisplayName(0, u"datei.txt");
    ShellAttributes attributes{ShellAttribute::Folder};
    ASSERT_TRUE(folder->AttributesOf(sub.get(), attributes));
    EXPECT_TRUE(attributes.Has(ShellAttribute::Folder) && attributes.Has(ShellAttribute::HasSubfolder) &&
                attributes.Has(ShellAttribute::FileSystem));
    EXPECT_FALSE(attributes.Has(ShellAttribute::Hidden));
    attributes = {};
    ASSERT_TRUE(folder->AttributesOf(file.get(), attributes));
    EXPECT_FALSE(attributes.Has(ShellAttribute::Folder));
    EXPECT_TRUE(attributes.Has(ShellAttribute::CanRename));
    EXPECT_EQ(Children(*folder, {true, true, false}), (std::vector<std::u16string>{u"datei.txt", u"sub"}));
    EXPECT_EQ(Children(*folder, {false, true, false}), (std::vector<std::u16string>{u"datei.txt"}));
    EXPECT_EQ(Children(*folder, {true, true, true}).size(), 3u);
    ShellIdList hidden = folder->ParseDisplayName(0, u".versteckt");
    ASSERT_TRUE(folder->AttributesOf(hidden.get(), attributes));
    EXPECT_TRUE(attributes.Has(ShellAttribute::Hidden));

    ShellIdList renamed = folder->SetNameOf(0, file.get(), u"neu.txt", ShellNameStyle::Normal);
    ASSERT_TRUE(renamed);
    EXPECT_TRUE(std::filesystem::exists(fixture.Native("r/neu.txt")));
    EXPECT_EQ(NameText(folder->DisplayNameOf(renamed.get(), ShellNameStyle::InFolder)), u"neu.txt");
    // Names with separators, names taken, and items that are gone are refused.
    EXPECT_FALSE(folder->SetNameOf(0, renamed.get(), u"a\\b", ShellNameStyle::Normal));
    EXPECT_FALSE(folder->SetNameOf(0, renamed.get(), u"sub", ShellNameStyle::Normal));
    EXPECT_FALSE(folder->SetNameOf(0, file.get(), u"x.txt", ShellNameStyle::Normal));
    EXPECT_FALSE(folder->SetNameOf(0, renamed.get(), u"", ShellNameStyle::Normal));
    EXPECT_TRUE(std::filesystem::exists(fixture.Native("r/neu.txt")));
}

TEST(FileShellNamespace, DamagedListsAreRefusedEverywhere) {
    FileShellFixture fixture;
    auto desktop = fixture.Shell().Desktop();
    const std::uint8_t withSlash[] = {6, 0, 'a', 0, '/', 0, 0, 0};
    const std::uint8_t dotDot[] = {6, 0, '.', 0, '.', 0, 0, 0};
    const std::uint8_t tooShort[] = {3, 0, 'a', 0, 0};
    for (const std::uint8_t* bad : {withSlash, dotDot, tooShort}) {
        ShellAttributes attributes;
        EXPECT_FALSE(desktop->AttributesOf(bad, attributes));
        EXPECT_FALSE(desktop->DisplayNameOf(bad, ShellNameStyle::ForParsing));
        EXPECT_FALSE(desktop->BindToObject(bad, ShellFace::Folder));
        EXPECT_FALSE(desktop->ContextMenuOf(0, bad));
        EXPECT_FALSE(fixture.Shell().SysIconIndex(bad, platform::SmallIcon));
    }
}

TEST(FileShellNamespace, ContextMenuOffersTheFourVerbsAndCarriesThemOut) {
    FileShellFixture fixture;
    fixture.MakeFile("c/weg.txt");
    auto desktop = fixture.Shell().Desktop();
    ShellIdList file = desktop->ParseDisplayName(0, fixture.Text("c/weg.txt"));
    auto menu = desktop->ContextMenuOf(0, file.get());
    ASSERT_TRUE(menu);
    auto popup = fixture.Shell().CreatePopupMenu();
    std::vector<ShellMenuEntry> shown;
    fixture.Shell().MenuChoice = [&](const std::vector<ShellMenuEntry>& items) {
        shown = items;
        return items.at(1).first;
    };
    ASSERT_TRUE(menu->Fill(*popup, 0, 1, 0x7FFF, platform::ContextMenuUse{false, true}));
    const int chosen = popup->Track(0, 0, 0);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(menu->Verb(0), "open");
    EXPECT_EQ(menu->Verb(3), "properties");
    EXPECT_EQ(menu->Verb(4), "");
    // Without the rename flag the menu offers three commands.
    auto second = fixture.Shell().CreatePopupMenu();
    menu->Fill(*second, 0, 1, 0x7FFF, platform::ContextMenuUse{});
    second->Track(0, 0, 0);
    EXPECT_EQ(shown.size(), 3u);

    EXPECT_TRUE(menu->Invoke(3, 0, platform::ShowState::Normal));
    EXPECT_FALSE(menu->Invoke(2, 0, platform::ShowState::Normal));  // renaming needs a view that asks for the name
    EXPECT_TRUE(menu->InvokeVerb("open", 0, platform::ShowState::Normal, false));
    EXPECT_TRUE(menu->Invoke(1, 0, platform::ShowState::Normal));
    EXPECT_FALSE(std::filesystem::exists(fixture.Native("c/weg.txt")));
    const std::u16string path = fixture.Text("c/weg.txt");
    EXPECT_EQ(fixture.Shell().Requests,
              (std::vector<std::u16string>{u"properties " + path, u"open " + path, u"delete " + path}));
}

// The type-to-find index read from the file-system shell: both Programs folders, places, targets,
// an entry in both folders once, and a folder link back to its parent walked once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/ProgramIndex.h"
#include "app/ProgramIndexer.h"
#include "platform/Files.h"
#include "support/FileShell.h"
#include "support/PumpUntil.h"
#include "ui/Backend.h"

namespace {

constexpr int Programs = 2, CommonPrograms = 23;

const app::FindEntry* Named(const std::vector<app::FindEntry>& index, const std::u16string& name) {
    auto it = std::find_if(index.begin(), index.end(), [&](const app::FindEntry& e) { return e.Name == name; });
    return it == index.end() ? nullptr : &*it;
}

std::vector<app::FindEntry> Read(int depth = 32) {
    std::atomic<bool> stop{false};
    return app::ReadProgramIndex(platform::GetShellNamespace(), platform::GetFiles(), {Programs, CommonPrograms},
                                 stop, app::ProgramIndexLimits{depth, 200000});
}

TEST(ProgramIndex, ReadsBothFoldersWithPlacesTargetsAndEachEntryOnce) {
    FileShellFixture files;
    files.UseProgramsFolders();
    files.MakeFile("user/Zubehör/Werkzeug/Über Wine");
    files.MakeFile("user/Editor Wine");
    files.MakeFile("common/Editor Wine");  // the same place in both: once
    files.MakeFile("common/Spiele/Solitär");
    files.MakeFile("user/Spiele/Minensucher");  // the folder is in both, each with its own entry
    files.MakeFile("bin/notepad.exe");
    std::filesystem::create_symlink(files.Native("bin/notepad.exe"), files.Native("user/Editor"));

    const std::vector<app::FindEntry> index = Read();
    EXPECT_EQ(index.size(), 8u);
    EXPECT_EQ(std::count_if(index.begin(), index.end(), [](const auto& e) { return e.Name == u"Spiele"; }), 1);
    ASSERT_NE(Named(index, u"Minensucher"), nullptr);
    EXPECT_EQ(std::count_if(index.begin(), index.end(), [](const auto& e) { return e.Name == u"Editor Wine"; }), 1);
    const app::FindEntry* uber = Named(index, u"Über Wine");
    ASSERT_NE(uber, nullptr);
    EXPECT_EQ(uber->Folder, u"Zubehör › Werkzeug");
    EXPECT_FALSE(uber->IsFolder);
    EXPECT_EQ(uber->Path, files.Text("user/Zubehör/Werkzeug/Über Wine"));
    ASSERT_NE(Named(index, u"Werkzeug"), nullptr);
    EXPECT_TRUE(Named(index, u"Werkzeug")->IsFolder);
    EXPECT_EQ(Named(index, u"Werkzeug")->Folder, u"Zubehör");
    ASSERT_NE(Named(index, u"Solitär"), nullptr);
    EXPECT_EQ(Named(index, u"Solitär")->Folder, u"Spiele");
    ASSERT_NE(Named(index, u"Editor"), nullptr);
    EXPECT_EQ(Named(index, u"Editor")->Target, u"notepad.exe");
    EXPECT_EQ(app::RankOf(*Named(index, u"Editor"), app::FindQuery::Of(u"notepad")), app::FindRank::TargetBegins);
    // Natural order numbers every entry once.
    std::vector<std::uint32_t> order;
    for (const auto& e : index) order.push_back(e.NaturalOrder);
    std::sort(order.begin(), order.end());
    for (std::uint32_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
}

TEST(ProgramIndex, WalksAFolderLinkToItsParentOnceAndStopsAtTheDepthLimit) {
    FileShellFixture files;
    files.UseProgramsFolders();
    files.MakeFile("user/Zubehör/Editor");
    std::filesystem::create_directory_symlink(files.Native("user"), files.Native("user/Zubehör/Zurück"));
    std::filesystem::create_directory_symlink(files.Native("user/Zubehör"), files.Native("common/Zubehör"));

    const std::vector<app::FindEntry> index = Read();
    // Zubehör, Editor, and the link itself as a folder, whose inside is not walked again.
    EXPECT_EQ(index.size(), 3u);
    EXPECT_NE(Named(index, u"Zurück"), nullptr);

    for (int i = 0; i < 40; ++i) files.MakeFolder("user/" + std::string(static_cast<std::size_t>(i) + 1, 'd'));
    std::string deep = "user";
    for (int i = 0; i < 40; ++i) deep += "/d";
    files.MakeFile(deep + "/Ganz unten");
    const std::vector<app::FindEntry> shallow = Read(8);
    EXPECT_EQ(Named(shallow, u"Ganz unten"), nullptr);
    EXPECT_NE(Named(Read(64), u"Ganz unten"), nullptr);
}

TEST(ProgramIndexer, HandsTheIndexToTheGuiThreadAndAStopLeavesNothing) {
    FileShellFixture files;
    files.UseProgramsFolders();
    files.MakeFile("user/Editor");
    std::vector<app::FindIndex> arrived;
    {
        app::TProgramIndexer indexer([&](app::FindIndex index) { arrived.push_back(index); });
        indexer.Start({Programs, CommonPrograms});
        ASSERT_TRUE(PumpUntil([&] { return !arrived.empty(); }));
        ASSERT_EQ(arrived.size(), 1u);
        ASSERT_EQ(arrived[0]->size(), 1u);
        EXPECT_EQ((*arrived[0])[0].Name, u"Editor");
        // Started again and gone at once: whatever the second walk found never arrives.
        indexer.Start({Programs, CommonPrograms});
        EXPECT_EQ(indexer.Started(), 2);
    }
    ui::GetBackend().ProcessMessages();
    EXPECT_EQ(arrived.size(), 1u);
}

}  // namespace

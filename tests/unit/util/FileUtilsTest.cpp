#include <gtest/gtest.h>

#include <fstream>

#include "platform/Files.h"
#include "platform/OsError.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"

using namespace util;

TEST(HasSubDirectories, IgnoresFilesAndDotNames) {
    TempDir dir;
    EXPECT_FALSE(HasSubDirectories(dir.Path()));
    { std::ofstream(dir.Native() / "file.txt") << "x"; }
    std::filesystem::create_directory(dir.Native() / ".hidden");
    EXPECT_FALSE(HasSubDirectories(dir.Path()));
    EXPECT_FALSE(HasSubDirectories(dir.Path() + u"\\"));
    std::filesystem::create_directory(dir.Native() / "Zubehör");
    EXPECT_TRUE(HasSubDirectories(dir.Path()));
    EXPECT_TRUE(HasSubDirectories(dir.Path() + u"\\"));
    EXPECT_FALSE(HasSubDirectories(dir.File(u"missing")));
    EXPECT_FALSE(HasSubDirectories(dir.File(u"file.txt")));
}

TEST(SystemNames, ComeFromThePlatform) {
    EXPECT_FALSE(ComputerName().empty());
    EXPECT_FALSE(CurrentUserName().empty());
    EXPECT_EQ(CurrentUserName().back() == u'\0', false);
    EXPECT_FALSE(WindowsDirectory().empty());
    EXPECT_EQ(FileVersionText(u"/proc/self/exe"), u"");  // no version resource outside Windows
}

TEST(Files, ASearchGivesThePlatformsReason) {
    TempDir dir;
    std::ofstream(dir.Native() / "datei.txt") << "x";
    auto& files = platform::GetFiles();
    platform::DirectoryEntry entry;
    EXPECT_EQ(files.FindFirst(dir.File(u"fehlt\\*.*"), entry), nullptr);
    EXPECT_EQ(files.LastErrorCode(), 2u);  // file not found
    EXPECT_EQ(files.FindFirst(dir.File(u"datei.txt\\*.*"), entry), nullptr);
    EXPECT_EQ(files.LastErrorCode(), 3u);  // path not found: a file stands where a folder should
    EXPECT_EQ(files.FindFirst(dir.File(u"nichts*.bin"), entry), nullptr);
    EXPECT_EQ(files.LastErrorCode(), 0u);  // nothing matched: no reason given
}

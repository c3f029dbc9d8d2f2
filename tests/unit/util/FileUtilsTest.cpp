#include <gtest/gtest.h>

#include <fstream>

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

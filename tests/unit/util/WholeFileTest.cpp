// Saving a whole file in one step: two savers at once, links, permissions, what a killed save leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "support/TempDir.h"
#include "util/WholeFile.h"

using namespace util;

namespace {
std::string Bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Names in the folder other than the ones given.
std::vector<std::string> OtherFiles(const TempDir& dir, std::initializer_list<std::string> known) {
    std::vector<std::string> others;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Native())) {
        const std::string name = entry.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
    }
    return others;
}

// The id of a process that has ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}
}  // namespace

TEST(AtomicReplace, TwoSaversAtOnceBothSucceedAndTheLastCompleteSaveWins) {
    TempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    const std::string mine(5000, 'p'), theirs(7000, 'c');
    constexpr int Saves = 150;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failed = 0;
        for (int i = 0; i < Saves; ++i) failed += AtomicReplace(path, theirs) ? 0 : 1;
        ::_exit(failed == 0 ? 0 : 1);
    }
    int failed = 0;
    for (int i = 0; i < Saves; ++i) failed += AtomicReplace(path, mine) ? 0 : 1;
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(failed, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string last = Bytes(dir.Native() / "links.dat");
    EXPECT_TRUE(last == mine || last == theirs) << last.size();
    EXPECT_TRUE(OtherFiles(dir, {"links.dat"}).empty());
}

TEST(AtomicReplace, LeftoversOfEndedSavesGoAndThoseOfRunningOnesStay) {
    TempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    const std::string ended = "links.dat." + std::to_string(EndedProcess()) + "-0.tmp";
    const std::string running = "links.dat." + std::to_string(::getppid()) + "-3.tmp";
    for (const std::string& name : {ended, running, std::string("links.dat.x-1.tmp"), std::string("other.1-1.tmp")})
        std::ofstream(dir.Native() / name) << "half";
    ASSERT_TRUE(AtomicReplace(path, "new"));
    EXPECT_EQ(Bytes(dir.Native() / "links.dat"), "new");
    EXPECT_FALSE(std::filesystem::exists(dir.Native() / ended));
    EXPECT_TRUE(std::filesystem::exists(dir.Native() / running));
    // Names that are not of this scheme are someone else's.
    EXPECT_TRUE(std::filesystem::exists(dir.Native() / "links.dat.x-1.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir.Native() / "other.1-1.tmp"));
}

TEST(AtomicReplace, SavesThroughASymbolicLinkAndKeepsTheFilesPermissions) {
    TempDir dir;
    std::filesystem::create_directory(dir.Native() / "real");
    const auto target = dir.Native() / "real" / "links.dat";
    std::ofstream(target) << "old";
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    std::filesystem::create_symlink("real/links.dat", dir.Native() / "links.dat");
    ASSERT_TRUE(AtomicReplace(dir.File(u"links.dat"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Native() / "links.dat"));
    EXPECT_EQ(Bytes(target), "new");
    struct stat st{};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_TRUE(OtherFiles(dir, {"links.dat", "real"}).empty());
    // A dangling link: the file is made where it points.
    std::filesystem::create_symlink("real/later.dat", dir.Native() / "later.dat");
    ASSERT_TRUE(AtomicReplace(dir.File(u"later.dat"), "first"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Native() / "later.dat"));
    EXPECT_EQ(Bytes(dir.Native() / "real" / "later.dat"), "first");
}

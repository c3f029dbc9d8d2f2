// System names, version resources, icon indexes and folder tests against the real platform.
#include <gtest/gtest.h>

#include "app/NbUtils.h"
#include "platform/ShellIcons.h"
#include "platform/System.h"
#include "win32/WinTempDir.h"
#include "util/FileUtils.h"

using namespace util;

namespace {
std::u16string Env(const wchar_t* name) {
    wchar_t buffer[512] = {};
    DWORD n = GetEnvironmentVariableW(name, buffer, 512);
    return platform::win32::U16(buffer, n < 512 ? n : 0);
}
std::u16string Upper(std::u16string s) {
    for (auto& c : s) c = static_cast<char16_t>(towupper(c));
    return s;
}
}  // namespace

TEST(Win32SystemNames, MatchTheSessionEnvironment) {
    const std::u16string user = CurrentUserName();
    ASSERT_FALSE(user.empty());
    EXPECT_NE(user.back(), u'\0');
    EXPECT_EQ(Upper(user), Upper(Env(L"USERNAME")));
    const std::u16string computer = ComputerName();
    EXPECT_FALSE(computer.empty());
    EXPECT_LE(computer.size(), 15u);
    EXPECT_EQ(Upper(computer), Upper(Env(L"COMPUTERNAME")));
    const std::u16string windows = WindowsDirectory();
    EXPECT_EQ(Upper(windows), Upper(Env(L"SystemRoot")));
    EXPECT_NE(windows.back(), u'\\');
}

TEST(Win32FileVersion, ReadsTheFixedVersionOfAnExecutable) {
    const std::u16string self = platform::GetSystem().ExecutablePath();
    EXPECT_EQ(FileVersionText(self), u"3.14.159.2653");
    WinTempDir dir;
    dir.Write(u"plain.txt", "no resources here");
    EXPECT_EQ(FileVersionText(dir.File(u"plain.txt")), u"");
    EXPECT_EQ(FileVersionText(dir.File(u"missing.exe")), u"");
}

TEST(Win32Icons, ShellIndexesAndFallbacks) {
    const std::u16string windows = WindowsDirectory();
    EXPECT_GE(SysIconIndex(windows, platform::SmallIcon), 0);
    EXPECT_GE(SysOpenIconIndex(windows, platform::SmallIcon), 0);
    EXPECT_GE(app::GetSysIconIndex(windows), 0);
    WinTempDir dir;
    EXPECT_EQ(SysIconIndex(dir.File(u"no such file.xyz"), platform::SmallIcon), 0);
    EXPECT_EQ(app::GetSysIconIndex(dir.File(u"no such file.xyz")), app::NoIcon);
}

TEST(Win32HasSubDirectories, SeesRealFolders) {
    EXPECT_TRUE(HasSubDirectories(WindowsDirectory()));
    WinTempDir dir;
    EXPECT_FALSE(HasSubDirectories(dir.Path()));
    dir.Write(u"file.txt", "x");
    CreateDirectoryW(platform::win32::W(dir.File(u".dot")), nullptr);
    EXPECT_FALSE(HasSubDirectories(dir.Path()));
    CreateDirectoryW(platform::win32::W(dir.File(u"Zubehör")), nullptr);
    EXPECT_TRUE(HasSubDirectories(dir.Path() + u"\\"));
}

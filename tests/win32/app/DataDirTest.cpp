// The data directory on the platform's own files: a base on a drive that is not there.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/NbDataDir.h"

TEST(Win32DataDirectory, ABaseOnAMissingDriveGivesADirectoryThatFailsItsTest) {
    // No Q: in this prefix: making the folders stops at the missing root instead of climbing on.
    ASSERT_EQ(GetDriveTypeW(L"Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    for (const char16_t* base : {u"Q:\\Daten", u"Q:\\", u"Q:"}) {
        const std::u16string dir = app::MakeDataDir(base);
        EXPECT_EQ(dir.substr(dir.size() - 20), u"Corvath\\Nimbrel\\1.0\\");
        EXPECT_EQ(GetFileAttributesW(reinterpret_cast<const wchar_t*>(dir.c_str())), INVALID_FILE_ATTRIBUTES);
        EXPECT_FALSE(app::IsDirWritable(dir));
    }
}

// The binary file object against the real kernel32 file calls.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "win32/WinTempDir.h"
#include "util/FileObj.h"

using namespace util;

namespace {
bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
}  // namespace

TEST(Win32FileObj, ShareModesAreEnforced) {
    WinTempDir dir;
    const std::u16string path = dir.File(u"shared.bin");
    TFile writer(path);
    ASSERT_TRUE(writer.Open(33));  // creates the file; a new file is shared with nobody
    TFile other(path);
    EXPECT_FALSE(other.Open(64));
    EXPECT_EQ(other.Error().Number(), feCannotOpen);
    writer.Close();

    dir.Write(u"shared.bin", "abc");
    ASSERT_TRUE(writer.Open(33));  // write, others may not write
    EXPECT_TRUE(other.Open(64));   // reading alongside is allowed
    other.Close();
    TFile secondWriter(path);
    EXPECT_FALSE(secondWriter.Open(fmOpenWrite | fmShareDenyNone));
    writer.Close();
    EXPECT_TRUE(secondWriter.Open(fmOpenWrite | fmShareDenyNone));
    secondWriter.Close();

    ASSERT_TRUE(writer.Open(fmOpenRead | fmShareExclusive));
    EXPECT_FALSE(other.Open(64));
    writer.Close();
    EXPECT_TRUE(other.Open(64));
}

TEST(Win32FileObj, TempNameWriteTruncateAndReadBack) {
    WinTempDir dir;
    const auto temp = platform::GetFiles().CreateTempFile(dir.Path(), u"$");
    ASSERT_TRUE(temp);
    EXPECT_EQ(temp->rfind(dir.Path() + u"\\$", 0), 0u);
    EXPECT_EQ(temp->substr(temp->size() - 4), u".tmp");
    EXPECT_EQ(dir.Count(), 1);  // the name exists as an empty file

    TFile f(*temp);
    ASSERT_TRUE(f.Open(33));
    f.WriteInt64(5632);
    f.WriteInt64(-1);
    f.SetPos(8);
    EXPECT_TRUE(platform::GetFiles().TruncateAtPosition(f.Handle()));
    f.Close();
    EXPECT_EQ(f.Size(), 8);
    ASSERT_TRUE(f.Open(64));
    EXPECT_EQ(f.ReadInt64(), 5632);
    EXPECT_EQ(f.ReadInt64(), 0);  // cut off
    f.Close();
    EXPECT_TRUE(platform::GetFiles().RemoveFile(*temp));
    EXPECT_EQ(dir.Count(), 0);
}

TEST(Win32FileObj, TimesAreSetAndReadInLocalTime) {
    WinTempDir dir;
    dir.Write(u"t.bin", "x");
    TFile f(dir.File(u"t.bin"));
    TFileTimes times;
    times.CreationTime = EncodeDateTime(2010, 6, 15, 8, 30, 10);
    times.LastAccessTime = EncodeDateTime(2011, 1, 2, 3, 4, 6);
    times.LastWriteTime = EncodeDateTime(2012, 7, 8, 9, 10, 13);
    f.SetTimes(times);
    TFileTimes back;
    f.GetTimes(back);
    // Wine keeps files on a Unix file system, which has no settable creation time.
    if (!RunningUnderWine()) {
        EXPECT_DOUBLE_EQ(back.CreationTime, times.CreationTime);
    }
    EXPECT_DOUBLE_EQ(back.LastAccessTime, times.LastAccessTime);
    EXPECT_DOUBLE_EQ(back.LastWriteTime, EncodeDateTime(2012, 7, 8, 9, 10, 12));

    // The same instant, seen through the platform's own conversion of the UTC file time.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(platform::win32::W(dir.File(u"t.bin")), GetFileExInfoStandard, &data));
    FILETIME local{};
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &st);
    EXPECT_EQ((std::array<int, 6>{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond}),
              (std::array<int, 6>{2012, 7, 8, 9, 10, 12}));

    TFileInfo info;
    f.GetInfo(info);
    EXPECT_FALSE(f.Error().IsError());
    EXPECT_EQ(info.Size, 1);
    EXPECT_DOUBLE_EQ(info.Times.LastWriteTime, back.LastWriteTime);
    EXPECT_EQ(info.Attr & FILE_ATTRIBUTE_DIRECTORY, 0);
}

TEST(Win32FileObj, AttributesAndChecksum) {
    WinTempDir dir;
    dir.Write(u"check.bin", "123456789");
    TFile f(dir.File(u"check.bin"));
    EXPECT_EQ(f.CRC32(), 0x2DFD2D88u);
    f.SetAttr(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(f.Attr() & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(f.CRC32(), 0x2DFD2D88u);  // a read-only file still sums
    f.SetAttr(FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(f.Attr() & FILE_ATTRIBUTE_READONLY, 0);
    EXPECT_EQ(TFile(dir.File(u"gone.bin")).Attr(), -1);
    TFileInfo info;
    TFile wildcard(dir.File(u"che*.b?n"));
    wildcard.GetInfo(info);
    EXPECT_FALSE(wildcard.Error().IsError());
    EXPECT_EQ(info.Size, 9);
}

TEST(Win32FileObj, AStringOfMoreThanAGigaCharacterReadsWhole) {
    WinTempDir dir;
    // A count whose byte count, 2^31 + 2, does not fit in 32 bits, in a file that holds it (sparse
    // where the file system makes the skipped part so).
    constexpr std::int32_t count = (1 << 30) + 1;
    const std::u16string path = dir.File(u"big.bin");
    {
        HANDLE h = CreateFileW(platform::win32::W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD n = 0;
        WriteFile(h, "\x01\x00\x00\x40", 4, &n, nullptr);
        LARGE_INTEGER end;
        end.QuadPart = 4 + 2 * static_cast<LONGLONG>(count) - 2;
        SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
        WriteFile(h, "Z\x00\x07\x00\x00\x00", 6, &n, nullptr);
        CloseHandle(h);
    }
    util::TFile f(path);
    ASSERT_TRUE(f.Open(64));
    const std::u16string text = f.ReadStr();
    EXPECT_EQ(f.Error().Number(), util::feNone);
    ASSERT_EQ(text.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(text.back(), u'Z');
    EXPECT_EQ(f.ReadInt(), 7);
}

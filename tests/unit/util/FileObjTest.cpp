#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/TempDir.h"
#include "support/TextOut.h"
#include "util/FileObj.h"

using namespace util;

namespace {
std::string Bytes(const TempDir& dir, const std::string& name) {
    std::ifstream in(dir.Native() / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void Put(const TempDir& dir, const std::string& name, const std::string& bytes) {
    std::ofstream(dir.Native() / name, std::ios::binary) << bytes;
}
}  // namespace

TEST(TFileError, CodesAndMessages) {
    TFile empty(u"");
    EXPECT_FALSE(empty.Open(fmOpenRead));
    EXPECT_EQ(empty.Error().Number(), feInvalidName);
    EXPECT_TRUE(empty.Error().IsError());
    EXPECT_EQ(empty.Error().GetLastError(), u"No valid file name.");
    EXPECT_EQ(empty.Attr(), 0);
    EXPECT_EQ(empty.Error().Number(), feInvalidName);
    empty.SetAttr(0);
    EXPECT_EQ(empty.Error().Number(), feInvalidName);

    TempDir dir;
    TFile missing(dir.File(u"missing.bin"));
    EXPECT_FALSE(missing.Open(fmOpenRead | fmShareDenyNone));
    EXPECT_EQ(missing.Error().GetLastError(), u"Cannot open file.");
    EXPECT_EQ(missing.ReadInt(), 0);
    EXPECT_EQ(missing.Error().GetLastError(), u"Cannot read file.");
    missing.WriteInt(1);
    EXPECT_EQ(missing.Error().GetLastError(), u"Cannot write file");
    TFileInfo info;
    missing.GetInfo(info);
    EXPECT_EQ(missing.Error().GetLastError(), u"Cannot read information.");
    EXPECT_FALSE(missing.Close());
    EXPECT_EQ(missing.Error().Number(), 0);
    EXPECT_EQ(missing.Error().GetLastError(), u"No error.");
    EXPECT_EQ(missing.CRC32(), 0u);
    EXPECT_EQ(missing.Error().Number(), feInvalidName);
    EXPECT_EQ(missing.Attr(), -1);
}

TEST(TFile, OpenCreatesOnlyWithWriteAccess) {
    TempDir dir;
    TFile readOnly(dir.File(u"a.bin"));
    EXPECT_FALSE(readOnly.Open(64));
    EXPECT_EQ(readOnly.Error().Number(), feCannotOpen);
    EXPECT_FALSE(std::filesystem::exists(dir.Native() / "a.bin"));

    TFile writer(dir.File(u"a.bin"));
    EXPECT_TRUE(writer.Open(33));
    EXPECT_NE(writer.Handle(), platform::InvalidFileHandle);
    EXPECT_TRUE(std::filesystem::exists(dir.Native() / "a.bin"));
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(writer.Handle(), platform::InvalidFileHandle);

    TFile badAccess(dir.File(u"a.bin"));
    EXPECT_FALSE(badAccess.Open(0x43));  // access value 3 does not exist
    EXPECT_EQ(badAccess.Error().Number(), feCannotOpen);
    TFile directory(dir.Path());
    EXPECT_FALSE(directory.Open(64));
}

TEST(TFile, TypedLayoutsAreLittleEndianWithoutPadding) {
    TempDir dir;
    {
        TFile f(dir.File(u"t.bin"));
        ASSERT_TRUE(f.Open(fmOpenWrite | fmShareDenyWrite));
        f.WriteInt64(5632);
        f.WriteInt(-2);
        f.WriteBool(true);
        f.WriteBool(false);
        f.WriteByte(0xAB);
        f.WriteStr(u"");
        f.WriteStr(u"Hö");
        f.WriteAnsiStr("xy");
        f.WriteDbl(1.0);
        f.WriteFloat(1.0);
        f.WriteExt(-2.5);
        EXPECT_FALSE(f.Error().IsError());
    }
    const std::string expected = std::string("\x00\x16\x00\x00\x00\x00\x00\x00", 8) + std::string("\xFE\xFF\xFF\xFF", 4) +
                                 std::string("\x01\x00\xAB", 3) + std::string("\x00\x00\x00\x00", 4) +
                                 std::string("\x02\x00\x00\x00H\x00\xF6\x00", 8) + std::string("\x02\x00\x00\x00xy", 6) +
                                 std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8) +
                                 std::string("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10) +
                                 std::string("\x00\x00\x00\x00\x00\x00\x00\xA0\x00\xC0", 10);
    EXPECT_EQ(Bytes(dir, "t.bin"), expected);

    TFile f(dir.File(u"t.bin"));
    ASSERT_TRUE(f.Open(64));
    EXPECT_EQ(f.ReadInt64(), 5632);
    EXPECT_EQ(f.ReadInt(), -2);
    EXPECT_TRUE(f.ReadBool());
    EXPECT_FALSE(f.ReadBool());
    EXPECT_EQ(f.ReadByte(), 0xAB);
    EXPECT_EQ(f.ReadStr(), u"");
    EXPECT_EQ(f.ReadStr(), u"Hö");
    EXPECT_EQ(f.ReadAnsiStr(), "xy");
    EXPECT_EQ(f.ReadDbl(), 1.0);
    EXPECT_EQ(f.ReadFloat(), 1.0);
    EXPECT_EQ(f.ReadExt(), -2.5);
    EXPECT_EQ(f.Pos(), static_cast<std::int32_t>(expected.size()));
    EXPECT_EQ(f.ReadInt(), 0);  // at the end: a short read gives 0
    EXPECT_FALSE(f.Error().IsError());  // and is no failure
}

TEST(TFile, AnyNonZeroByteReadsTrue) {
    TempDir dir;
    Put(dir, "b.bin", "\x02\xFF");
    TFile f(dir.File(u"b.bin"));
    ASSERT_TRUE(f.Open(64));
    EXPECT_TRUE(f.ReadBool());
    EXPECT_TRUE(f.ReadBool());
}

TEST(TFile, DamagedCountsReadNothingBeyondTheFile) {
    TempDir dir;
    // A count of 2^31-1 in a 10-byte file must neither allocate nor read past the end.
    Put(dir, "s.bin", std::string("\xFF\xFF\xFF\x7F" "abcdef", 10));
    TFile f(dir.File(u"s.bin"));
    ASSERT_TRUE(f.Open(64));
    EXPECT_EQ(f.ReadStr(), u"");
    f.SetPos(0);
    EXPECT_EQ(f.ReadAnsiStr(), "");
    f.SetPos(0);
    Put(dir, "n.bin", std::string("\xF0\xFF\xFF\xFF" "x", 5));  // negative count
    TFile n(dir.File(u"n.bin"));
    ASSERT_TRUE(n.Open(64));
    EXPECT_EQ(n.ReadStr(), u"");
    EXPECT_EQ(n.Pos(), 4);  // nothing read after the count
    Put(dir, "short.bin", std::string("\x03\x00", 2));  // the count itself is cut off
    TFile s(dir.File(u"short.bin"));
    ASSERT_TRUE(s.Open(64));
    EXPECT_EQ(s.ReadStr(), u"");
    // An exact fit still reads.
    Put(dir, "fit.bin", std::string("\x02\x00\x00\x00" "a\x00" "b\x00", 8));
    TFile fit(dir.File(u"fit.bin"));
    ASSERT_TRUE(fit.Open(64));
    EXPECT_EQ(fit.ReadStr(), u"ab");
}

TEST(TFile, PosSizeAndCloseRules) {
    TempDir dir;
    Put(dir, "p.bin", "0123456789");
    TFile f(dir.File(u"p.bin"));
    EXPECT_EQ(f.Pos(), -1);
    EXPECT_EQ(f.Size(), 10);
    EXPECT_EQ(f.Handle(), platform::InvalidFileHandle);  // the query opened and closed again
    f.SetPos(3);  // not open: nothing happens
    ASSERT_TRUE(f.Open(fmOpenReadWrite | fmShareExclusive));
    f.SetPos(4);
    EXPECT_EQ(f.Pos(), 4);
    EXPECT_EQ(f.ReadByte(), '4');
    EXPECT_EQ(f.Size(), 10);
    EXPECT_NE(f.Handle(), platform::InvalidFileHandle);  // an open object stays open
    EXPECT_EQ(f.Pos(), 5);
    std::int32_t bytes = -1;
    char buffer[16];
    EXPECT_TRUE(f.Read(buffer, 16, bytes));
    EXPECT_EQ(bytes, 5);
    EXPECT_TRUE(f.Close());
    EXPECT_FALSE(f.Close());
    TFile missing(dir.File(u"none.bin"));
    EXPECT_EQ(missing.Size(), -1);
    EXPECT_EQ(missing.Error().Number(), feCannotOpen);
}

TEST(TFile, DestroyClosesTheHandle) {
    TempDir dir;
    {
        TFile f(dir.File(u"d.bin"));
        ASSERT_TRUE(f.Open(33));
        f.WriteInt(7);
    }
    // Had the handle leaked, an exclusive reopen would still work on POSIX; the content tells
    // that the write reached the file and the object let go of it.
    EXPECT_EQ(Bytes(dir, "d.bin"), std::string("\x07\x00\x00\x00", 4));
}

TEST(TFile, Crc32StartsAtZeroWithoutInversion) {
    EXPECT_EQ(Crc32Table()[0], 0x00000000u);
    EXPECT_EQ(Crc32Table()[1], 0x77073096u);
    EXPECT_EQ(Crc32Table()[2], 0xEE0E612Cu);
    EXPECT_EQ(Crc32Table()[255], 0x2D02EF8Du);

    TempDir dir;
    Put(dir, "empty.bin", "");
    EXPECT_EQ(TFile(dir.File(u"empty.bin")).CRC32(), 0u);
    // With start 0 and no inversion, "123456789" gives the CRC of the standard check string run
    // from a zero register: 0x2DFD2D88.
    Put(dir, "check.bin", "123456789");
    TFile f(dir.File(u"check.bin"));
    EXPECT_EQ(f.CRC32(), 0x2DFD2D88u);
    EXPECT_EQ(~Crc32Update(0xFFFFFFFFu, "123456789", 9), 0xCBF43926u);  // the common CRC-32, for contrast

    // Blocks of 1024 and a remainder: 2500 bytes in one sum equal the sum fed in pieces.
    std::string big(2500, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + 3);
    Put(dir, "big.bin", big);
    EXPECT_EQ(TFile(dir.File(u"big.bin")).CRC32(), Crc32Update(Crc32Update(0, big.data(), 1000), big.data() + 1000, 1500));

    // An open object keeps its handle and position.
    ASSERT_TRUE(f.Open(64));
    f.SetPos(2);
    const auto handle = f.Handle();
    EXPECT_EQ(f.CRC32(), 0x2DFD2D88u);
    EXPECT_EQ(f.Handle(), handle);
    EXPECT_EQ(f.Pos(), 2);
    EXPECT_EQ(f.ReadByte(), '3');
}

TEST(TFile, TimesRoundTripInTwoSecondSteps) {
    TempDir dir;
    Put(dir, "t.bin", "x");
    TFile f(dir.File(u"t.bin"));
    TFileTimes times;
    times.CreationTime = EncodeDateTime(2024, 2, 29, 13, 45, 31);
    times.LastAccessTime = EncodeDateTime(2001, 1, 1, 0, 0, 0);
    times.LastWriteTime = EncodeDateTime(2020, 12, 31, 23, 59, 59);
    f.SetTimes(times);
    EXPECT_EQ(f.Handle(), platform::InvalidFileHandle);
    TFileTimes back;
    f.GetTimes(back);
    EXPECT_FALSE(f.Error().IsError());
    EXPECT_DOUBLE_EQ(back.LastAccessTime, EncodeDateTime(2001, 1, 1, 0, 0, 0));
    EXPECT_DOUBLE_EQ(back.LastWriteTime, EncodeDateTime(2020, 12, 31, 23, 59, 58));  // odd second dropped

    TFileInfo info;
    f.GetInfo(info);
    EXPECT_FALSE(f.Error().IsError());
    EXPECT_EQ(info.Size, 1);
    EXPECT_DOUBLE_EQ(info.Times.LastWriteTime, back.LastWriteTime);
    EXPECT_NE(info.Attr & 0x20, 0);  // archive: a plain file
}

TEST(TFile, AStringOfMoreThanAGigaCharacterReadsWhole) {
    TempDir dir;
    // A count whose byte count, 2^31 + 2, does not fit in 32 bits, in a sparse file that holds it
    // with a mark at its end.
    constexpr std::int32_t count = (1 << 30) + 1;
    const auto path = dir.Native() / "big.bin";
    {
        std::ofstream out(path, std::ios::binary);
        out.write("\x01\x00\x00\x40", 4);
        out.seekp(4 + 2 * static_cast<std::int64_t>(count) - 2);
        out.write("Z\x00" "\x07\x00\x00\x00", 6);
    }
    TFile f(dir.File(u"big.bin"));
    ASSERT_TRUE(f.Open(64));
    const std::u16string text = f.ReadStr();
    EXPECT_EQ(f.Error().Number(), feNone);
    ASSERT_EQ(text.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(text[0], u'\0');
    EXPECT_EQ(text.back(), u'Z');
    EXPECT_EQ(f.ReadInt(), 7);  // the read ended exactly after the string
}

#pragma once
// A thin object around one platform file handle for typed binary values at the current position.
// Operations never throw; each resets Error() to 0 and records its outcome there.
#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "util/DateTime.h"

namespace util {

class TFileError {
public:
    int Number() const { return FNumber; }
    std::u16string GetLastError() const;
    bool IsError() const { return FNumber > 0; }
    void Set(int number) { FNumber = number; }

private:
    int FNumber = 0;
};

// Error numbers of TFileError.
enum : int {
    feNone = 0,
    feInvalidName = 1,
    feCannotOpen = 2,
    feCannotRead = 3,
    feCannotWrite = 4,
    feCannotReadInfo = 5,
};

struct TFileTimes {
    TDateTime CreationTime = 0;
    TDateTime LastAccessTime = 0;
    TDateTime LastWriteTime = 0;
};

struct TFileInfo {
    TFileTimes Times;
    std::int32_t Size = 0;
    std::int32_t Attr = 0;
};

// Open modes: an access value plus a sharing value.
enum : std::uint8_t {
    fmOpenRead = 0x00,
    fmOpenWrite = 0x01,
    fmOpenReadWrite = 0x02,
    fmShareCompat = 0x00,
    fmShareExclusive = 0x10,
    fmShareDenyWrite = 0x20,
    fmShareDenyRead = 0x30,
    fmShareDenyNone = 0x40,
};

class TFile {
public:
    explicit TFile(std::u16string AFileName);
    ~TFile();
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    const std::u16string& Name() const { return FFileName; }
    void SetName(const std::u16string& name) { FFileName = name; }
    platform::FileHandle Handle() const { return FFileHandle; }
    const TFileError& Error() const { return FFileError; }

    bool Open(std::uint8_t Mode);
    bool Close();
    bool Read(void* Buffer, std::int32_t Count);
    bool Read(void* Buffer, std::int32_t Count, std::int32_t& Bytes);
    bool Write(const void* Buffer, std::int32_t Count);
    bool Write(const void* Buffer, std::int32_t Count, std::int32_t& Bytes);

    // A failed or short typed read gives 0 (false, empty).
    std::int32_t ReadInt();
    std::int64_t ReadInt64();
    double ReadFloat();
    double ReadExt();
    double ReadDbl();
    bool ReadBool();
    std::uint8_t ReadByte();
    std::u16string ReadStr();
    std::string ReadAnsiStr();

    void WriteInt(std::int32_t Value);
    void WriteInt64(std::int64_t Value);
    void WriteFloat(double Value);
    void WriteExt(double Value);
    void WriteDbl(double Value);
    void WriteBool(bool Value);
    void WriteByte(std::uint8_t Value);
    void WriteStr(const std::u16string& Value);
    void WriteAnsiStr(const std::string& Value);

    std::int32_t Attr();
    void SetAttr(std::int32_t Value);
    std::int32_t Pos();
    void SetPos(std::int32_t Value);
    std::int32_t Size();
    void GetTimes(TFileTimes& Times);
    void SetTimes(const TFileTimes& Times);
    void GetInfo(TFileInfo& Info);
    std::uint32_t CRC32();

private:
    bool ReadExact(void* buffer, std::int32_t count);
    // Reads count bytes in parts the 32-bit read takes.
    bool ReadLarge(void* buffer, std::int64_t count);
    // Bytes from the current position to the end, or -1 when that cannot be told.
    std::int64_t Remaining();
    // Opens for a query when closed; true when it did (and so must close again).
    bool OpenForQuery(std::uint8_t mode, bool& opened);
    TFileTimes ToLocalDateTimes(const platform::RawFileTimes& raw);

    std::u16string FFileName;
    platform::FileHandle FFileHandle = platform::InvalidFileHandle;
    TFileError FFileError;
};

// The checksum table: reflected polynomial 0xEDB88320.
const std::uint32_t* Crc32Table();
// Feeds bytes into a running checksum (start 0, no final inversion for TFile::CRC32).
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, size_t size);

}  // namespace util

#include "util/FileObj.h"

#include <algorithm>
#include <bit>

#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "util/Extended80.h"

namespace util {
namespace {
platform::Files& Fs() { return platform::GetFiles(); }

bool ModeHasWrite(std::uint8_t mode) {
    const int access = mode & 0x0F;
    return access == fmOpenWrite || access == fmOpenReadWrite;
}

// Little-endian layouts, independent of the host's byte order.
template <class T>
void StoreLE(std::uint8_t* out, T value) {
    using U = std::make_unsigned_t<T>;
    const auto v = static_cast<U>(value);
    for (size_t i = 0; i < sizeof(T); ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
template <class T>
T LoadLE(const std::uint8_t* in) {
    using U = std::make_unsigned_t<T>;
    U v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v = static_cast<U>(v | (static_cast<U>(in[i]) << (8 * i)));
    return static_cast<T>(v);
}

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
}  // namespace

std::u16string TFileError::GetLastError() const {
    switch (FNumber) {
    case feNone: return u"No error.";
    case feInvalidName: return u"No valid file name.";
    case feCannotOpen: return u"Cannot open file.";
    case feCannotRead: return u"Cannot read file.";
    case feCannotWrite: return u"Cannot write file";
    case feCannotReadInfo: return u"Cannot read information.";
    default: return {};
    }
}

TFile::TFile(std::u16string AFileName) : FFileName(std::move(AFileName)) {}

TFile::~TFile() { Close(); }

bool TFile::Open(std::uint8_t Mode) {
    Close();
    FFileError.Set(feNone);
    if (FFileName.empty()) {
        FFileError.Set(feInvalidName);
        return false;
    }
    const int access = Mode & 0x0F;
    const int sharing = Mode & 0xF0;
    if (!Fs().Attributes(FFileName) && ModeHasWrite(Mode)) {
        // A new file is created empty, for reading and writing, shared with nobody.
        FFileHandle = Fs().Open(FFileName, platform::FileAccess::ReadWrite, platform::ShareNone,
                                platform::FileDisposition::CreateAlways);
    } else if (access <= fmOpenReadWrite) {
        const auto fileAccess = access == fmOpenRead    ? platform::FileAccess::Read
                                : access == fmOpenWrite ? platform::FileAccess::Write
                                                        : platform::FileAccess::ReadWrite;
        // Compatibility and unknown sharing values share nothing, the safe reading.
        unsigned share = platform::ShareNone;
        if (sharing == fmShareDenyWrite) share = platform::ShareRead;
        else if (sharing == fmShareDenyRead) share = platform::ShareWrite;
        else if (sharing == fmShareDenyNone) share = platform::ShareRead | platform::ShareWrite;
        FFileHandle = Fs().Open(FFileName, fileAccess, share, platform::FileDisposition::OpenExisting);
    }
    if (FFileHandle == platform::InvalidFileHandle) {
        FFileError.Set(feCannotOpen);
        return false;
    }
    return true;
}

bool TFile::Close() {
    FFileError.Set(feNone);
    if (FFileHandle == platform::InvalidFileHandle) return false;
    Fs().Close(FFileHandle);
    FFileHandle = platform::InvalidFileHandle;
    return true;
}

bool TFile::Read(void* Buffer, std::int32_t Count, std::int32_t& Bytes) {
    FFileError.Set(feNone);
    if (FFileHandle == platform::InvalidFileHandle) {
        FFileError.Set(feCannotRead);
        return false;
    }
    std::uint32_t done = 0;
    const bool ok = Count <= 0 || Fs().Read(FFileHandle, Buffer, static_cast<std::uint32_t>(Count), done);
    Bytes = static_cast<std::int32_t>(done);
    if (!ok) FFileError.Set(feCannotRead);
    return ok;
}

bool TFile::Read(void* Buffer, std::int32_t Count) {
    std::int32_t bytes = 0;
    return Read(Buffer, Count, bytes);
}

bool TFile::Write(const void* Buffer, std::int32_t Count, std::int32_t& Bytes) {
    FFileError.Set(feNone);
    if (FFileHandle == platform::InvalidFileHandle) {
        FFileError.Set(feCannotWrite);
        return false;
    }
    std::uint32_t done = 0;
    const bool ok = Count <= 0 || Fs().Write(FFileHandle, Buffer, static_cast<std::uint32_t>(Count), done);
    Bytes = static_cast<std::int32_t>(done);
    if (!ok) FFileError.Set(feCannotWrite);
    return ok;
}

bool TFile::Write(const void* Buffer, std::int32_t Count) {
    std::int32_t bytes = 0;
    return Write(Buffer, Count, bytes);
}

bool TFile::ReadExact(void* buffer, std::int32_t count) {
    std::int32_t bytes = 0;
    return Read(buffer, count, bytes) && bytes == count;
}

std::int32_t TFile::ReadInt() {
    std::uint8_t b[4];
    return ReadExact(b, 4) ? LoadLE<std::int32_t>(b) : 0;
}
std::int64_t TFile::ReadInt64() {
    std::uint8_t b[8];
    return ReadExact(b, 8) ? LoadLE<std::int64_t>(b) : 0;
}
double TFile::ReadFloat() {
    Extended80 b{};
    return ReadExact(b.data(), 10) ? Extended80ToDouble(b) : 0.0;
}
double TFile::ReadExt() { return ReadFloat(); }
double TFile::ReadDbl() {
    std::uint8_t b[8];
    if (!ReadExact(b, 8)) return 0.0;
    const auto bits = LoadLE<std::uint64_t>(b);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
bool TFile::ReadBool() { return ReadByte() != 0; }
std::uint8_t TFile::ReadByte() {
    std::uint8_t b = 0;
    return ReadExact(&b, 1) ? b : 0;
}

std::int64_t TFile::Remaining() {
    std::uint32_t low = 0, high = 0;
    if (FFileHandle == platform::InvalidFileHandle || !Fs().Size(FFileHandle, low, high)) return -1;
    const std::int64_t pos = Fs().Seek(FFileHandle, 0, platform::SeekOrigin::Current);
    if (pos < 0) return -1;
    const std::int64_t size = static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
    return size > pos ? size - pos : 0;
}

std::u16string TFile::ReadStr() {
    const std::int32_t count = ReadInt();
    if (count <= 0) return {};
    // In 64 bits: twice a count near 2^31 does not fit in 32. A count beyond what the file still
    // holds is damage: nothing more is read or allocated.
    const std::int64_t bytes = static_cast<std::int64_t>(count) * 2;
    if (Remaining() < bytes) return {};
    std::u16string text(static_cast<size_t>(count), u'\0');
    if (!ReadLarge(text.data(), bytes)) return {};
    // The file holds little-endian units; the buffer was filled byte for byte.
    if constexpr (std::endian::native == std::endian::big)
        for (char16_t& c : text) c = static_cast<char16_t>((c >> 8) | (c << 8));
    return text;
}

std::string TFile::ReadAnsiStr() {
    const std::int32_t count = ReadInt();
    if (count <= 0) return {};
    if (Remaining() < count) return {};
    std::string text(static_cast<size_t>(count), '\0');
    if (!ReadLarge(text.data(), count)) return {};
    return text;
}

bool TFile::ReadLarge(void* buffer, std::int64_t count) {
    constexpr std::int64_t Chunk = 1 << 24;
    auto* out = static_cast<std::uint8_t*>(buffer);
    for (std::int64_t done = 0; done < count;) {
        const auto part = static_cast<std::int32_t>(std::min(Chunk, count - done));
        if (!ReadExact(out + done, part)) return false;
        done += part;
    }
    return true;
}

void TFile::WriteInt(std::int32_t Value) {
    std::uint8_t b[4];
    StoreLE(b, Value);
    Write(b, 4);
}
void TFile::WriteInt64(std::int64_t Value) {
    std::uint8_t b[8];
    StoreLE(b, Value);
    Write(b, 8);
}
void TFile::WriteFloat(double Value) {
    const Extended80 b = DoubleToExtended80(Value);
    Write(b.data(), 10);
}
void TFile::WriteExt(double Value) { WriteFloat(Value); }
void TFile::WriteDbl(double Value) {
    std::uint64_t bits;
    std::memcpy(&bits, &Value, sizeof bits);
    std::uint8_t b[8];
    StoreLE(b, bits);
    Write(b, 8);
}
void TFile::WriteBool(bool Value) { WriteByte(Value ? 1 : 0); }
void TFile::WriteByte(std::uint8_t Value) { Write(&Value, 1); }

void TFile::WriteStr(const std::u16string& Value) {
    if (Value.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max() / 2)) {
        FFileError.Set(feCannotWrite);  // the count would not fit its 32 bits
        return;
    }
    const auto count = static_cast<std::int32_t>(Value.size());
    std::vector<std::uint8_t> bytes(4 + Value.size() * 2);
    StoreLE(bytes.data(), count);
    for (size_t i = 0; i < Value.size(); ++i) StoreLE(&bytes[4 + 2 * i], static_cast<std::uint16_t>(Value[i]));
    Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

void TFile::WriteAnsiStr(const std::string& Value) {
    if (Value.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max() - 4)) {
        FFileError.Set(feCannotWrite);
        return;
    }
    std::vector<std::uint8_t> bytes(4 + Value.size());
    StoreLE(bytes.data(), static_cast<std::int32_t>(Value.size()));
    std::memcpy(bytes.data() + 4, Value.data(), Value.size());
    Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

std::int32_t TFile::Attr() {
    FFileError.Set(feNone);
    if (FFileName.empty()) {
        FFileError.Set(feInvalidName);
        return 0;
    }
    const auto attr = Fs().Attributes(FFileName);
    return attr ? static_cast<std::int32_t>(*attr) : -1;
}

void TFile::SetAttr(std::int32_t Value) {
    FFileError.Set(feNone);
    if (FFileName.empty()) {
        FFileError.Set(feInvalidName);
        return;
    }
    Fs().SetAttributes(FFileName, static_cast<std::uint32_t>(Value));
}

std::int32_t TFile::Pos() {
    FFileError.Set(feNone);
    if (FFileHandle == platform::InvalidFileHandle) return -1;
    return static_cast<std::int32_t>(Fs().Seek(FFileHandle, 0, platform::SeekOrigin::Current));
}

void TFile::SetPos(std::int32_t Value) {
    FFileError.Set(feNone);
    if (FFileHandle != platform::InvalidFileHandle) Fs().Seek(FFileHandle, Value, platform::SeekOrigin::Begin);
}

bool TFile::OpenForQuery(std::uint8_t mode, bool& opened) {
    opened = false;
    if (FFileHandle != platform::InvalidFileHandle) return true;
    if (!Open(mode)) return false;
    opened = true;
    return true;
}

std::int32_t TFile::Size() {
    FFileError.Set(feNone);
    bool opened = false;
    if (!OpenForQuery(fmOpenRead | fmShareDenyNone, opened)) return -1;
    std::uint32_t low = 0, high = 0;
    std::int32_t result = -1;
    if (Fs().Size(FFileHandle, low, high))
        result = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(high) * 0xFFFFFFFFu + low));
    if (opened) Close();
    return result;
}

TFileTimes TFile::ToLocalDateTimes(const platform::RawFileTimes& raw) {
    auto convert = [](std::int64_t fileTime) {
        const CivilTime c = FileTimeToCivil(Fs().UtcToLocal(fileTime));
        return EncodeDateTime(c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second);
    };
    return TFileTimes{convert(raw.Creation), convert(raw.LastAccess), convert(raw.LastWrite)};
}

void TFile::GetTimes(TFileTimes& Times) {
    FFileError.Set(feNone);
    bool opened = false;
    if (!OpenForQuery(fmOpenRead | fmShareDenyNone, opened)) return;
    platform::RawFileTimes raw;
    if (Fs().GetTimes(FFileHandle, raw)) Times = ToLocalDateTimes(raw);
    if (opened) Close();
}

void TFile::SetTimes(const TFileTimes& Times) {
    FFileError.Set(feNone);
    bool opened = false;
    // Setting times needs write access; a read-only query handle would be refused by the platform.
    if (!OpenForQuery(fmOpenWrite | fmShareDenyNone, opened)) return;
    auto convert = [](TDateTime value) -> std::optional<std::int64_t> {
        const auto dos = DateTimeToDosDateTime(value);
        if (!dos) return std::nullopt;
        const auto local = DosDateTimeToFileTime(*dos);
        if (!local) return std::nullopt;
        return Fs().LocalToUtc(*local);
    };
    Fs().SetTimes(FFileHandle, convert(Times.CreationTime), convert(Times.LastAccessTime), convert(Times.LastWriteTime));
    if (opened) Close();
}

void TFile::GetInfo(TFileInfo& Info) {
    FFileError.Set(feNone);
    platform::DirectoryEntry entry;
    auto search = FFileName.empty() ? nullptr : Fs().FindFirst(FFileName, entry);
    if (!search) {
        FFileError.Set(feCannotReadInfo);
        return;
    }
    Info.Times = ToLocalDateTimes(entry.Times);
    Info.Size = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(entry.SizeHigh) * 0xFFFFFFFFu + entry.SizeLow));
    Info.Attr = static_cast<std::int32_t>(entry.Attributes);
}

std::uint32_t TFile::CRC32() {
    FFileError.Set(feNone);
    if (FFileName.empty() || !Fs().Attributes(FFileName)) {
        FFileError.Set(feInvalidName);
        return 0;
    }
    // A handle of its own, so an open object stays open and keeps its position.
    const platform::FileHandle handle = Fs().Open(FFileName, platform::FileAccess::Read,
                                                  platform::ShareRead | platform::ShareWrite,
                                                  platform::FileDisposition::OpenExisting);
    if (handle == platform::InvalidFileHandle) return 0;
    std::uint32_t crc = 0;
    std::uint8_t block[1024];
    for (;;) {
        std::uint32_t done = 0;
        if (!Fs().Read(handle, block, sizeof block, done) || done == 0) break;
        crc = Crc32Update(crc, block, done);
    }
    Fs().Close(handle);
    return crc;
}

const std::uint32_t* Crc32Table() {
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    return table.data();
}

std::uint32_t Crc32Update(std::uint32_t crc, const void* data, size_t size) {
    const std::uint32_t* table = Crc32Table();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

}  // namespace util

#pragma once
// The file port: what the program asks of the platform's file system. Paths are Windows-style
// UTF-16 text; the POSIX backend reads "\" as "/".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

using FileHandle = std::intptr_t;
constexpr FileHandle InvalidFileHandle = -1;

enum class FileAccess { Read, Write, ReadWrite };
// Bit set of what other openers may do while this handle is open.
enum FileShare : unsigned { ShareNone = 0, ShareRead = 1, ShareWrite = 2 };
// CreateNew fails when the file exists already.
enum class FileDisposition { CreateAlways, OpenExisting, CreateNew };
enum class SeekOrigin { Begin, Current, End };

// Attribute bits as the platform reports them.
constexpr std::uint32_t AttrReadOnly = 0x01;
constexpr std::uint32_t AttrHidden = 0x02;
constexpr std::uint32_t AttrSystem = 0x04;
constexpr std::uint32_t AttrDirectory = 0x10;
constexpr std::uint32_t AttrArchive = 0x20;
constexpr std::uint32_t AttrNormal = 0x80;

// Times in 100-nanosecond units since 1 January 1601, UTC (the platform's file time).
struct RawFileTimes {
    std::int64_t Creation = 0;
    std::int64_t LastAccess = 0;
    std::int64_t LastWrite = 0;
};

struct DirectoryEntry {
    std::u16string Name;
    std::uint32_t Attributes = 0;
    RawFileTimes Times;
    std::uint32_t SizeHigh = 0;
    std::uint32_t SizeLow = 0;
};

// A drive of the file system: the key its paths begin with ("C:"; empty on a system with one
// root) and its root path ("C:\\"; "\\" there).
struct DriveRoot {
    std::u16string Key;
    std::u16string Root;
    friend bool operator==(const DriveRoot&, const DriveRoot&) = default;
};

// An open directory search; closed when destroyed.
class DirectorySearch {
public:
    virtual ~DirectorySearch() = default;
    virtual bool Next(DirectoryEntry& entry) = 0;
};

class Files {
public:
    virtual ~Files() = default;

    virtual FileHandle Open(const std::u16string& path, FileAccess access, unsigned share,
                            FileDisposition disposition) = 0;
    virtual void Close(FileHandle handle) = 0;
    virtual bool Read(FileHandle handle, void* buffer, std::uint32_t count, std::uint32_t& done) = 0;
    virtual bool Write(FileHandle handle, const void* buffer, std::uint32_t count, std::uint32_t& done) = 0;
    // The new position from the start, or -1 when the seek fails.
    virtual std::int64_t Seek(FileHandle handle, std::int64_t offset, SeekOrigin origin) = 0;
    virtual bool Size(FileHandle handle, std::uint32_t& low, std::uint32_t& high) = 0;
    virtual bool TruncateAtPosition(FileHandle handle) = 0;
    virtual bool Flush(FileHandle handle) = 0;
    virtual bool GetTimes(FileHandle handle, RawFileTimes& times) = 0;
    // A missing time is left as it is.
    virtual bool SetTimes(FileHandle handle, const std::optional<std::int64_t>& creation,
                          const std::optional<std::int64_t>& lastAccess,
                          const std::optional<std::int64_t>& lastWrite) = 0;

    // Attributes of the named file (following links), or nullopt when it does not exist.
    virtual std::optional<std::uint32_t> Attributes(const std::u16string& path) = 0;
    virtual bool SetAttributes(const std::u16string& path, std::uint32_t attributes) = 0;

    // First entry matching a pattern with "*" and "?" in its last component; nullptr when none.
    virtual std::unique_ptr<DirectorySearch> FindFirst(const std::u16string& pattern, DirectoryEntry& first) = 0;

    virtual bool MakeDirectory(const std::u16string& path) = 0;
    virtual bool RemoveFile(const std::u16string& path) = 0;
    // Removes an empty directory.
    virtual bool RemoveEmptyDirectory(const std::u16string& path) = 0;
    // Moves a file over another one in one step: afterwards "to" is either the old or the new file.
    virtual bool MoveOver(const std::u16string& from, const std::u16string& to) = 0;
    // Renames or moves a file or directory; never replaces what is at "to" already.
    virtual bool Rename(const std::u16string& from, const std::u16string& to) = 0;
    // The drives present, in letter order.
    virtual std::vector<DriveRoot> DriveRoots() = 0;
    // The file a path names with symbolic links followed; the path itself when it is no link or
    // names nothing yet.
    virtual std::u16string FinalPath(const std::u16string& path) = 0;
    // Gives a newly written file the access rights of the file it is to replace, so that a
    // replacement neither widens nor narrows who may read it.
    virtual bool CopyPermissions(const std::u16string& from, FileHandle to) = 0;
    // Makes the folder's own entries durable, so that a rename in it survives a power loss.
    virtual bool FlushFolder(const std::u16string& folder) = 0;
    // Creates an empty file with a unique name "<prefix>XXXX.tmp" in a directory; nullopt on failure.
    virtual std::optional<std::u16string> CreateTempFile(const std::u16string& directory,
                                                        const std::u16string& prefix) = 0;

    // The platform's text for the reason the last failed call of this thread gave.
    virtual std::u16string LastErrorText() = 0;
    // The same reason as the platform's error number (0 when none was given).
    virtual std::uint32_t LastErrorCode() = 0;

    virtual std::int64_t UtcToLocal(std::int64_t fileTime) = 0;
    virtual std::int64_t LocalToUtc(std::int64_t fileTime) = 0;
};

// The process-wide backend. SetFiles installs a replacement (tests) and returns the previous one;
// nullptr restores the platform's own.
Files& GetFiles();
Files* SetFiles(Files* replacement);

}  // namespace platform

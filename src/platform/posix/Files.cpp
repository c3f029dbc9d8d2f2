#include <cstring>
#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/posix/PosixPath.h"

// POSIX has no mandatory share modes: the share argument is accepted and not enforced here. The
// Windows build enforces it through the platform.
namespace platform {
namespace {
using posix::NativePath;

constexpr std::int64_t TicksPerSecond = 10'000'000;
constexpr std::int64_t UnixEpochTicks = 116'444'736'000'000'000;  // 1601-01-01 to 1970-01-01

std::int64_t ToFileTime(const timespec& ts) {
    return UnixEpochTicks + static_cast<std::int64_t>(ts.tv_sec) * TicksPerSecond + ts.tv_nsec / 100;
}
timespec ToTimespec(std::int64_t fileTime) {
    std::int64_t ticks = fileTime - UnixEpochTicks;
    std::int64_t seconds = ticks / TicksPerSecond, rest = ticks % TicksPerSecond;
    if (rest < 0) { rest += TicksPerSecond; --seconds; }
    return timespec{static_cast<time_t>(seconds), static_cast<long>(rest * 100)};
}

std::uint32_t AttributesOf(const struct stat& st, const std::string& name) {
    std::uint32_t attr = S_ISDIR(st.st_mode) ? AttrDirectory : AttrArchive;
    if (!(st.st_mode & S_IWUSR)) attr |= AttrReadOnly;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") attr |= AttrHidden;
    return attr;
}

RawFileTimes TimesOf(const struct stat& st) {
    // POSIX keeps no creation time in stat; the last status change stands in for it.
    return RawFileTimes{ToFileTime(st.st_ctim), ToFileTime(st.st_atim), ToFileTime(st.st_mtim)};
}

// Windows wildcard match of one name component: "*" any run, "?" one character; "*.*" matches all.
bool WildcardMatch(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '?' || *pattern == *name) { ++pattern; ++name; }
        else if (*pattern == '*') { star = pattern++; resume = name; }
        else if (star) { pattern = star + 1; name = ++resume; }
        else return false;
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

bool FillEntry(const std::string& directory, const std::string& name, DirectoryEntry& entry) {
    struct stat st{};
    if (stat((directory + "/" + name).c_str(), &st) != 0) return false;
    entry.Name = FromUtf8(name);
    entry.Attributes = AttributesOf(st, name);
    entry.Times = TimesOf(st);
    const auto size = S_ISDIR(st.st_mode) ? 0u : static_cast<std::uint64_t>(st.st_size);
    entry.SizeHigh = static_cast<std::uint32_t>(size >> 32);
    entry.SizeLow = static_cast<std::uint32_t>(size & 0xFFFFFFFFu);
    return true;
}

class PosixSearch final : public DirectorySearch {
public:
    PosixSearch(DIR* dir, std::string directory, std::string pattern)
        : dir_(dir), directory_(std::move(directory)), pattern_(std::move(pattern)) {}
    ~PosixSearch() override { closedir(dir_); }
    PosixSearch(const PosixSearch&) = delete;
    PosixSearch& operator=(const PosixSearch&) = delete;
    bool Next(DirectoryEntry& entry) override {
        while (dirent* d = readdir(dir_)) {
            if (WildcardMatch(pattern_.c_str(), d->d_name) && FillEntry(directory_, d->d_name, entry)) return true;
        }
        return false;
    }

private:
    DIR* dir_;
    std::string directory_;
    std::string pattern_;
};

class PosixFiles final : public Files {
public:
    std::u16string LastErrorText() override { return FromUtf8(std::strerror(errno)); }
    std::uint32_t LastErrorCode() override {
        // The reasons a path gives, as the Windows numbers the callers report.
        switch (errno) {
            case 0: return 0;
            case ENOENT: return 2;   // file not found
            case ENOTDIR: return 3;  // path not found
            case EACCES:
            case EPERM: return 5;    // access denied
            case ENAMETOOLONG: return 206;
            default: return 31;      // general failure
        }
    }
    FileHandle Open(const std::u16string& path, FileAccess access, unsigned, FileDisposition disposition) override {
        int flags = access == FileAccess::Read ? O_RDONLY : access == FileAccess::Write ? O_WRONLY : O_RDWR;
        if (disposition == FileDisposition::CreateAlways) flags |= O_CREAT | O_TRUNC;
        if (disposition == FileDisposition::CreateNew) flags |= O_CREAT | O_EXCL;
        int fd = ::open(NativePath(path).c_str(), flags | O_CLOEXEC, 0666);
        if (fd < 0) return InvalidFileHandle;
        struct stat st{};
        if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {  // a directory is no file to open
            ::close(fd);
            return InvalidFileHandle;
        }
        return fd;
    }
    void Close(FileHandle handle) override { ::close(static_cast<int>(handle)); }
    bool Read(FileHandle handle, void* buffer, std::uint32_t count, std::uint32_t& done) override {
        done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < count) {
            ssize_t n = ::read(static_cast<int>(handle), out + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) break;
            done += static_cast<std::uint32_t>(n);
        }
        return true;
    }
    bool Write(FileHandle handle, const void* buffer, std::uint32_t count, std::uint32_t& done) override {
        done = 0;
        const auto* in = static_cast<const char*>(buffer);
        while (done < count) {
            ssize_t n = ::write(static_cast<int>(handle), in + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::uint32_t>(n);
        }
        return true;
    }
    std::int64_t Seek(FileHandle handle, std::int64_t offset, SeekOrigin origin) override {
        int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
        off_t result = ::lseek(static_cast<int>(handle), static_cast<off_t>(offset), whence);
        return result < 0 ? -1 : static_cast<std::int64_t>(result);
    }
    bool Size(FileHandle handle, std::uint32_t& low, std::uint32_t& high) override {
        struct stat st{};
        if (fstat(static_cast<int>(handle), &st) != 0) return false;
        const auto size = static_cast<std::uint64_t>(st.st_size);
        low = static_cast<std::uint32_t>(size & 0xFFFFFFFFu);
        high = static_cast<std::uint32_t>(size >> 32);
        return true;
    }
    bool TruncateAtPosition(FileHandle handle) override {
        off_t pos = ::lseek(static_cast<int>(handle), 0, SEEK_CUR);
        return pos >= 0 && ::ftruncate(static_cast<int>(handle), pos) == 0;
    }
    bool Flush(FileHandle handle) override { return ::fsync(static_cast<int>(handle)) == 0; }
    bool GetTimes(FileHandle handle, RawFileTimes& times) override {
        struct stat st{};
        if (fstat(static_cast<int>(handle), &st) != 0) return false;
        times = TimesOf(st);
        return true;
    }
    bool SetTimes(FileHandle handle, const std::optional<std::int64_t>&, const std::optional<std::int64_t>& lastAccess,
                  const std::optional<std::int64_t>& lastWrite) override {
        // The creation time cannot be set on POSIX file systems.
        timespec ts[2];
        ts[0] = lastAccess ? ToTimespec(*lastAccess) : timespec{0, UTIME_OMIT};
        ts[1] = lastWrite ? ToTimespec(*lastWrite) : timespec{0, UTIME_OMIT};
        return futimens(static_cast<int>(handle), ts) == 0;
    }
    std::optional<std::uint32_t> Attributes(const std::u16string& path) override {
        const std::string native = NativePath(path);
        struct stat st{};
        if (stat(native.c_str(), &st) != 0) return std::nullopt;
        const auto slash = native.find_last_of('/');
        return AttributesOf(st, slash == std::string::npos ? native : native.substr(slash + 1));
    }
    bool SetAttributes(const std::u16string& path, std::uint32_t attributes) override {
        const std::string native = NativePath(path);
        struct stat st{};
        if (stat(native.c_str(), &st) != 0) return false;
        mode_t mode = st.st_mode & 07777;
        mode = (attributes & AttrReadOnly) ? (mode & ~0222) : (mode | S_IWUSR);
        return chmod(native.c_str(), mode) == 0;
    }
    std::unique_ptr<DirectorySearch> FindFirst(const std::u16string& pattern, DirectoryEntry& first) override {
        errno = 0;  // a search that matches nothing gives no reason
        const std::string native = NativePath(pattern);
        const auto slash = native.find_last_of('/');
        std::string directory = slash == std::string::npos ? "." : native.substr(0, slash);
        if (directory.empty()) directory = "/";
        std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
        if (name == "*.*") name = "*";
        DIR* dir = opendir(directory.c_str());
        if (!dir) return nullptr;
        auto search = std::make_unique<PosixSearch>(dir, directory, name);
        if (!search->Next(first)) return nullptr;
        return search;
    }
    bool MakeDirectory(const std::u16string& path) override { return ::mkdir(NativePath(path).c_str(), 0777) == 0; }
    bool RemoveFile(const std::u16string& path) override { return ::unlink(NativePath(path).c_str()) == 0; }
    bool RemoveEmptyDirectory(const std::u16string& path) override { return ::rmdir(NativePath(path).c_str()) == 0; }
    bool MoveOver(const std::u16string& from, const std::u16string& to) override {
        return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
    }
    bool Rename(const std::u16string& from, const std::u16string& to) override {
        const std::string target = NativePath(to);
        struct stat st{};
        // Nothing is replaced: a name that is taken refuses the rename.
        if (lstat(target.c_str(), &st) == 0) {
            errno = EEXIST;
            return false;
        }
        return ::rename(NativePath(from).c_str(), target.c_str()) == 0;
    }
    std::vector<DriveRoot> DriveRoots() override { return {{u"", u"\\"}}; }
    std::u16string FinalPath(const std::u16string& path) override {
        const std::string native = NativePath(path);
        struct stat st{};
        if (lstat(native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char* resolved = realpath(native.c_str(), nullptr);
        if (!resolved) {
            // A dangling link: its target is where the file will be.
            std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
            const ssize_t n = readlink(native.c_str(), target.data(), target.size());
            if (n <= 0) return path;
            target.resize(static_cast<std::size_t>(n));
            if (target[0] != '/') {
                const auto slash = native.find_last_of('/');
                target = (slash == std::string::npos ? std::string() : native.substr(0, slash + 1)) + target;
            }
            return FromUtf8(target);
        }
        std::u16string out = FromUtf8(resolved);
        std::free(resolved);
        return out;
    }
    bool CopyPermissions(const std::u16string& from, FileHandle to) override {
        struct stat st{};
        if (stat(NativePath(from).c_str(), &st) != 0) return errno == ENOENT;  // a new file keeps its own
        return fchmod(static_cast<int>(to), st.st_mode & 07777) == 0;
    }
    bool FlushFolder(const std::u16string& folder) override {
        const int fd = ::open(NativePath(folder.empty() ? u"." : folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        // Some file systems cannot flush a folder and say so with EINVAL; there is nothing more to do.
        const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
        ::close(fd);
        return ok;
    }
    std::optional<std::u16string> CreateTempFile(const std::u16string& directory, const std::u16string& prefix) override {
        static const char hex[] = "0123456789ABCDEF";
        std::u16string base = directory;
        if (base.empty() || (base.back() != u'\\' && base.back() != u'/')) base += u'\\';
        // Like the platform it stands in for: up to 65535 hexadecimal numbers, the first free one wins.
        const auto start = static_cast<unsigned>(::getpid() ^ ::time(nullptr));
        for (unsigned i = 0; i < 0xFFFF; ++i) {
            const unsigned number = ((start + i) % 0xFFFF) + 1;
            std::u16string name = base + prefix;
            for (int shift = 12; shift >= 0; shift -= 4) name += static_cast<char16_t>(hex[(number >> shift) & 0xF]);
            name += u".tmp";
            int fd = ::open(NativePath(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                return name;
            }
            if (errno != EEXIST) return std::nullopt;
        }
        return std::nullopt;
    }
    std::int64_t UtcToLocal(std::int64_t fileTime) override {
        const timespec ts = ToTimespec(fileTime);
        struct tm local{};
        if (!localtime_r(&ts.tv_sec, &local)) return fileTime;
        return fileTime + static_cast<std::int64_t>(local.tm_gmtoff) * TicksPerSecond;
    }
    std::int64_t LocalToUtc(std::int64_t fileTime) override {
        const timespec ts = ToTimespec(fileTime);
        struct tm fields{};
        if (!gmtime_r(&ts.tv_sec, &fields)) return fileTime;
        fields.tm_isdst = -1;
        const time_t utc = mktime(&fields);
        if (utc == static_cast<time_t>(-1)) return fileTime;
        return fileTime + (static_cast<std::int64_t>(utc) - ts.tv_sec) * TicksPerSecond;
    }
};
}  // namespace

Files& DefaultFiles() {
    static PosixFiles files;
    return files;
}

}  // namespace platform

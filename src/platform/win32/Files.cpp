#include "platform/Files.h"

#include "platform/win32/WinText.h"

namespace platform {
namespace {
// A path of 248 characters or more (the limit of a new directory's path) in the form the
// platform reads beyond MAX_PATH: "\\?\C:\..." or "\\?\UNC\server\share\...".
std::u16string LongPath(const std::u16string& path) {
    if (path.size() < MAX_PATH - 12) return path;
    if (path.size() >= 3 && path[1] == u':' && path[2] == u'\\') return u"\\\\?\\" + path;
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\' && path.compare(0, 4, u"\\\\?\\") != 0)
        return u"\\\\?\\UNC\\" + path.substr(2);
    return path;
}
using win32::W;
using win32::U16;

HANDLE H(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

std::int64_t FromFileTime(const FILETIME& ft) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}
FILETIME ToFileTime(std::int64_t value) {
    const auto v = static_cast<std::uint64_t>(value);
    return FILETIME{static_cast<DWORD>(v & 0xFFFFFFFFu), static_cast<DWORD>(v >> 32)};
}

void FillEntry(const WIN32_FIND_DATAW& data, DirectoryEntry& entry) {
    entry.Name = U16(data.cFileName);
    entry.Attributes = data.dwFileAttributes;
    entry.Times = {FromFileTime(data.ftCreationTime), FromFileTime(data.ftLastAccessTime),
                   FromFileTime(data.ftLastWriteTime)};
    entry.SizeHigh = data.nFileSizeHigh;
    entry.SizeLow = data.nFileSizeLow;
}

class Win32Search final : public DirectorySearch {
public:
    explicit Win32Search(HANDLE find) : find_(find) {}
    ~Win32Search() override { FindClose(find_); }
    Win32Search(const Win32Search&) = delete;
    Win32Search& operator=(const Win32Search&) = delete;
    bool Next(DirectoryEntry& entry) override {
        WIN32_FIND_DATAW data{};
        if (!FindNextFileW(find_, &data)) return false;
        FillEntry(data, entry);
        return true;
    }

private:
    HANDLE find_;
};

class Win32Files final : public Files {
public:
    std::uint32_t LastErrorCode() override { return GetLastError(); }
    std::u16string LastErrorText() override {
        const DWORD code = GetLastError();
        wchar_t* text = nullptr;
        const DWORD length = FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
            0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        std::u16string message = length ? U16(text, length) : u"Error " + U16(std::to_wstring(code).c_str());
        if (text) LocalFree(text);
        while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u' '))
            message.pop_back();
        return message;
    }
    FileHandle Open(const std::u16string& path, FileAccess access, unsigned share,
                    FileDisposition disposition) override {
        DWORD desired = access == FileAccess::Read    ? GENERIC_READ
                        : access == FileAccess::Write ? GENERIC_WRITE
                                                      : GENERIC_READ | GENERIC_WRITE;
        DWORD shareMode = ((share & ShareRead) ? FILE_SHARE_READ : 0) | ((share & ShareWrite) ? FILE_SHARE_WRITE : 0);
        DWORD creation = disposition == FileDisposition::CreateAlways ? CREATE_ALWAYS
                         : disposition == FileDisposition::CreateNew  ? CREATE_NEW
                                                                      : OPEN_EXISTING;
        HANDLE h = CreateFileW(W(LongPath(path)), desired, shareMode, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
        return h == INVALID_HANDLE_VALUE ? InvalidFileHandle : reinterpret_cast<FileHandle>(h);
    }
    void Close(FileHandle handle) override { CloseHandle(H(handle)); }
    bool Read(FileHandle handle, void* buffer, std::uint32_t count, std::uint32_t& done) override {
        DWORD n = 0;
        BOOL ok = ReadFile(H(handle), buffer, count, &n, nullptr);
        done = n;
        return ok != FALSE;
    }
    bool Write(FileHandle handle, const void* buffer, std::uint32_t count, std::uint32_t& done) override {
        DWORD n = 0;
        BOOL ok = WriteFile(H(handle), buffer, count, &n, nullptr);
        done = n;
        return ok != FALSE;
    }
    std::int64_t Seek(FileHandle handle, std::int64_t offset, SeekOrigin origin) override {
        LARGE_INTEGER distance{}, result{};
        distance.QuadPart = offset;
        DWORD method = origin == SeekOrigin::Begin ? FILE_BEGIN : origin == SeekOrigin::Current ? FILE_CURRENT : FILE_END;
        if (!SetFilePointerEx(H(handle), distance, &result, method)) return -1;
        return result.QuadPart;
    }
    bool Size(FileHandle handle, std::uint32_t& low, std::uint32_t& high) override {
        DWORD h = 0;
        DWORD l = GetFileSize(H(handle), &h);
        if (l == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
        low = l;
        high = h;
        return true;
    }
    bool TruncateAtPosition(FileHandle handle) override { return SetEndOfFile(H(handle)) != FALSE; }
    bool Flush(FileHandle handle) override { return FlushFileBuffers(H(handle)) != FALSE; }
    bool GetTimes(FileHandle handle, RawFileTimes& times) override {
        FILETIME c{}, a{}, w{};
        if (!GetFileTime(H(handle), &c, &a, &w)) return false;
        times = {FromFileTime(c), FromFileTime(a), FromFileTime(w)};
        return true;
    }
    bool SetTimes(FileHandle handle, const std::optional<std::int64_t>& creation,
                  const std::optional<std::int64_t>& lastAccess,
                  const std::optional<std::int64_t>& lastWrite) override {
        FILETIME c = ToFileTime(creation.value_or(0)), a = ToFileTime(lastAccess.value_or(0)),
                 w = ToFileTime(lastWrite.value_or(0));
        return SetFileTime(H(handle), creation ? &c : nullptr, lastAccess ? &a : nullptr,
                           lastWrite ? &w : nullptr) != FALSE;
    }
    std::optional<std::uint32_t> Attributes(const std::u16string& path) override {
        DWORD attr = GetFileAttributesW(W(LongPath(path)));
        if (attr == INVALID_FILE_ATTRIBUTES) return std::nullopt;
        return attr;
    }
    bool SetAttributes(const std::u16string& path, std::uint32_t attributes) override {
        return SetFileAttributesW(W(LongPath(path)), attributes) != FALSE;
    }
    std::unique_ptr<DirectorySearch> FindFirst(const std::u16string& pattern, DirectoryEntry& first) override {
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW(W(LongPath(pattern)), &data);
        if (find == INVALID_HANDLE_VALUE) return nullptr;
        FillEntry(data, first);
        return std::make_unique<Win32Search>(find);
    }
    bool MakeDirectory(const std::u16string& path) override { return CreateDirectoryW(W(LongPath(path)), nullptr) != FALSE; }
    bool RemoveFile(const std::u16string& path) override { return DeleteFileW(W(LongPath(path))) != FALSE; }
    bool RemoveEmptyDirectory(const std::u16string& path) override {
        return RemoveDirectoryW(W(LongPath(path))) != FALSE;
    }
    bool MoveOver(const std::u16string& from, const std::u16string& to) override {
        // While another program replaces or reads the same file, the platform refuses for a
        // moment with a sharing or access error: a few tries, a few milliseconds apart.
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExW(W(LongPath(from)), W(LongPath(to)), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
            const DWORD error = GetLastError();
            if (attempt == 40 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
            Sleep(5);
        }
    }
    bool Rename(const std::u16string& from, const std::u16string& to) override {
        return MoveFileW(W(LongPath(from)), W(LongPath(to))) != FALSE;
    }
    std::vector<DriveRoot> DriveRoots() override {
        std::vector<DriveRoot> drives;
        const DWORD mask = GetLogicalDrives();
        for (int bit = 0; bit < 26; ++bit)
            if (mask & (1u << bit)) {
                const std::u16string key{static_cast<char16_t>(u'A' + bit), u':'};
                drives.push_back({key, key + u"\\"});
            }
        return drives;
    }
    std::u16string FinalPath(const std::u16string& path) override {
        const DWORD attributes = GetFileAttributesW(W(path));
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
        HANDLE h = CreateFileW(W(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return path;
        std::wstring buffer(MAX_PATH, L'\0');
        DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
        if (n >= buffer.size()) {
            buffer.resize(n + 1);
            n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
        }
        CloseHandle(h);
        if (n == 0 || n >= buffer.size()) return path;
        std::u16string out = U16(buffer.data(), n);
        // The answer comes in the long form "\\?\C:\..." or "\\?\UNC\server\...".
        if (out.rfind(u"\\\\?\\UNC\\", 0) == 0) return u"\\" + out.substr(7);
        if (out.rfind(u"\\\\?\\", 0) == 0) return out.substr(4);
        return out;
    }
    // A new file takes its rights from its folder, as the file it replaces did.
    bool CopyPermissions(const std::u16string&, FileHandle) override { return true; }
    // MoveOver asks the platform to write the move through before it returns.
    bool FlushFolder(const std::u16string&) override { return true; }
    std::optional<std::u16string> CreateTempFile(const std::u16string& directory, const std::u16string& prefix) override {
        wchar_t buffer[MAX_PATH + 1] = {};
        if (GetTempFileNameW(W(directory), W(prefix), 0, buffer) == 0) return std::nullopt;
        return U16(buffer);
    }
    std::int64_t UtcToLocal(std::int64_t fileTime) override {
        FILETIME utc = ToFileTime(fileTime), local{};
        if (!FileTimeToLocalFileTime(&utc, &local)) return fileTime;
        return FromFileTime(local);
    }
    std::int64_t LocalToUtc(std::int64_t fileTime) override {
        FILETIME local = ToFileTime(fileTime), utc{};
        if (!LocalFileTimeToFileTime(&local, &utc)) return fileTime;
        return FromFileTime(utc);
    }
};
}  // namespace

Files& DefaultFiles() {
    static Win32Files files;
    return files;
}

}  // namespace platform

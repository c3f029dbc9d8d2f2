#include "util/WholeFile.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/Files.h"
#include "platform/System.h"

namespace util {
namespace {
// Closes a handle on every way out.
class ScopedHandle {
public:
    explicit ScopedHandle(platform::FileHandle handle) : handle_(handle) {}
    ~ScopedHandle() { Release(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    platform::FileHandle Get() const { return handle_; }
    void Release() {
        if (handle_ != platform::InvalidFileHandle) platform::GetFiles().Close(handle_);
        handle_ = platform::InvalidFileHandle;
    }

private:
    platform::FileHandle handle_;
};

constexpr std::uint32_t Chunk = 1u << 20;
}  // namespace

bool ReadFileThrough(const std::u16string& path, ReadSink& sink) {
    auto& fs = platform::GetFiles();
    ScopedHandle file(fs.Open(path, platform::FileAccess::Read, platform::ShareRead, platform::FileDisposition::OpenExisting));
    if (file.Get() == platform::InvalidFileHandle) return false;
    std::uint32_t low = 0, high = 0;
    if (fs.Size(file.Get(), low, high)) sink.Expect((std::uint64_t{high} << 32) | low);
    // On to the end rather than trusting the size: the file may change while it is read.
    for (;;) {
        const std::span<char> room = sink.Room();
        const auto want = static_cast<std::uint32_t>(std::min<size_t>(Chunk, room.size()));
        std::uint32_t done = 0;
        if (!fs.Read(file.Get(), room.data(), want, done)) return false;
        if (done == 0) return true;
        sink.Filled(std::min<std::size_t>(done, want));
    }
}

namespace {
// The whole file in one string, sized by what the file says it holds plus one byte, so that the
// end is seen without growing it.
class WholeFileSink final : public ReadSink {
public:
    void Expect(std::uint64_t total) override {
        if (total < Chunk * std::uint64_t{4096}) bytes_.resize(static_cast<std::size_t>(total) + 1);
    }
    std::span<char> Room() override {
        if (used_ == bytes_.size()) bytes_.resize(bytes_.size() + Chunk);
        return {bytes_.data() + used_, bytes_.size() - used_};
    }
    void Filled(std::size_t count) override { used_ += count; }
    std::string Take() {
        bytes_.resize(used_);
        return std::move(bytes_);
    }

private:
    std::string bytes_;
    std::size_t used_ = 0;
};
}  // namespace

std::optional<std::string> ReadWholeFile(const std::u16string& path) {
    WholeFileSink sink;
    if (!ReadFileThrough(path, sink)) return std::nullopt;
    return sink.Take();
}

namespace {
// "<file>.<process>-<number>.tmp": a name of this save's own, so that two programs saving the same
// file at once never write into each other's temporary file.
std::u16string TemporaryNameFor(const std::u16string& path) {
    static std::atomic<std::uint32_t> saves{0};
    std::u16string name = path;
    const auto append = [&name](std::string_view part) {
        for (char c : part) name.push_back(static_cast<char16_t>(c));
    };
    append(".");
    append(std::to_string(platform::GetSystem().ProcessId()));
    append("-");
    append(std::to_string(saves.fetch_add(1)));
    append(".tmp");
    return name;
}

// The process that made a temporary name, or nullopt when the name is not one of ours.
std::optional<std::uint32_t> MakerOf(const std::u16string& name, const std::u16string& fileName) {
    if (name.size() <= fileName.size() + 5 || name.compare(0, fileName.size(), fileName) != 0) return std::nullopt;
    std::size_t pos = fileName.size();
    if (name[pos++] != u'.') return std::nullopt;
    std::uint64_t process = 0;
    const std::size_t digits = pos;
    while (pos < name.size() && name[pos] >= u'0' && name[pos] <= u'9' && pos - digits < 10)
        process = process * 10 + static_cast<std::uint64_t>(name[pos++] - u'0');
    if (pos == digits || process > 0xFFFFFFFFu || pos >= name.size() || name[pos] != u'-') return std::nullopt;
    return static_cast<std::uint32_t>(process);
}

// Removes what saves of programs that ended half-way left beside the file. A file whose maker
// still runs is its save in progress and stays.
void RemoveStaleTemporaries(const std::u16string& path) {
    auto& fs = platform::GetFiles();
    auto& system = platform::GetSystem();
    const std::size_t slash = path.find_last_of(u"\\/");
    const std::u16string folder = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
    const std::u16string fileName = slash == std::u16string::npos ? path : path.substr(slash + 1);
    platform::DirectoryEntry entry;
    std::vector<std::u16string> stale;
    for (auto search = fs.FindFirst(path + u".*-*.tmp", entry); search;) {
        const auto maker = MakerOf(entry.Name, fileName);
        if (maker && *maker != system.ProcessId() && !system.ProcessRunning(*maker)) stale.push_back(entry.Name);
        if (!search->Next(entry) || stale.size() >= 1000) break;
    }
    for (const std::u16string& name : stale) fs.RemoveFile(folder + name);
}

std::u16string FolderOf(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash == 0 ? 1 : slash);
}
}  // namespace

bool AtomicReplace(const std::u16string& path, std::string_view bytes) {
    bool given = false;
    return AtomicReplace(path, [&]() -> std::string_view {
        if (given) return {};
        given = true;
        return bytes;
    });
}

bool AtomicReplace(const std::u16string& requested, const std::function<std::string_view()>& nextPiece) {
    auto& fs = platform::GetFiles();
    // Through a symbolic link to its target: replacing the link itself would leave the target old.
    const std::u16string path = fs.FinalPath(requested);
    RemoveStaleTemporaries(path);
    const std::u16string temp = TemporaryNameFor(path);
    {
        ScopedHandle file(fs.Open(temp, platform::FileAccess::Write, platform::ShareNone,
                                  platform::FileDisposition::CreateNew));
        if (file.Get() == platform::InvalidFileHandle) return false;
        bool ok = fs.CopyPermissions(path, file.Get());
        for (std::string_view piece = ok ? nextPiece() : std::string_view(); ok && !piece.empty(); piece = nextPiece()) {
            for (size_t offset = 0; ok && offset < piece.size();) {
                const auto count = static_cast<std::uint32_t>(std::min<size_t>(Chunk, piece.size() - offset));
                std::uint32_t done = 0;
                ok = fs.Write(file.Get(), piece.data() + offset, count, done) && done == count;
                offset += count;
            }
        }
        ok = ok && fs.Flush(file.Get());
        file.Release();
        if (!ok) {
            fs.RemoveFile(temp);
            return false;
        }
    }
    if (!fs.MoveOver(temp, path)) {
        fs.RemoveFile(temp);
        return false;
    }
    // The rename is done; making it durable can fail without the save having failed to happen,
    // but a caller that is told "saved" must be able to rely on it after a power loss.
    return fs.FlushFolder(FolderOf(path));
}

}  // namespace util

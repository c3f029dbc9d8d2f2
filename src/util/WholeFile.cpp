#include "util/WholeFile.h"

#include <algorithm>

#include "platform/Files.h"

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

std::optional<std::string> ReadWholeFile(const std::u16string& path) {
    auto& fs = platform::GetFiles();
    ScopedHandle file(fs.Open(path, platform::FileAccess::Read, platform::ShareRead, platform::FileDisposition::OpenExisting));
    if (file.Get() == platform::InvalidFileHandle) return std::nullopt;
    std::uint32_t low = 0, high = 0;
    const size_t expected = fs.Size(file.Get(), low, high) && high == 0 ? low : 0;
    // Read straight into the string and on to the end rather than trusting the size: the file may
    // change while it is read.
    std::string bytes(expected + 1, '\0');
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() + Chunk);
        const auto want = static_cast<std::uint32_t>(std::min<size_t>(Chunk, bytes.size() - used));
        std::uint32_t done = 0;
        if (!fs.Read(file.Get(), bytes.data() + used, want, done)) return std::nullopt;
        if (done == 0) break;
        used += done;
    }
    bytes.resize(used);
    return bytes;
}

bool AtomicReplace(const std::u16string& path, std::string_view bytes) {
    auto& fs = platform::GetFiles();
    const std::u16string temp = path + u".new";
    {
        ScopedHandle file(fs.Open(temp, platform::FileAccess::Write, platform::ShareNone,
                                  platform::FileDisposition::CreateAlways));
        if (file.Get() == platform::InvalidFileHandle) return false;
        bool ok = true;
        for (size_t offset = 0; ok && offset < bytes.size();) {
            const auto count = static_cast<std::uint32_t>(std::min<size_t>(Chunk, bytes.size() - offset));
            std::uint32_t done = 0;
            ok = fs.Write(file.Get(), bytes.data() + offset, count, done) && done == count;
            offset += count;
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
    return true;
}

}  // namespace util

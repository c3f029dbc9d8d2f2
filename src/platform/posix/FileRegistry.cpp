#include "platform/posix/FileRegistry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/posix/RegFile.h"

namespace platform {

Registry& DefaultRegistry() {
    static posix::FileRegistry registry(posix::DefaultRegistryFolder());
    return registry;
}

namespace posix {

namespace {

std::u16string RootName(RootKey root) {
    return root == RootKey::LocalMachine ? u"HKEY_LOCAL_MACHINE" : u"HKEY_CURRENT_USER";
}

// The whole file, or an empty vector when there is none; any other failure is reported.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // No file there (a part of the path that is no folder included): an empty store.
        if (errno == ENOENT || errno == ENOTDIR) return bytes;
        throw RegistryStoreError("cannot read " + path + ": " + std::strerror(errno));
    }
    std::uint8_t buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw RegistryStoreError("cannot read " + path + ": " + std::strerror(error));
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return bytes;
}

bool MakeFolders(const std::string& folder) {
    std::string partial;
    for (std::size_t i = 0; i <= folder.size(); ++i) {
        if (i == folder.size() || (folder[i] == '/' && i > 0)) {
            partial = folder.substr(0, i);
            if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
        }
    }
    return true;
}

// Holds the store's lock file ("<root>.reg.lock") locked for one read-modify-write, so that two
// processes writing at once never lose each other's values. Readers need no lock: a file is only
// ever replaced whole.
class StoreLock {
public:
    // When the folder or the lock cannot be had, Held() is false: the write is refused, as any
    // write the store cannot make.
    StoreLock(const std::string& folder, const std::string& file) {
        if (!MakeFolders(folder)) return;
        FFd = ::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (FFd < 0) return;
        while (::flock(FFd, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            ::close(FFd);
            FFd = -1;
            return;
        }
    }
    ~StoreLock() {
        if (FFd >= 0) ::close(FFd);  // closing releases the lock
    }
    bool Held() const { return FFd >= 0; }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    int FFd = -1;
};

// Writes the bytes next to the file and renames them over it, so that a reader sees the old
// tree or the new one, never a part. Called under the store's lock, so one temporary name
// serves: a write killed half-way leaves it behind, and the next write replaces it.
bool ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    std::size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

class FileKey : public RegKey {
public:
    FileKey(FileRegistry& owner, RootKey root, std::u16string path, std::uint32_t access)
        : FOwner(owner), FRoot(root), FPath(std::move(path)), FAccess(access) {}

    bool ValueExists(const std::u16string& name) override { return Current(name) != nullptr; }

    std::optional<RegValueInfo> QueryInfo(const std::u16string& name) override {
        const RegFileValue* v = Current(name);
        if (!v) return std::nullopt;
        return RegValueInfo{v->Value.Type, v->Value.Data.size()};
    }

    std::optional<RegValue> Read(const std::u16string& name, std::size_t maxSize, bool& tooLarge) override {
        tooLarge = false;
        const RegFileValue* v = Current(name);
        if (!v) return std::nullopt;
        if (v->Value.Data.size() > maxSize) {
            tooLarge = true;
            return std::nullopt;
        }
        return v->Value;
    }

    bool Write(const std::u16string& name, const RegValue& value) override {
        if ((FAccess & KeySetValue) == 0) return false;
        // A name the file could not carry is refused before anything is written.
        if (!IsStorableValueName(name)) return false;
        const std::string file = FOwner.FileOf(FRoot);
        StoreLock lock(FOwner.Folder(), file);
        if (!lock.Held()) return false;
        RegFileTree tree = ParseRegFile(ReadFileBytes(file), RootName(FRoot));
        // The key may have gone since it was opened; a write brings it back, as an open handle
        // on a deleted key would not, but nothing is lost.
        tree.Create(FPath).Set(name, value);
        return ReplaceFile(file, FormatRegFile(tree, RootName(FRoot)));
    }

private:
    // The value as the file holds it now.
    const RegFileValue* Current(const std::u16string& name) {
        if ((FAccess & KeyQueryValue) == 0) return nullptr;
        FTree = ParseRegFile(ReadFileBytes(FOwner.FileOf(FRoot)), RootName(FRoot));
        RegFileKey* key = FTree.Find(FPath);
        return key ? key->Find(name) : nullptr;
    }

    FileRegistry& FOwner;
    RootKey FRoot;
    std::u16string FPath;
    std::uint32_t FAccess;
    RegFileTree FTree;
};

}  // namespace

FileRegistry::FileRegistry(std::string folder) : FFolder(std::move(folder)) {}

std::string FileRegistry::FileOf(RootKey root) const {
    return FFolder + "/" + (root == RootKey::LocalMachine ? "HKEY_LOCAL_MACHINE.reg" : "HKEY_CURRENT_USER.reg");
}

namespace {
// A path as the registry takes it: no trailing backslash; an empty part, a control character or
// a path beyond the registry's limits makes it unusable.
std::optional<std::u16string> UsablePath(std::u16string path) {
    while (!path.empty() && path.back() == u'\\') path.pop_back();
    if (!IsStorableKeyPath(path)) return std::nullopt;
    return path;
}
}  // namespace

std::unique_ptr<RegKey> FileRegistry::Open(RootKey root, const std::u16string& requested, std::uint32_t access,
                                           bool create) {
    const std::optional<std::u16string> usable = UsablePath(requested);
    if (!usable) return nullptr;
    const std::u16string& path = *usable;
    const std::string file = FileOf(root);
    if (!ParseRegFile(ReadFileBytes(file), RootName(root)).Find(path)) {
        if (!create) return nullptr;
        StoreLock lock(FFolder, file);
        if (!lock.Held()) return nullptr;
        RegFileTree tree = ParseRegFile(ReadFileBytes(file), RootName(root));
        if (!tree.Find(path)) {
            tree.Create(path);
            if (!ReplaceFile(file, FormatRegFile(tree, RootName(root)))) return nullptr;
        }
    }
    return std::make_unique<FileKey>(*this, root, path, access);
}

bool FileRegistry::KeyExists(RootKey root, const std::u16string& requested) {
    const std::optional<std::u16string> path = UsablePath(requested);
    if (!path) return false;
    RegFileTree tree = ParseRegFile(ReadFileBytes(FileOf(root)), RootName(root));
    return tree.Find(*path) != nullptr;
}

std::string DefaultRegistryFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/nimbrel";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/nimbrel";
}

}  // namespace posix
}  // namespace platform

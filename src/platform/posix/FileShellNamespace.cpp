#include "platform/posix/FileShellNamespace.h"

#include <dirent.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/CodePage.h"
#include "platform/ShellIcons.h"
#include "platform/Utf.h"
#include "platform/posix/PosixPath.h"

extern char** environ;

namespace platform::posix {
namespace {

constexpr std::size_t ListLimit = 0x10000;


unsigned CountAt(const std::uint8_t* p) { return static_cast<unsigned>(p[0] | (p[1] << 8)); }

// The names of a list's entries, or nullopt when an entry is not a name of ours.
std::optional<std::vector<std::u16string>> NamesOf(const std::uint8_t* list) {
    std::vector<std::u16string> names;
    if (!list) return names;
    std::size_t used = 0;
    for (const std::uint8_t* entry = list; CountAt(entry) != 0; entry += CountAt(entry)) {
        const unsigned count = CountAt(entry);
        used += count;
        if (count < 4 || count % 2 != 0 || used + 2 > ListLimit) return std::nullopt;
        std::u16string name((count - 2) / 2, u'\0');
        for (std::size_t i = 0; i < name.size(); ++i)
            name[i] = static_cast<char16_t>(entry[2 + 2 * i] | (entry[3 + 2 * i] << 8));
        if (name.find_first_of(u"/\\") != std::u16string::npos || name.find(u'\0') != std::u16string::npos ||
            name == u"." || name == u"..")
            return std::nullopt;
        names.push_back(std::move(name));
    }
    return names;
}

ShellIdList ListOf(const std::vector<std::u16string>& names) {
    std::size_t size = 2;
    for (const auto& name : names) size += 2 + 2 * name.size();
    if (size > ListLimit) return {};
    auto* list = static_cast<std::uint8_t*>(ShellAlloc(size));
    if (!list) return {};
    std::memset(list, 0, size);
    std::uint8_t* p = list;
    for (const auto& name : names) {
        const std::size_t count = 2 + 2 * name.size();
        p[0] = static_cast<std::uint8_t>(count & 0xFF);
        p[1] = static_cast<std::uint8_t>(count >> 8);
        for (std::size_t i = 0; i < name.size(); ++i) {
            p[2 + 2 * i] = static_cast<std::uint8_t>(name[i] & 0xFF);
            p[3 + 2 * i] = static_cast<std::uint8_t>(name[i] >> 8);
        }
        p += count;
    }
    return ShellIdList(list);
}

std::string Join(const std::string& directory, const std::u16string& name) {
    std::string path = directory;
    if (path.empty() || path.back() != '/') path += '/';
    return path + ToUtf8(name);
}

std::optional<std::string> PathBelow(const std::string& directory, const std::uint8_t* relative) {
    auto names = NamesOf(relative);
    if (!names) return std::nullopt;
    std::string path = directory;
    for (const auto& name : *names) path = Join(path, name);
    return path;
}

bool IsDirectory(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st{};
    return lstat(path.c_str(), &st) == 0;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

bool HasSubdirectory(const std::string& path) {
    DirPtr dir(opendir(path.c_str()));
    if (!dir) return false;
    while (dirent* entry = readdir(dir.get())) {
        if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, "..")) continue;
        if (entry->d_type == DT_DIR) return true;
        if ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) && IsDirectory(Join(path, FromUtf8(entry->d_name))))
            return true;
    }
    return false;
}

ShellAttributes AttributesOfPath(const std::string& path, bool root) {
    using enum ShellAttribute;
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0) return {};
    const bool link = S_ISLNK(st.st_mode);
    const bool directory = IsDirectory(path);
    ShellAttributes attributes{FileSystem, HasPropSheet};
    if (!root)
        for (ShellAttribute a : {CanCopy, CanMove, CanLink, CanRename, CanDelete}) attributes.Add(a);
    if (directory) {
        attributes.Add(Folder).Add(FileSysAncestor).Add(DropTarget);
        if (HasSubdirectory(path)) attributes.Add(HasSubfolder);
    }
    if (link) attributes.Add(Link);
    if (access(path.c_str(), W_OK) != 0) attributes.Add(ReadOnly);
    const auto slash = path.find_last_of('/');
    if (!root && slash != std::string::npos && slash + 1 < path.size() && path[slash + 1] == '.')
        attributes.Add(Hidden).Add(Ghosted);
    return attributes;
}

int CompareNoCase(const std::u16string& a, const std::u16string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t x = UpperCaseChar(a[i]), y = UpperCaseChar(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

ShellName WideName(std::u16string text) {
    ShellName name;
    name.HasText = true;
    name.Text = std::move(text);
    return name;
}

class FileEnumerator final : public ShellEnumerator, CountedShellObject {
public:
    FileEnumerator(DirPtr dir, std::string path, ShellItemKinds kinds)
        : FDir(std::move(dir)), FPath(std::move(path)), FKinds(kinds) {}
    ShellIdList Next() override {
        while (dirent* entry = readdir(FDir.get())) {
            if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, "..")) continue;
            const std::u16string name = FromUtf8(entry->d_name);
            if (entry->d_name[0] == '.' && !FKinds.Hidden) continue;
            if (name.find(u'\\') != std::u16string::npos || name.size() * 2 + 4 > 0xFFFF) continue;
            const bool directory = IsDirectory(Join(FPath, name));
            if (directory ? !FKinds.Folders : !FKinds.NonFolders) continue;
            return ListOf({name});
        }
        return {};
    }

private:
    DirPtr FDir;
    std::string FPath;
    ShellItemKinds FKinds;
};

class FilePopupMenu final : public ShellPopupMenu {
public:
    explicit FilePopupMenu(FileShellNamespace& ns) : FNamespace(ns) {}
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(this); }
    int Track(int, int, ShellWindow) override { return FNamespace.MenuChoice ? FNamespace.MenuChoice(Items) : 0; }
    std::vector<ShellMenuEntry> Items;

private:
    FileShellNamespace& FNamespace;
};

class FileContextMenu final : public ShellContextMenu, CountedShellObject {
public:
    FileContextMenu(FileShellNamespace& ns, std::string path) : FNamespace(ns), FPath(std::move(path)) {}

    bool Fill(ShellPopupMenu& menu, unsigned index, unsigned first, unsigned last, ContextMenuUse use) override {
        auto* popup = dynamic_cast<FilePopupMenu*>(&menu);
        if (!popup) return false;
        std::vector<ShellMenuEntry> entries;
        for (unsigned offset = 0; offset < Verbs.size(); ++offset) {
            if (Verbs[offset] == std::string("rename") && !use.CanRename) continue;
            if (first + offset > last) break;
            entries.emplace_back(static_cast<int>(first + offset), Captions[offset]);
        }
        const std::size_t at = std::min<std::size_t>(index, popup->Items.size());
        popup->Items.insert(popup->Items.begin() + static_cast<std::ptrdiff_t>(at), entries.begin(), entries.end());
        return true;
    }
    std::string Verb(unsigned offset) override { return offset < Verbs.size() ? Verbs[offset] : std::string(); }
    bool Invoke(unsigned offset, ShellWindow owner, ShowState show) override {
        return offset < Verbs.size() && InvokeVerb(Verbs[offset], owner, show, false);
    }
    bool InvokeVerb(const std::string& verb, ShellWindow, ShowState, bool) override {
        const std::u16string path = ShellPathText(FPath);
        if (verb == "open") return FNamespace.Open(path);
        if (verb == "delete") {
            FNamespace.Requests.push_back(u"delete " + path);
            std::error_code error;
            std::filesystem::remove_all(FPath, error);
            return !error;
        }
        if (verb == "properties") {
            FNamespace.Requests.push_back(u"properties " + path);
            return true;
        }
        return false;  // a rename needs the new name, which only a view can ask for
    }
    bool HasMenuHandler() const override { return false; }
    void HandleMenuMessage(unsigned, std::uintptr_t, std::intptr_t) override {}

private:
    static constexpr std::array<const char*, 4> Verbs{"open", "delete", "rename", "properties"};
    static constexpr std::array<const char16_t*, 4> Captions{u"Open", u"Delete", u"Rename", u"Properties"};
    FileShellNamespace& FNamespace;
    std::string FPath;
};

class FileFolder final : public ShellObject, CountedShellObject {
public:
    FileFolder(FileShellNamespace& ns, std::string path) : FNamespace(ns), FPath(std::move(path)) {}
    bool Root() const { return FPath == "/"; }

    bool Has(ShellFace face) const override { return face == ShellFace::Folder; }

    std::shared_ptr<ShellObject> BindToObject(const std::uint8_t* relative, ShellFace face) override {
        if (face != ShellFace::Folder) return {};
        auto path = PathBelow(FPath, relative);
        if (!path || !IsDirectory(*path)) return {};
        return std::make_shared<FileFolder>(FNamespace, *path);
    }
    std::shared_ptr<ShellObject> UiObjectOf(ShellWindow, const std::uint8_t*, ShellFace) override { return {}; }
    std::shared_ptr<ShellObject> CreateViewObject(ShellWindow, ShellFace) override { return {}; }

    std::unique_ptr<ShellEnumerator> EnumObjects(ShellWindow, ShellItemKinds kinds) override {
        FNamespace.CountEnumeration();
        if (FNamespace.OnEnumerate) FNamespace.OnEnumerate(FPath);
        DirPtr dir(opendir(FPath.c_str()));
        if (!dir) return {};
        return std::make_unique<FileEnumerator>(std::move(dir), FPath, kinds);
    }

    std::optional<std::int32_t> CompareIds(std::uint32_t, const std::uint8_t* a, const std::uint8_t* b) override {
        auto left = NamesOf(a), right = NamesOf(b);
        if (!left || !right) return std::nullopt;
        std::string path = FPath;
        const std::size_t n = std::min(left->size(), right->size());
        for (std::size_t i = 0; i < n; ++i) {
            const std::u16string& x = (*left)[i];
            const std::u16string& y = (*right)[i];
            if (x == y) {
                path = Join(path, x);
                continue;
            }
            const bool xDir = IsDirectory(Join(path, x)), yDir = IsDirectory(Join(path, y));
            int order = xDir != yDir ? (xDir ? -1 : 1) : CompareNoCase(x, y);
            if (order == 0) order = x < y ? -1 : 1;
            return static_cast<std::int32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(order)));
        }
        if (left->size() == right->size()) return 0;
        return left->size() < right->size() ? 0xFFFF : 1;
    }

    bool AttributesOf(const std::uint8_t* relative, ShellAttributes& attributes) override {
        auto path = PathBelow(FPath, relative);
        if (!path || !Exists(*path)) return false;
        const bool isRoot = *path == "/";
        attributes = AttributesOfPath(*path, isRoot);
        return true;
    }

    std::optional<ShellName> DisplayNameOf(const std::uint8_t* relative, ShellNameStyle style) override {
        auto names = NamesOf(relative);
        if (!names) return std::nullopt;
        auto path = PathBelow(FPath, relative);
        if (!Exists(*path)) return std::nullopt;
        if (style == ShellNameStyle::ForParsing) return WideName(ShellPathText(*path));
        if (!names->empty()) return WideName(names->back());
        if (Root()) return WideName(u"Desktop");
        const auto slash = FPath.find_last_of('/');
        return WideName(FromUtf8(FPath.substr(slash + 1)));
    }

    ShellIdList SetNameOf(ShellWindow, const std::uint8_t* relative, const std::u16string& name, ShellNameStyle) override {
        auto names = NamesOf(relative);
        if (!names || names->size() != 1) return {};
        if (name.empty() || name == u"." || name == u".." || name.find_first_of(u"/\\") != std::u16string::npos ||
            name.find(u'\0') != std::u16string::npos)
            return {};
        const std::string from = Join(FPath, names->front()), to = Join(FPath, name);
        if (!Exists(from) || (Exists(to) && from != to)) return {};
        if (std::rename(from.c_str(), to.c_str()) != 0) return {};
        return ListOf({name});
    }

    ShellIdList ParseDisplayName(ShellWindow, const std::u16string& name) override {
        if (name.empty()) return {};
        const bool absolute = name[0] == u'/' || name[0] == u'\\';
        if (absolute && !Root()) return {};
        std::vector<std::u16string> names;
        std::size_t start = 0;
        while (start <= name.size()) {
            std::size_t end = name.find_first_of(u"/\\", start);
            if (end == std::u16string::npos) end = name.size();
            std::u16string part = name.substr(start, end - start);
            if (part == u"." || part == u"..") return {};
            if (!part.empty()) names.push_back(std::move(part));
            start = end + 1;
        }
        std::string path = FPath;
        for (const auto& part : names) path = Join(path, part);
        if (!Exists(path)) return {};
        return ListOf(names);
    }

    std::unique_ptr<ShellContextMenu> ContextMenuOf(ShellWindow, const std::uint8_t* relative) override {
        auto path = PathBelow(FPath, relative);
        if (!path || !Exists(*path)) return {};
        return std::make_unique<FileContextMenu>(FNamespace, *path);
    }

    std::optional<ShellName> DetailsOf(const std::uint8_t*, unsigned) override { return std::nullopt; }

private:
    FileShellNamespace& FNamespace;
    std::string FPath;
};

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

}  // namespace

std::optional<std::string> NativePathOfList(const std::uint8_t* absolute) { return PathBelow("/", absolute); }

std::u16string ShellPathText(const std::string& native) {
    std::u16string text = FromUtf8(native);
    for (char16_t& c : text)
        if (c == u'/') c = u'\\';
    return text;
}

FileShellNamespace::FileShellNamespace() {
    const std::string home = EnvOr("HOME", "/root");
    const std::string data = EnvOr("XDG_DATA_HOME", home + "/.local/share");
    FSpecial = {
        {0, "/"},
        {2, data + "/applications"},
        {5, home},
        {11, data + "/applications"},
        {16, home + "/Desktop"},
        {17, "/"},
        {20, "/usr/share/fonts"},
        {21, home + "/Templates"},
        {22, "/usr/share/applications"},
        {23, "/usr/share/applications"},
        {26, EnvOr("XDG_CONFIG_HOME", home + "/.config")},
    };
}

void FileShellNamespace::SetSpecialFolder(int csidl, std::string directory) {
    if (directory.empty())
        FSpecial.erase(csidl);
    else
        FSpecial[csidl] = std::move(directory);
}

std::string FileShellNamespace::SpecialFolderPath(int csidl) const {
    auto it = FSpecial.find(csidl);
    return it == FSpecial.end() ? std::string() : it->second;
}

std::shared_ptr<ShellObject> FileShellNamespace::Desktop() { return std::make_shared<FileFolder>(*this, "/"); }

ShellIdList FileShellNamespace::SpecialFolder(ShellWindow, int csidl) {
    auto it = FSpecial.find(csidl);
    if (it == FSpecial.end() || !IsDirectory(it->second)) return {};
    std::vector<std::u16string> names;
    std::size_t start = 0;
    const std::string& path = it->second;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) names.push_back(FromUtf8(path.substr(start, end - start)));
        start = end + 1;
    }
    return ListOf(names);
}

std::optional<int> FileShellNamespace::SysIconIndex(const std::uint8_t* absolute, IconStyle style) {
    auto path = NativePathOfList(absolute);
    if (!path) return std::nullopt;
    return GetShellIcons().SysIconIndex(ShellPathText(*path), style);
}

bool FileShellNamespace::ExecuteDefault(ShellWindow, const std::uint8_t* absolute) {
    auto path = NativePathOfList(absolute);
    return path && Exists(*path) && Open(ShellPathText(*path));
}

bool FileShellNamespace::Open(const std::u16string& path) {
    Requests.push_back(u"open " + path);
    if (Opener) return Opener(path);
    const std::string native = NativePath(path);
    const char* argv[] = {"xdg-open", native.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return false;
    // Reaped in the background, so that no finished opener stays behind as a zombie.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

std::unique_ptr<ShellPopupMenu> FileShellNamespace::CreatePopupMenu() { return std::make_unique<FilePopupMenu>(*this); }

std::unique_ptr<ShellScope> FileShellNamespace::QuietCriticalErrors() {
    // Files raise no critical-error dialogs.
    return std::make_unique<ShellScope>();
}

std::u16string FileShellNamespace::CurrentDirectory() {
    std::error_code error;
    auto path = std::filesystem::current_path(error);
    return error ? std::u16string() : ShellPathText(path.string());
}

bool FileShellNamespace::ChangeCurrentDirectory(const std::u16string& directory) {
    return chdir(NativePath(directory).c_str()) == 0;
}

std::optional<ShortcutInfo> FileShellNamespace::ReadShortcut(const std::u16string& path) {
    const std::string native = NativePath(path);
    struct stat link{}, target{};
    if (lstat(native.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return std::nullopt;
    if (stat(native.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) return std::nullopt;
    std::string text(4096, '\0');
    const ssize_t n = readlink(native.c_str(), text.data(), text.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= text.size()) return std::nullopt;
    text.resize(static_cast<std::size_t>(n));
    return ShortcutInfo{ShellPathText(text), u"", 0};
}

std::unique_ptr<ShellScope> FileShellNamespace::EnterWorkerThread() {
    // Files need no per-thread set-up.
    return std::make_unique<ShellScope>();
}

ShellNamespace& DefaultShellNamespace() {
    static FileShellNamespace shell;
    return shell;
}

}  // namespace platform::posix

namespace platform {
ShellNamespace& DefaultShellNamespace() { return posix::DefaultShellNamespace(); }
}  // namespace platform

#include "platform/ShellOperations.h"

#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <thread>

#include "platform/posix/PosixPath.h"

extern char** environ;

// Without the platform's shell: a file is opened with "xdg-open", a move is a rename, a delete
// removes the path; there is no folder browser (it reports a cancel) and no session to end.
namespace platform {
namespace {
std::string FirstPath(const std::u16string& list) { return posix::NativePath(list.substr(0, list.find(u'\0'))); }

class PosixShellOperations final : public ShellOperations {
public:
    bool Execute(ShellWindow, const std::u16string& verb, const std::u16string& file, const std::u16string&,
                 const std::u16string&, ShowState) override {
        if (!verb.empty() && verb != u"open") return false;
        std::string path = posix::NativePath(file);
        if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
        const char* argv[] = {"xdg-open", path.c_str(), nullptr};
        pid_t child = 0;
        if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
            return false;
        std::thread([child] { waitpid(child, nullptr, 0); }).detach();
        return true;
    }

    bool FileOperation(ShellWindow, FileOperationKind operation, const std::u16string& from,
                       const std::u16string& to, FileOperationStyle) override {
        namespace fs = std::filesystem;
        const fs::path source = FirstPath(from);
        std::error_code error;
        if (operation == FileOperationKind::Delete) {
            if (!fs::exists(fs::symlink_status(source, error))) return false;
            fs::remove_all(source, error);
            return !error;
        }
        fs::path target = FirstPath(to);
        if (fs::is_directory(target, error)) target /= source.filename();
        if (fs::exists(fs::symlink_status(target, error))) return false;  // nothing is overwritten
        fs::rename(source, target, error);
        return !error;
    }

    std::optional<std::u16string> BrowseForFolder(const FolderBrowseRequest&) override { return std::nullopt; }
};

class PosixSession final : public Session {
public:
    bool ExitSystem(ExitKind) override { return false; }
};
}  // namespace

ShellOperations& DefaultShellOperations() {
    static PosixShellOperations operations;
    return operations;
}

Session& DefaultSession() {
    static PosixSession session;
    return session;
}

}  // namespace platform

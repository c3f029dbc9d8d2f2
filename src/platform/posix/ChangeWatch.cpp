#include "platform/ChangeWatch.h"

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/PosixPath.h"

// inotify stands in for the platform's change notification: it watches one directory, so a
// subtree is watched directory by directory (new ones added as they appear), and an eventfd
// wakes the wait.
namespace platform {
namespace {

// More directories than this in a watched tree are left unwatched rather than exhaust the
// system's watches.
constexpr std::size_t MaxWatchedDirectories = 8192;

class InotifyChangeWatch final : public ChangeWatch {
public:
    InotifyChangeWatch() : FWake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~InotifyChangeWatch() override {
        CloseWatch();
        if (FWake >= 0) ::close(FWake);
    }
    bool Valid() const { return FWake >= 0; }

    bool Watch(const std::u16string& directory, bool subtree, std::uint32_t kinds) override {
        CloseWatch();
        const std::string native = posix::NativePath(directory);
        struct stat st{};
        if (::stat(native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
        FNotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        if (FNotify < 0) return false;
        FKinds = kinds;
        FSubtree = subtree;
        if (!Add(native)) {
            CloseWatch();
            return false;
        }
        if (subtree) AddBelow(native);
        return true;
    }

    Event Wait() override {
        for (;;) {
            pollfd fds[2] = {{FWake, POLLIN, 0}, {FNotify, POLLIN, 0}};
            const nfds_t count = FNotify >= 0 ? 2 : 1;
            const int ready = ::poll(fds, count, -1);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return Event::Failed;
            // A change before the wake-up, as the platform reports the first of the two.
            if (count == 2 && (fds[1].revents & POLLIN) && TakeChanges()) return Event::Changed;
            if (fds[0].revents & POLLIN) {
                eventfd_t value;
                eventfd_read(FWake, &value);
                return Event::Woken;
            }
            if (count == 2 && (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL))) return Event::Failed;
        }
    }

    // inotify keeps queueing while the handler runs: nothing to do.
    bool Rearm() override { return FNotify >= 0; }
    void Wake() override { eventfd_write(FWake, 1); }

private:
    bool Add(const std::string& path) {
        if (FDirectories.size() >= MaxWatchedDirectories) return false;
        std::uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF;
        if (FKinds & (ChangeFileName | ChangeDirName)) mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
        if (FKinds & (ChangeAttributes | ChangeSecurity)) mask |= IN_ATTRIB;
        if (FKinds & (ChangeSize | ChangeLastWrite)) mask |= IN_MODIFY | IN_CLOSE_WRITE;
        // New subdirectories must be seen to be watched in their turn.
        if (FSubtree) mask |= IN_CREATE | IN_MOVED_TO;
        const int wd = inotify_add_watch(FNotify, path.c_str(), mask | IN_ONLYDIR);
        if (wd < 0) return false;
        FDirectories[wd] = path;
        return true;
    }

    void AddBelow(const std::string& path) {
        DIR* dir = ::opendir(path.c_str());
        if (!dir) return;
        std::vector<std::string> children;
        while (dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            const std::string child = path + "/" + name;
            struct stat st{};
            if (::lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) children.push_back(child);
        }
        ::closedir(dir);
        for (const std::string& child : children)
            if (Add(child)) AddBelow(child);
    }

    // Reads what is queued; true when any of it is a change of the kinds asked for.
    bool TakeChanges() {
        bool relevant = false;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = ::read(FNotify, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                relevant |= Relevant(*event);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return relevant;
    }

    bool Relevant(const inotify_event& event) {
        const bool directory = event.mask & IN_ISDIR;
        if (FSubtree && directory && (event.mask & (IN_CREATE | IN_MOVED_TO)) && event.len > 0) {
            const auto parent = FDirectories.find(event.wd);
            if (parent != FDirectories.end()) {
                const std::string child = parent->second + "/" + event.name;
                if (Add(child)) AddBelow(child);
            }
        }
        if (event.mask & IN_IGNORED) FDirectories.erase(event.wd);
        if (event.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))
            return FKinds & (directory ? ChangeDirName : ChangeFileName);
        if (event.mask & IN_ATTRIB) return FKinds & (ChangeAttributes | ChangeSecurity);
        if (event.mask & (IN_MODIFY | IN_CLOSE_WRITE)) return FKinds & (ChangeSize | ChangeLastWrite);
        return (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) != 0;
    }

    void CloseWatch() {
        if (FNotify >= 0) ::close(FNotify);
        FNotify = -1;
        FDirectories.clear();
    }

    int FWake;
    int FNotify = -1;
    std::uint32_t FKinds = 0;
    bool FSubtree = false;
    std::map<int, std::string> FDirectories;
};

}  // namespace

std::unique_ptr<ChangeWatch> CreateChangeWatch() {
    auto watch = std::make_unique<InotifyChangeWatch>();
    if (!watch->Valid()) return nullptr;
    return watch;
}

}  // namespace platform

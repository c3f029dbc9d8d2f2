#include "platform/System.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/Utf.h"

namespace platform {
namespace {
[[noreturn]] void ThrowErrno() {
    const int code = errno;
    throw OsError(static_cast<std::uint32_t>(code),
                  "System Error. Code: " + std::to_string(code) + ". " + std::strerror(code));
}

class PosixSystem final : public System {
public:
    // There is no Windows directory here; "NIMBREL_WINDIR" names a stand-in, "/" otherwise.
    std::u16string WindowsDirectory() override {
        const char* dir = std::getenv("NIMBREL_WINDIR");
        std::u16string result = FromUtf8(dir && *dir ? dir : "/");
        if (result.size() > 1 && (result.back() == u'/' || result.back() == u'\\')) result.pop_back();
        return result;
    }
    std::u16string ComputerName() override {
        char buffer[HOST_NAME_MAX + 1] = {};
        if (gethostname(buffer, sizeof buffer - 1) != 0) ThrowErrno();
        return FromUtf8(buffer);
    }
    std::u16string UserName() override {
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        const int rc = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (rc != 0 || !found) {
            errno = rc != 0 ? rc : ENOENT;
            ThrowErrno();
        }
        return FromUtf8(found->pw_name);
    }
    // POSIX executables carry no version resource.
    std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::u16string&) override { return std::nullopt; }
    std::u16string ExecutablePath() override {
        std::vector<char> buffer(PATH_MAX + 1);
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
        if (n < 0) ThrowErrno();
        return FromUtf8(std::string_view(buffer.data(), static_cast<size_t>(n)));
    }
    std::uint32_t ProcessId() override { return static_cast<std::uint32_t>(::getpid()); }
    bool ProcessRunning(std::uint32_t id) override {
        // Signal 0 only asks; a process of another user answers EPERM and still runs.
        return id != 0 && id <= 0x7FFFFFFFu && (::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
    }
    std::uint32_t TickCount() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000u + ts.tv_nsec / 1'000'000);
    }
    std::optional<std::u16string> EnvironmentVariable(const std::u16string& name) override {
        if (name.empty() || name.find(u'=') != std::u16string::npos) return std::nullopt;
        const char* value = std::getenv(ToUtf8(name).c_str());
        if (!value) return std::nullopt;
        return FromUtf8(value);
    }
    std::u16string UserProfileDirectory() override {
        const char* home = std::getenv("HOME");
        return FromUtf8(home && *home ? home : "/");
    }
};
}  // namespace

System& DefaultSystem() {
    static PosixSystem system;
    return system;
}

}  // namespace platform

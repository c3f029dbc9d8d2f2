#pragma once
// The system port: names of the machine and the user, the Windows directory, version resources and
// the tick counter.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/OsError.h"

namespace platform {

class System {
public:
    virtual ~System() = default;
    // These three throw OsError with the platform's last error when the call fails.
    virtual std::u16string WindowsDirectory() = 0;
    virtual std::u16string ComputerName() = 0;
    virtual std::u16string UserName() = 0;
    // The system folder (where the system's own programs live).
    virtual std::u16string SystemDirectory() { return WindowsDirectory() + u"\\system32"; }
    // The four 16-bit parts of a file's version (major, minor, release, build), or nullopt when the
    // file carries no version information.
    virtual std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::u16string& path) = 0;
    virtual std::u16string ExecutablePath() = 0;
    virtual std::uint32_t ProcessId() = 0;
    // Whether a process of that id runs now (an id may be reused by a later process).
    virtual bool ProcessRunning(std::uint32_t id) = 0;
    // Milliseconds since some start; wraps around at 2^32.
    virtual std::uint32_t TickCount() = 0;
    // A variable of the process's environment, or nullopt when it is not set.
    virtual std::optional<std::u16string> EnvironmentVariable(const std::u16string&) { return std::nullopt; }
    // The user's own folder (the profile), where a started command works by default.
    virtual std::u16string UserProfileDirectory() { return {}; }
};

System& GetSystem();
System* SetSystem(System* replacement);

}  // namespace platform

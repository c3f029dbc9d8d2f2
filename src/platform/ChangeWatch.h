#pragma once
// The directory change watch port: waits, on a worker thread, until a directory changes in one
// of the chosen ways or another thread wakes it. Watch, Wait and Rearm belong to the worker; any
// thread may Wake it (to stop it, or to have it watch with new options).
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Kinds of change (the platform's FILE_NOTIFY_CHANGE_ flag values).
constexpr std::uint32_t ChangeFileName = 0x001;
constexpr std::uint32_t ChangeDirName = 0x002;
constexpr std::uint32_t ChangeAttributes = 0x004;
constexpr std::uint32_t ChangeSize = 0x008;
constexpr std::uint32_t ChangeLastWrite = 0x010;
constexpr std::uint32_t ChangeSecurity = 0x100;

class ChangeWatch {
public:
    enum class Event { Changed, Woken, Failed };
    virtual ~ChangeWatch() = default;
    // Starts watching the directory (the one watched before is let go); false when it cannot be
    // watched (no such directory, a file).
    virtual bool Watch(const std::u16string& directory, bool subtree, std::uint32_t kinds) = 0;
    // Waits until the watched directory changed, Wake was called, or the wait failed. Without a
    // watch it waits for Wake alone.
    virtual Event Wait() = 0;
    // After a change: watch on for the next one. Changes meanwhile are not lost.
    virtual bool Rearm() = 0;
    // Ends the current or the next Wait (any thread).
    virtual void Wake() = 0;
};

// A watch of the platform, or nullptr when none can be made.
std::unique_ptr<ChangeWatch> CreateChangeWatch();

}  // namespace platform

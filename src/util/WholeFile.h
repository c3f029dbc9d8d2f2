#pragma once
// A whole file read into memory, and a whole file written so that it is replaced in one step.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace util {

// The file's bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::u16string& path);

// Where a file's bytes go while it is read: the sink lends room of its own for them.
class ReadSink {
public:
    virtual ~ReadSink() = default;
    // The file's size when it was opened; it may still change while it is read.
    virtual void Expect(std::uint64_t total) = 0;
    // Room for the next bytes, never empty.
    virtual std::span<char> Room() = 0;
    // How many bytes the last read put at the start of the room.
    virtual void Filled(std::size_t count) = 0;
};
// Reads the file to its end into the sink; false when it cannot be opened or read.
bool ReadFileThrough(const std::u16string& path, ReadSink& sink);
// Writes a temporary file beside the target, flushes it to disk, then moves it over the target:
// a crash or a full disk leaves the old file as it was. False when any step failed.
bool AtomicReplace(const std::u16string& path, std::string_view bytes);
// The same for bytes made a piece at a time: nextPiece is called until it gives an empty piece.
bool AtomicReplace(const std::u16string& path, const std::function<std::string_view()>& nextPiece);

}  // namespace util

#pragma once
// The commands the run box started, most recent first: at most 26, each once (letter case does not
// count), kept in the registry as values "a" to "z" and their order as the letters of "MRUList".
#include <cstddef>
#include <string>
#include <vector>

namespace runbox {

class RunHistory {
public:
    static constexpr std::size_t Capacity = 26;
    // Longer commands are not kept (nor read back): no command line is that long.
    static constexpr std::size_t LongestCommand = 32767;

    const std::vector<std::u16string>& Commands() const { return FCommands; }
    // A command the history can keep: not empty, not too long, on one line.
    static bool Keepable(const std::u16string& command);
    // Puts the command on top; an entry of the same text in another letter case goes, and the
    // oldest beyond the capacity.
    void Add(const std::u16string& command);

    // Reads the key below the current user's root as far as it is sound: letters of "MRUList"
    // that name no string value, repeat a letter or are no letter a-z are passed over, and so are
    // values of another type and commands the history would not keep. Never fails.
    void Load(const std::u16string& keyPath);
    // Writes the history; false when the key could not be written.
    bool Save(const std::u16string& keyPath) const;

private:
    std::vector<std::u16string> FCommands;
};

}  // namespace runbox

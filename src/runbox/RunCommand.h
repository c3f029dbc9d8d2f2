#pragma once
// What the run box makes of a typed command: environment variables expanded, and the text split
// into the file to start and its arguments as the platform's run box does.
#include <functional>
#include <optional>
#include <string>

namespace runbox {

struct RunCommand {
    std::u16string File;
    std::u16string Parameters;
    friend bool operator==(const RunCommand&, const RunCommand&) = default;
};

// A variable's value, or nullopt when it is not set.
using VariableLookup = std::function<std::optional<std::u16string>(const std::u16string& name)>;
// The file a path names, or nullopt: the path itself when it exists, or the path with ".exe" (a
// program may be typed without its extension).
using FileResolver = std::function<std::optional<std::u16string>(const std::u16string& path)>;

// Replaces each %NAME% by the variable's value; a name that is not set, "%%" and a lone "%" stay.
std::u16string ExpandVariables(const std::u16string& text, const VariableLookup& lookup);

// The file and its arguments. A quoted file ends at its closing quote. An unquoted text with
// blanks is tried from its longest beginning that names an existing file (so "C:\Program
// Files\Tool\tool.exe -x" needs no quotes); when none does, the file is the first word and the
// platform searches its path for it. Blanks around the text and between file and arguments go.
RunCommand SplitCommand(const std::u16string& text, const FileResolver& resolve);

// The platform's resolver: an existing file or folder, or the path with ".exe" when that exists.
std::optional<std::u16string> ExistingFile(const std::u16string& path);

}  // namespace runbox

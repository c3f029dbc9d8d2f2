#pragma once
// One root key's tree in the text format of the Windows registry editor ("Windows Registry Editor
// Version 5.00"): [key] headers, then "name"=data lines with quoted strings, dword:, hex: and
// hex(n): data, long hex lists continued with a backslash.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"

namespace platform::posix {

struct RegFileValue {
    std::u16string Name;  // as written; "" is the key's default value (@)
    RegValue Value;
};

// The registry's own limits: a key name of at most 255 characters, at most 512 levels below the
// root, a value name of at most 16,383 characters.
constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::size_t MaxKeyDepth = 512;
constexpr std::size_t MaxValueNameLength = 16383;

struct RegFileKey {
    std::u16string Name;  // its own part of the path, as first written; "" for the root key
    std::vector<RegFileValue> Values;
    // Sub keys by name folded to upper case, so that lookups ignore case as the registry does.
    std::map<std::u16string, std::unique_ptr<RegFileKey>> Children;

    // The value of that name, compared without regard to ASCII case, or nullptr.
    RegFileValue* Find(const std::u16string& name);
    // Adds the value or replaces the one of that name.
    void Set(const std::u16string& name, RegValue value);

private:
    // Folded name to position in Values; rebuilt when Values was changed directly.
    std::unordered_map<std::u16string, std::size_t> FIndex;
    void Reindex();
};

// A key tree held as a tree, so that reading and looking up a path cost time in proportion to
// the path's length, not to its square.
struct RegFileTree {
    RegFileKey Root;
    // The key at a path below the root ("" is the root), or nullptr.
    RegFileKey* Find(const std::u16string& path);
    // The key and every missing parent, created as needed. The path must be one that
    // IsStorableKeyPath accepts.
    RegFileKey& Create(const std::u16string& path);
    std::size_t KeyCount() const;
};

// Whether the text format carries these exactly and the registry would take them: no empty part,
// no control character (a line break would end the line), within the registry's limits.
bool IsStorableKeyPath(const std::u16string& path);
bool IsStorableValueName(const std::u16string& name);

std::u16string FoldRegistryName(const std::u16string& name);

// Reads a file's bytes (UTF-16LE with its byte-order mark as the editor writes it, or UTF-8) for
// the root of that name ("HKEY_CURRENT_USER"); a fault raises RegistryStoreError naming the line.
RegFileTree ParseRegFile(const std::vector<std::uint8_t>& bytes, const std::u16string& rootName);
// The tree as the editor writes it: UTF-16LE with byte-order mark, CR LF line ends.
std::vector<std::uint8_t> FormatRegFile(const RegFileTree& tree, const std::u16string& rootName);

}  // namespace platform::posix

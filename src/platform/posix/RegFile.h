#pragma once
// One root key's tree in the text format of the Windows registry editor ("Windows Registry Editor
// Version 5.00"): [key] headers, then "name"=data lines with quoted strings, dword:, hex: and
// hex(n): data, long hex lists continued with a backslash.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform::posix {

struct RegFileValue {
    std::u16string Name;  // as written; "" is the key's default value (@)
    RegValue Value;
};

struct RegFileKey {
    std::u16string Path;  // below the root, as first written; "" is the root key itself
    std::vector<RegFileValue> Values;
    // The value of that name, compared without regard to ASCII case, or nullptr.
    RegFileValue* Find(const std::u16string& name);
};

struct RegFileTree {
    // By path folded to upper case, so that lookups ignore case as the registry does.
    std::map<std::u16string, RegFileKey> Keys;
    RegFileKey* Find(const std::u16string& path);
    // The key and every missing parent, created as needed.
    RegFileKey& Create(const std::u16string& path);
};

std::u16string FoldRegistryName(const std::u16string& name);

// Reads a file's bytes (UTF-16LE with its byte-order mark as the editor writes it, or UTF-8) for
// the root of that name ("HKEY_CURRENT_USER"); a fault raises RegistryStoreError naming the line.
RegFileTree ParseRegFile(const std::vector<std::uint8_t>& bytes, const std::u16string& rootName);
// The tree as the editor writes it: UTF-16LE with byte-order mark, CR LF line ends.
std::vector<std::uint8_t> FormatRegFile(const RegFileTree& tree, const std::u16string& rootName);

}  // namespace platform::posix

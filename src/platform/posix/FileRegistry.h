#pragma once
// The registry kept in files: one file per root key ("HKEY_CURRENT_USER.reg",
// "HKEY_LOCAL_MACHINE.reg") in a folder, in the registry editor's text format. Every open reads
// the file anew; every write replaces it atomically (a temporary file, then a rename) while it
// holds an advisory lock on "<root>.reg.lock", so that writers in two processes lose nothing. A
// damaged file is reported and left as it is; names the format cannot carry are refused.
#include <string>

#include "platform/Registry.h"

namespace platform::posix {

class FileRegistry : public Registry {
public:
    explicit FileRegistry(std::string folder);
    std::unique_ptr<RegKey> Open(RootKey root, const std::u16string& path, std::uint32_t access,
                                 bool create) override;
    bool KeyExists(RootKey root, const std::u16string& path) override;
    const std::string& Folder() const { return FFolder; }
    std::string FileOf(RootKey root) const;

private:
    std::string FFolder;
};

// $XDG_CONFIG_HOME/nimbrel, or ~/.config/nimbrel.
std::string DefaultRegistryFolder();

}  // namespace platform::posix

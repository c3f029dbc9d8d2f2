#pragma once
// The registry accessor the managers use: one open key at a time below a root key, typed reads
// and writes with the registry layer's own errors for wrong types, oversized data and refused
// writes. The key is closed when the accessor goes, also when an error leaves through it.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Registry.h"
#include "ui/Exceptions.h"

namespace framework {

class ERegistryException : public ui::Exception {
public:
    using ui::Exception::Exception;
};

class TRegistry {
public:
    explicit TRegistry(std::uint32_t access);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    platform::RootKey RootKey() const { return FRootKey; }
    void SetRootKey(platform::RootKey root);

    // A leading backslash is a path from the root; the key opens with the accessor's rights.
    bool OpenKey(const std::u16string& path, bool canCreate);
    void CloseKey();
    bool KeyExists(const std::u16string& path);
    bool ValueExists(const std::u16string& name);

    // REG_DWORD of at most 4 bytes, signed.
    int ReadInteger(const std::u16string& name);
    bool ReadBool(const std::u16string& name) { return ReadInteger(name) != 0; }
    // REG_BINARY of exactly 8 bytes: an IEEE double, little-endian.
    double ReadFloat(const std::u16string& name);
    // REG_SZ or REG_EXPAND_SZ, not expanded, up to the first zero.
    std::u16string ReadString(const std::u16string& name);

    void WriteInteger(const std::u16string& name, int value);
    void WriteBool(const std::u16string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void WriteFloat(const std::u16string& name, double value);
    void WriteString(const std::u16string& name, const std::u16string& value);

private:
    platform::RegValue Fetch(const std::u16string& name, std::size_t maxSize);
    void Store(const std::u16string& name, const platform::RegValue& value);

    std::uint32_t FAccess;
    platform::RootKey FRootKey = platform::RootKey::CurrentUser;
    std::unique_ptr<platform::RegKey> FCurrentKey;
};

}  // namespace framework

#pragma once
// The registry port: keys below a root key, values of a type with raw data. What the values
// mean (numbers, texts) and the errors for wrong types belong to the layer above.
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Root keys, with the values of the Windows API's predefined handles.
enum class RootKey : std::uint32_t { CurrentUser = 0x80000001u, LocalMachine = 0x80000002u };

// Access rights, values of the Windows API; passed through to the platform.
constexpr std::uint32_t KeyQueryValue = 0x0001;
constexpr std::uint32_t KeySetValue = 0x0002;
constexpr std::uint32_t KeyCreateSubKey = 0x0004;
constexpr std::uint32_t KeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t KeyNotify = 0x0010;
constexpr std::uint32_t KeyRead = 0x20019;
constexpr std::uint32_t KeyWrite = 0x20006;

// Value types, values of the Windows API.
constexpr std::uint32_t RegNone = 0;
constexpr std::uint32_t RegSz = 1;
constexpr std::uint32_t RegExpandSz = 2;
constexpr std::uint32_t RegBinary = 3;
constexpr std::uint32_t RegDword = 4;

struct RegValue {
    std::uint32_t Type = RegNone;
    std::vector<std::uint8_t> Data;
    friend bool operator==(const RegValue&, const RegValue&) = default;
};

// String data as the registry keeps it: UTF-16LE with its terminating zero; read back up to the
// first zero (an odd last byte is no character).
RegValue StringValue(std::u16string_view text, std::uint32_t type = RegSz);
std::u16string StringOf(const RegValue& value);

struct RegValueInfo {
    std::uint32_t Type = RegNone;
    std::size_t Size = 0;
};

// A registry store that cannot be read as one (a damaged file of the file-backed store).
class RegistryStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open key; closed when the object goes.
class RegKey {
public:
    virtual ~RegKey() = default;
    virtual bool ValueExists(const std::u16string& name) = 0;
    // Type and size in bytes, or nullopt when there is no such value.
    virtual std::optional<RegValueInfo> QueryInfo(const std::u16string& name) = 0;
    // Type and data; at most maxSize bytes are fetched: a larger value gives nullopt and sets
    // tooLarge. A missing value gives nullopt with tooLarge false.
    virtual std::optional<RegValue> Read(const std::u16string& name, std::size_t maxSize, bool& tooLarge) = 0;
    // False when the key refuses the write (no write access, or the store failed).
    virtual bool Write(const std::u16string& name, const RegValue& value) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens path (no leading backslash; empty is the root itself) with the access rights, or
    // creates it (and its parents) when create is set; nullptr when that fails. A store that
    // cannot be read raises RegistryStoreError rather than passing for an empty one.
    virtual std::unique_ptr<RegKey> Open(RootKey root, const std::u16string& path, std::uint32_t access,
                                         bool create) = 0;
    virtual bool KeyExists(RootKey root, const std::u16string& path) = 0;
};

Registry& GetRegistry();
Registry* SetRegistry(Registry* replacement);

}  // namespace platform

#include "platform/Registry.h"

#include <windows.h>

#include <type_traits>

#include "platform/win32/WinText.h"

namespace platform {

namespace {

using win32::W;
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;

HKEY RootHandle(RootKey root) { return root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

class WinKey : public RegKey {
public:
    explicit WinKey(HKEY key) : FKey(key, &RegCloseKey) {}

    bool ValueExists(const std::u16string& name) override {
        return RegQueryValueExW(FKey.get(), W(name), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    std::optional<RegValueInfo> QueryInfo(const std::u16string& name) override {
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(FKey.get(), W(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
        return RegValueInfo{type, size};
    }

    std::optional<RegValue> Read(const std::u16string& name, std::size_t maxSize, bool& tooLarge) override {
        tooLarge = false;
        RegValue value;
        // One byte more than asked, so that an empty request still hands the platform a buffer
        // and a larger value is told by ERROR_MORE_DATA.
        value.Data.resize(maxSize + 1);
        DWORD type = 0, size = static_cast<DWORD>(maxSize);
        const LSTATUS r = RegQueryValueExW(FKey.get(), W(name), nullptr, &type, value.Data.data(), &size);
        if (r == ERROR_MORE_DATA) {
            tooLarge = true;
            return std::nullopt;
        }
        if (r != ERROR_SUCCESS) return std::nullopt;
        value.Type = type;
        value.Data.resize(size);
        return value;
    }

    bool Write(const std::u16string& name, const RegValue& value) override {
        return RegSetValueExW(FKey.get(), W(name), 0, value.Type, value.Data.data(),
                              static_cast<DWORD>(value.Data.size())) == ERROR_SUCCESS;
    }

private:
    UniqueKey FKey;
};

class WinRegistry : public Registry {
public:
    std::unique_ptr<RegKey> Open(RootKey root, const std::u16string& path, std::uint32_t access, bool create) override {
        HKEY key = nullptr;
        const LSTATUS r = create ? RegCreateKeyExW(RootHandle(root), W(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                   access, nullptr, &key, nullptr)
                                 : RegOpenKeyExW(RootHandle(root), W(path), 0, access, &key);
        if (r != ERROR_SUCCESS || !key) return nullptr;
        return std::make_unique<WinKey>(key);
    }

    bool KeyExists(RootKey root, const std::u16string& path) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(RootHandle(root), W(path), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
};

}  // namespace

Registry& DefaultRegistry() {
    static WinRegistry registry;
    return registry;
}

}  // namespace platform

#include "framework/Registry.h"

#include <cstring>

namespace framework {

using namespace platform;

namespace {

std::u16string RelativeToRoot(const std::u16string& path) {
    return !path.empty() && path[0] == u'\\' ? path.substr(1) : path;
}

[[noreturn]] void Raise(const char16_t* pattern, const std::u16string& name) {
    throw ERegistryException(ui::FormatText(pattern, {name}));
}

const char16_t* const InvalidType = u"Ungültiger Datentyp für '%s'";
const char16_t* const FetchFailed = u"Fehler beim Holen der Daten für '%s'";
const char16_t* const StoreFailed = u"Fehler beim Setzen der Daten für '%s'";

}  // namespace

TRegistry::TRegistry(std::uint32_t access) : FAccess(access) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(platform::RootKey root) {
    CloseKey();
    FRootKey = root;
}

bool TRegistry::OpenKey(const std::u16string& path, bool canCreate) {
    CloseKey();
    FCurrentKey = GetRegistry().Open(FRootKey, RelativeToRoot(path), FAccess, canCreate);
    return FCurrentKey != nullptr;
}

void TRegistry::CloseKey() { FCurrentKey.reset(); }

bool TRegistry::KeyExists(const std::u16string& path) { return GetRegistry().KeyExists(FRootKey, RelativeToRoot(path)); }

bool TRegistry::ValueExists(const std::u16string& name) { return FCurrentKey && FCurrentKey->ValueExists(name); }

RegValue TRegistry::Fetch(const std::u16string& name, std::size_t maxSize) {
    bool tooLarge = false;
    std::optional<RegValue> value = FCurrentKey ? FCurrentKey->Read(name, maxSize, tooLarge) : std::nullopt;
    if (!value) Raise(FetchFailed, name);
    return std::move(*value);
}

void TRegistry::Store(const std::u16string& name, const RegValue& value) {
    if (!FCurrentKey || !FCurrentKey->Write(name, value)) Raise(StoreFailed, name);
}

int TRegistry::ReadInteger(const std::u16string& name) {
    const RegValue v = Fetch(name, 4);
    if (v.Type != RegDword) Raise(InvalidType, name);
    // A shorter number is taken as the low bytes of the value.
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < v.Data.size(); ++i) n |= static_cast<std::uint32_t>(v.Data[i]) << (8 * i);
    return static_cast<int>(n);
}

double TRegistry::ReadFloat(const std::u16string& name) {
    const RegValue v = Fetch(name, 8);
    if (v.Type != RegBinary || v.Data.size() != 8) Raise(InvalidType, name);
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(v.Data[i]) << (8 * i);
    double result = 0;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

std::u16string TRegistry::ReadString(const std::u16string& name) {
    const std::optional<RegValueInfo> info = FCurrentKey ? FCurrentKey->QueryInfo(name) : std::nullopt;
    if (!info) Raise(FetchFailed, name);
    const RegValue v = Fetch(name, info->Size);
    if (v.Type != RegSz && v.Type != RegExpandSz) Raise(InvalidType, name);
    return StringOf(v);
}

void TRegistry::WriteInteger(const std::u16string& name, int value) {
    RegValue v{RegDword, {}};
    const auto n = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) v.Data.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    Store(name, v);
}

void TRegistry::WriteFloat(const std::u16string& name, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    RegValue v{RegBinary, {}};
    for (int i = 0; i < 8; ++i) v.Data.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    Store(name, v);
}

void TRegistry::WriteString(const std::u16string& name, const std::u16string& value) {
    Store(name, StringValue(value));
}

}  // namespace framework

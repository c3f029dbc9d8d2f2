// The form manager's registry side: window placement, options and the stored language.
#include <algorithm>

#include "framework/FormManager.h"
#include "framework/Registry.h"

namespace framework {

using namespace ui;
using platform::KeyRead;
using platform::KeyWrite;
using platform::RootKey;

namespace {

// The ten placement values in the order they are read and written, with their defaults.
struct PlacementValue {
    const char16_t* Name;
    int Default;
};
constexpr PlacementValue PlacementValues[10] = {
    {u"WinFlags", 2},       {u"WinShowCmd", 5},    {u"WinMinPosX", -1},     {u"WinMinPosY", -1},
    {u"WinMaxPosX", -1},    {u"WinMaxPosY", -1},   {u"WinNormPosLeft", 5},  {u"WinNormPosTop", 5},
    {u"WinNormPosRight", 645}, {u"WinNormPosBottom", 485},
};

TWindowPlacement FromNumbers(const int (&n)[10]) {
    TWindowPlacement p;
    p.Flags = n[0];
    p.ShowCmd = n[1];
    p.MinPosition = {n[2], n[3]};
    p.MaxPosition = {n[4], n[5]};
    p.NormalPosition = TRect{n[6], n[7], n[8], n[9]};
    return p;
}

void ToNumbers(const TWindowPlacement& p, int (&n)[10]) {
    const int values[10] = {p.Flags,
                            p.ShowCmd,
                            p.MinPosition.X,
                            p.MinPosition.Y,
                            p.MaxPosition.X,
                            p.MaxPosition.Y,
                            p.NormalPosition.Left,
                            p.NormalPosition.Top,
                            p.NormalPosition.Right,
                            p.NormalPosition.Bottom};
    std::copy(std::begin(values), std::end(values), std::begin(n));
}

struct LanguageNumber {
    TLanguage Language;
    int Number;
};
constexpr LanguageNumber LanguageNumbers[8] = {{lgEnglish, 9},  {lgGerman, 7},   {lgFrench, 12},  {lgItalian, 16},
                                               {lgSpanish, 10}, {lgRussian, 25}, {lgJapanese, 17}, {lgChinese, 4}};

int NumberOfLanguage(TLanguage language) {
    for (const auto& entry : LanguageNumbers)
        if (entry.Language == language) return entry.Number;
    return 9;
}

TLanguage LanguageOfNumber(int number) {
    for (const auto& entry : LanguageNumbers)
        if (entry.Number == number) return entry.Language;
    return lgEnglish;
}

std::u16string OptionsPath() { return ProcessRegistryKey() + u"\\Options"; }

// Reads one option with the given reader, or gives the default when the key or value is missing.
template <class T, class Reader>
T ReadOptionValue(RootKey root, const std::u16string& name, T fallback, Reader read) {
    TRegistry registry(KeyRead);
    registry.SetRootKey(root);
    if (!registry.OpenKey(OptionsPath(), false)) return fallback;
    if (!registry.ValueExists(name)) return fallback;
    return read(registry);
}

template <class Writer>
void WriteOptionValue(RootKey root, Writer write) {
    TRegistry registry(KeyWrite);
    registry.SetRootKey(root);
    if (!registry.OpenKey(OptionsPath(), true)) return;
    write(registry);
}

}  // namespace

// ---- placement ------------------------------------------------------------------------------

void TFormManager::ReadPlacementFrom(const std::u16string& path, const std::u16string& guardKey, TForm& Form) {
    if (ProcessRegistryKey().empty()) return;
    FPlacementRead[guardKey] = ProcessRegistryKey();
    TRegistry registry(KeyRead);
    if (!registry.KeyExists(path) || !registry.OpenKey(path, false)) return;
    int numbers[10];
    for (int i = 0; i < 10; ++i) {
        const PlacementValue& v = PlacementValues[i];
        numbers[i] = registry.ValueExists(v.Name) ? registry.ReadInteger(v.Name) : v.Default;
    }
    TWindowPlacement placement = FromNumbers(numbers);
    // An empty or inverted rectangle is not a placement; the form keeps its designed bounds.
    if (placement.NormalPosition.Left >= placement.NormalPosition.Right) return;
    // Window coordinates live in 16 bits; stored values beyond are held at its ends (the stored
    // values themselves stay as they are).
    TRect& r = placement.NormalPosition;
    for (int* edge : {&r.Left, &r.Top, &r.Right, &r.Bottom}) *edge = std::clamp(*edge, -32768, 32767);
    Form.SetPlacement(placement);
}

void TFormManager::WritePlacementTo(const std::u16string& path, const std::u16string& guardKey, TForm& Form) {
    if (ProcessRegistryKey().empty()) return;
    // While the program starts, the window reports moves and sizes before its stored placement
    // was read; writing then would put the designed bounds over what the user left. Only those
    // reports wait for the read: a save the program asks for on its own always writes.
    const auto read = FPlacementRead.find(guardKey);
    const bool placementRead = read != FPlacementRead.end() && read->second == ProcessRegistryKey();
    if (!placementRead && Form.ReportingBounds()) return;
    TRegistry registry(KeyRead | KeyWrite);
    if (!registry.OpenKey(path, true)) return;
    int numbers[10];
    ToNumbers(Form.GetPlacement(), numbers);
    for (int i = 0; i < 10; ++i) registry.WriteInteger(PlacementValues[i].Name, numbers[i]);
}

void TFormManager::ReadPlacement(TForm& Form) { ReadPlacementFrom(ProcessRegistryKey(), u"", Form); }
void TFormManager::WritePlacement(TForm& Form) { WritePlacementTo(ProcessRegistryKey(), u"", Form); }

void TFormManager::ReadPlacementEx(const std::u16string& Key, TForm& Form) {
    ReadPlacementFrom(ProcessRegistryKey() + u"\\" + Key, u"\\" + Key, Form);
}

void TFormManager::WritePlacementEx(const std::u16string& Key, TForm& Form) {
    WritePlacementTo(ProcessRegistryKey() + u"\\" + Key, u"\\" + Key, Form);
}

// ---- options --------------------------------------------------------------------------------

bool TFormManager::ReadOptionEx(RootKey Key, const std::u16string& Valuename, bool Default) {
    return ReadOptionValue(Key, Valuename, Default, [&](TRegistry& r) { return r.ReadBool(Valuename); });
}

int TFormManager::ReadOptionEx(RootKey Key, const std::u16string& Valuename, int Default) {
    return ReadOptionValue(Key, Valuename, Default, [&](TRegistry& r) { return r.ReadInteger(Valuename); });
}

Extended TFormManager::ReadOptionEx(RootKey Key, const std::u16string& Valuename, Extended Default) {
    return ReadOptionValue(Key, Valuename, Default,
                           [&](TRegistry& r) { return static_cast<Extended>(r.ReadFloat(Valuename)); });
}

std::u16string TFormManager::ReadOptionEx(RootKey Key, const std::u16string& Valuename, const std::u16string& Default) {
    return ReadOptionValue(Key, Valuename, Default, [&](TRegistry& r) { return r.ReadString(Valuename); });
}

void TFormManager::WriteOptionEx(RootKey Key, const std::u16string& Valuename, bool Value) {
    WriteOptionValue(Key, [&](TRegistry& r) { r.WriteBool(Valuename, Value); });
}

void TFormManager::WriteOptionEx(RootKey Key, const std::u16string& Valuename, int Value) {
    WriteOptionValue(Key, [&](TRegistry& r) { r.WriteInteger(Valuename, Value); });
}

void TFormManager::WriteOptionEx(RootKey Key, const std::u16string& Valuename, Extended Value) {
    WriteOptionValue(Key, [&](TRegistry& r) { r.WriteFloat(Valuename, static_cast<double>(Value)); });
}

void TFormManager::WriteOptionEx(RootKey Key, const std::u16string& Valuename, const std::u16string& Value) {
    WriteOptionValue(Key, [&](TRegistry& r) { r.WriteString(Valuename, Value); });
}

bool TFormManager::ReadOption(const std::u16string& Valuename, bool Default) {
    return ReadOptionEx(RootKey::CurrentUser, Valuename, Default);
}
int TFormManager::ReadOption(const std::u16string& Valuename, int Default) {
    return ReadOptionEx(RootKey::CurrentUser, Valuename, Default);
}
Extended TFormManager::ReadOption(const std::u16string& Valuename, Extended Default) {
    return ReadOptionEx(RootKey::CurrentUser, Valuename, Default);
}
std::u16string TFormManager::ReadOption(const std::u16string& Valuename, const std::u16string& Default) {
    return ReadOptionEx(RootKey::CurrentUser, Valuename, Default);
}
void TFormManager::WriteOption(const std::u16string& Valuename, bool Value) {
    WriteOptionEx(RootKey::CurrentUser, Valuename, Value);
}
void TFormManager::WriteOption(const std::u16string& Valuename, int Value) {
    WriteOptionEx(RootKey::CurrentUser, Valuename, Value);
}
void TFormManager::WriteOption(const std::u16string& Valuename, Extended Value) {
    WriteOptionEx(RootKey::CurrentUser, Valuename, Value);
}
void TFormManager::WriteOption(const std::u16string& Valuename, const std::u16string& Value) {
    WriteOptionEx(RootKey::CurrentUser, Valuename, Value);
}

// ---- language -------------------------------------------------------------------------------

TLanguage TFormManager::ReadLanguage() {
    if (ProcessRegistryKey().empty()) return lgEnglish;
    for (RootKey root : {RootKey::CurrentUser, RootKey::LocalMachine}) {
        TRegistry registry(KeyRead);
        registry.SetRootKey(root);
        if (registry.KeyExists(ProcessRegistryKey()) && registry.OpenKey(ProcessRegistryKey(), false) &&
            registry.ValueExists(u"Language"))
            return LanguageOfNumber(registry.ReadInteger(u"Language"));
    }
    return lgEnglish;
}

void TFormManager::WriteLanguage(TLanguage ALanguage) {
    if (ProcessRegistryKey().empty()) return;
    TRegistry registry(KeyRead | KeyWrite);
    if (!registry.OpenKey(ProcessRegistryKey(), true)) return;
    registry.WriteInteger(u"Language", NumberOfLanguage(ALanguage));
}

}  // namespace framework

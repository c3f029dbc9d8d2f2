// The form manager's chain and registry side on the file-backed registry and headless forms.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/FormManager.h"
#include "framework/Registry.h"
#include "support/RegistryErrors.h"
#include "support/ScopedRegistry.h"
#include "support/TextOut.h"
#include "ui/headless/HeadlessBackend.h"

using namespace framework;
using namespace ui;
using platform::RegValue;
using platform::RootKey;

namespace {

const std::u16string Branch = u"Software\\Corvath\\Nimbrel\\1.0";

struct BranchGuard {
    explicit BranchGuard(const std::u16string& key) { SetProcessRegistryKey(key); }
    ~BranchGuard() { SetProcessRegistryKey(u""); }
};

RegValue Dword(std::uint32_t n) {
    return {platform::RegDword,
            {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
             static_cast<std::uint8_t>(n >> 24)}};
}

// The raw value as the store holds it.
std::optional<RegValue> Stored(RootKey root, const std::u16string& path, const std::u16string& name) {
    auto key = platform::GetRegistry().Open(root, path, platform::KeyRead, false);
    bool tooLarge = false;
    return key ? key->Read(name, 64, tooLarge) : std::nullopt;
}


}  // namespace

TEST(FormManager, ChainAndBroadcast) {
    std::vector<std::pair<TObject*, int>> calls;
    auto a = std::make_unique<TFormManager>(nullptr);
    auto b = std::make_unique<TFormManager>(nullptr);
    auto c = std::make_unique<TFormManager>(nullptr);
    EXPECT_EQ(FirstFormManager(), a.get());
    EXPECT_EQ(a->Next, b.get());
    EXPECT_EQ(b->Next, c.get());
    for (TFormManager* m : {a.get(), b.get(), c.get()})
        m->OnChange = [&calls](TObject* s, int id) { calls.emplace_back(s, id); };
    b.reset();  // from the middle
    EXPECT_EQ(a->Next, c.get());
    a->SetRegistryKey(u"Software\\X");
    a->SetRegistryKey(u"Software\\X");  // the same: no broadcast
    c->SetRegistryKey(u"software\\x");  // compared exactly: a change
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0], (std::pair<TObject*, int>{a.get(), ciRegistryKey}));
    EXPECT_EQ(calls[1], (std::pair<TObject*, int>{c.get(), ciRegistryKey}));
    EXPECT_EQ(ProcessRegistryKey(), u"software\\x");
    // Language and user broadcast even when nothing changes.
    calls.clear();
    a->SetLanguage(a->Language());
    c->SetUser(c->User());
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].second, ciLanguage);
    EXPECT_EQ(calls[3].second, ciUser);
    // A handler that destroys a later manager: that one is no longer called.
    calls.clear();
    auto d = std::make_unique<TFormManager>(nullptr);
    d->OnChange = [&calls](TObject* s, int id) { calls.emplace_back(s, id); };
    a->OnChange = [&](TObject* s, int id) {
        calls.emplace_back(s, id);
        d.reset();
    };
    a->SetRegistryKey(u"");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].first, c.get());
    c.reset();
    a.reset();
    EXPECT_EQ(FirstFormManager(), nullptr);
}

TEST(FormManager, OptionsOfAllFourTypesUnderBothRoots) {
    ScopedRegistry store;
    BranchGuard branch(Branch);
    TFormManager m(nullptr);
    EXPECT_EQ(m.ReadOption(u"ShellStartMenuFolderIndex", 1), 1);  // no key yet: the default
    EXPECT_EQ(m.ReadOption(u"LinkDirectory", u"C:\\"), u"C:\\");
    m.WriteOption(u"ShellStartMenuFolderIndex", -7);
    m.WriteOption(u"AddMenuSelection", true);
    m.WriteOption(u"Scale", 0.1L);
    m.WriteOption(u"LinkDirectory", u"D:\\Verknüpfungen");
    EXPECT_EQ(m.ReadOption(u"ShellStartMenuFolderIndex", 1), -7);
    EXPECT_TRUE(m.ReadOption(u"AddMenuSelection", false));
    EXPECT_EQ(m.ReadOption(u"Scale", 2.0L), static_cast<Extended>(static_cast<double>(0.1L)));
    EXPECT_EQ(m.ReadOption(u"LinkDirectory", u""), u"D:\\Verknüpfungen");
    EXPECT_EQ(m.ReadOption(u"Missing", 3), 3);
    EXPECT_EQ(Stored(RootKey::CurrentUser, Branch + u"\\Options", u"AddMenuSelection"), Dword(1));
    m.WriteOption(u"AddMenuSelection", false);
    EXPECT_EQ(Stored(RootKey::CurrentUser, Branch + u"\\Options", u"AddMenuSelection"), Dword(0));
    store.Put(RootKey::CurrentUser, Branch + u"\\Options", u"Seven", Dword(7));
    EXPECT_TRUE(m.ReadOption(u"Seven", false));
    // A string of size zero is the empty string.
    store.Put(RootKey::CurrentUser, Branch + u"\\Options", u"Nothing", {platform::RegSz, {}});
    EXPECT_EQ(m.ReadOption(u"Nothing", u"x"), u"");

    // The same under the machine's root, kept apart from the user's.
    m.WriteOptionEx(RootKey::LocalMachine, u"ShellStartMenuFolderIndex", 1);
    m.WriteOptionEx(RootKey::LocalMachine, u"Flag", true);
    m.WriteOptionEx(RootKey::LocalMachine, u"Ratio", 2.5);
    m.WriteOptionEx(RootKey::LocalMachine, u"Name", u"Corvath");
    EXPECT_EQ(m.ReadOptionEx(RootKey::LocalMachine, u"ShellStartMenuFolderIndex", 0), 1);
    EXPECT_TRUE(m.ReadOptionEx(RootKey::LocalMachine, u"Flag", false));
    EXPECT_EQ(m.ReadOptionEx(RootKey::LocalMachine, u"Ratio", 0.0), 2.5L);
    EXPECT_EQ(m.ReadOptionEx(RootKey::LocalMachine, u"Name", u""), u"Corvath");
    EXPECT_EQ(m.ReadOption(u"ShellStartMenuFolderIndex", 1), -7);
    EXPECT_FALSE(m.ReadOption(u"Flag", false));
}

TEST(FormManager, EmptyBranchUsesTheRootsOptionsKey) {
    ScopedRegistry store;
    BranchGuard branch(u"");
    TFormManager m(nullptr);
    m.WriteOption(u"Count", 4);
    EXPECT_TRUE(platform::GetRegistry().KeyExists(RootKey::CurrentUser, u"Options"));
    EXPECT_EQ(Stored(RootKey::CurrentUser, u"Options", u"Count"), Dword(4));
    EXPECT_EQ(m.ReadOption(u"Count", 0), 4);
    // Placement and language do nothing without a branch.
    m.WriteLanguage(lgFrench);
    EXPECT_EQ(m.ReadLanguage(), lgEnglish);
    TForm form(nullptr);
    m.ReadPlacement(form);
    m.WritePlacement(form);
    EXPECT_FALSE(Stored(RootKey::CurrentUser, u"", u"WinFlags"));
}

TEST(FormManager, RegistryErrorsForWrongTypesSizesAndRefusedWrites) {
    ScopedRegistry store;
    BranchGuard branch(Branch);
    TFormManager m(nullptr);
    const std::u16string options = Branch + u"\\Options";
    store.Put(RootKey::CurrentUser, options, u"Bin4", {platform::RegBinary, {1, 0, 0, 0}});
    store.Put(RootKey::CurrentUser, options, u"Dword", Dword(3));
    store.Put(RootKey::CurrentUser, options, u"Big", {platform::RegDword, {1, 0, 0, 0, 0, 0, 0, 0}});
    store.Put(RootKey::CurrentUser, options, u"Bin5", {platform::RegBinary, {1, 2, 3, 4, 5}});
    store.Put(RootKey::CurrentUser, options, u"Bin9", {platform::RegBinary, {1, 2, 3, 4, 5, 6, 7, 8, 9}});
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Bin4", 0); }), u"Ungültiger Datentyp für 'Bin4'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Bin4", false); }), u"Ungültiger Datentyp für 'Bin4'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Dword", u""); }), u"Ungültiger Datentyp für 'Dword'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Dword", 0.0); }), u"Ungültiger Datentyp für 'Dword'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Big", 0); }), u"Fehler beim Holen der Daten für 'Big'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Bin5", 0.0); }), u"Ungültiger Datentyp für 'Bin5'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Bin9", 0.0); }), u"Fehler beim Holen der Daten für 'Bin9'");

    // A placement value of the wrong type fails the read the same way.
    TForm form(nullptr);
    store.Put(RootKey::CurrentUser, Branch, u"WinShowCmd", {platform::RegSz, {0x31, 0, 0, 0}});
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadPlacement(form); }), u"Ungültiger Datentyp für 'WinShowCmd'");

    // A key that refuses the write.
    TRegistry readOnly(platform::KeyRead);
    ASSERT_TRUE(readOnly.OpenKey(options, false));
    EXPECT_EQ(RegistryErrorOf([&] { readOnly.WriteInteger(u"X", 1); }), u"Fehler beim Setzen der Daten für 'X'");
    EXPECT_EQ(RegistryErrorOf([&] { readOnly.WriteString(u"Y", u"y"); }), u"Fehler beim Setzen der Daten für 'Y'");
}

TEST(FormManager, StoredLanguageFromTheUserThenTheMachine) {
    ScopedRegistry store;
    BranchGuard branch(Branch);
    TFormManager m(nullptr);
    EXPECT_EQ(m.ReadLanguage(), lgEnglish);
    store.Put(RootKey::LocalMachine, Branch, u"Language", Dword(12));
    EXPECT_EQ(m.ReadLanguage(), lgFrench);
    store.Put(RootKey::CurrentUser, Branch, u"Language", Dword(7));
    EXPECT_EQ(m.ReadLanguage(), lgGerman);
    store.Put(RootKey::CurrentUser, Branch, u"Language", Dword(1031));
    EXPECT_EQ(m.ReadLanguage(), lgEnglish);
    m.WriteLanguage(lgRussian);
    EXPECT_EQ(Stored(RootKey::CurrentUser, Branch, u"Language"), Dword(25));
    EXPECT_EQ(Stored(RootKey::LocalMachine, Branch, u"Language"), Dword(12));  // never written
    EXPECT_EQ(m.ReadLanguage(), lgRussian);
    EXPECT_EQ(m.Language(), lgGerman);  // reading applies nothing
}

TEST(FormManager, PlacementDefaultsInvertedRectanglesAndTheStartRace) {
    ScopedRegistry store;
    BranchGuard branch(Branch);
    TForm form(nullptr);
    form.SetBorderStyle(bsSizeToolWin);
    form.SetBounds(100, 100, 514, 497);
    TFormManager m(&form);
    // A move report before the first read writes nothing over what the user left.
    store.Put(RootKey::CurrentUser, Branch, u"WinNormPosLeft", Dword(20));
    form.OnResize = [&](TObject*) { m.WritePlacement(form); };
    headless::PeerOf(form).UserSetBounds(TRect(100, 100, 620, 600));
    EXPECT_FALSE(Stored(RootKey::CurrentUser, Branch, u"WinFlags"));
    form.OnResize = nullptr;

    // Only one value stored besides: the others take their defaults, 640 x 480 at (5, 5) but left 20.
    store.Put(RootKey::CurrentUser, Branch, u"WinShowCmd", Dword(1));
    m.ReadPlacement(form);
    EXPECT_EQ(form.BoundsRect(), TRect(20, 5, 645, 485));
    EXPECT_TRUE(form.Visible());

    // From now on every move writes the ten values.
    headless::PeerOf(form).UserSetBounds(TRect(30, 40, 630, 540));
    m.WritePlacement(form);
    const std::pair<const char16_t*, int> expected[] = {
        {u"WinFlags", 2},     {u"WinShowCmd", 1},      {u"WinMinPosX", -1},     {u"WinMinPosY", -1},
        {u"WinMaxPosX", -1},  {u"WinMaxPosY", -1},     {u"WinNormPosLeft", 30}, {u"WinNormPosTop", 40},
        {u"WinNormPosRight", 630}, {u"WinNormPosBottom", 540}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(Stored(RootKey::CurrentUser, Branch, name), Dword(static_cast<std::uint32_t>(value))) << U8(name);

    // A stored rectangle whose right edge is not right of its left one is not applied.
    store.Put(RootKey::CurrentUser, Branch, u"WinNormPosRight", Dword(30));
    form.SetBounds(1, 2, 300, 200);
    m.ReadPlacement(form);
    EXPECT_EQ(form.BoundsRect(), Bounds(1, 2, 300, 200));

    // A named placement lives in its own subkey; a save the program asks for on its own writes
    // even before any read.
    TForm dialog(nullptr);
    dialog.SetBounds(10, 10, 200, 100);
    m.WritePlacementEx(u"Second", dialog);
    EXPECT_EQ(Stored(RootKey::CurrentUser, Branch + u"\\Second", u"WinNormPosRight"), Dword(210));
    dialog.OnResize = [&](TObject*) { m.WritePlacementEx(u"Dialog", dialog); };
    headless::PeerOf(dialog).UserSetBounds(Bounds(10, 10, 250, 100));
    EXPECT_FALSE(platform::GetRegistry().KeyExists(RootKey::CurrentUser, Branch + u"\\Dialog"));
    m.ReadPlacementEx(u"Dialog", dialog);  // nothing stored: nothing applied
    EXPECT_EQ(dialog.BoundsRect(), Bounds(10, 10, 250, 100));
    headless::PeerOf(dialog).UserSetBounds(Bounds(10, 10, 260, 100));
    EXPECT_EQ(Stored(RootKey::CurrentUser, Branch + u"\\Dialog", u"WinNormPosRight"), Dword(270));
    // A new branch has not been read: reports wait for its first read again.
    BranchGuard other(u"Software\\Other");
    form.OnResize = [&](TObject*) { m.WritePlacement(form); };
    headless::PeerOf(form).UserSetBounds(TRect(30, 40, 640, 540));
    EXPECT_FALSE(platform::GetRegistry().KeyExists(RootKey::CurrentUser, u"Software\\Other"));
    form.OnResize = nullptr;
}

TEST(FormManager, AStoredPlacementAtTheEndsOfTheRangeIsHeldToWindowCoordinates) {
    ScopedRegistry store;
    BranchGuard branch(Branch);
    TForm form(nullptr);
    form.SetBounds(100, 100, 514, 497);
    TFormManager m(&form);
    // Left below right as signed numbers, and an extent beyond 32 bits.
    store.Put(RootKey::CurrentUser, Branch, u"WinNormPosLeft", Dword(0x80000000u));
    store.Put(RootKey::CurrentUser, Branch, u"WinNormPosRight", Dword(0x7FFFFFFFu));
    store.Put(RootKey::CurrentUser, Branch, u"WinShowCmd", Dword(1));
    m.ReadPlacement(form);
    EXPECT_EQ(form.BoundsRect(), TRect(-32768, 5, 32767, 485));
    // The stored numbers stay as they were.
    EXPECT_EQ(Stored(RootKey::CurrentUser, Branch, u"WinNormPosLeft"), Dword(0x80000000u));
}

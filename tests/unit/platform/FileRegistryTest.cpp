// The file-backed registry: the registry editor's text format, round trips, a damaged file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/posix/RegFile.h"
#include "support/ScopedRegistry.h"

using namespace platform;
using namespace platform::posix;

namespace {
RegValue Text(const std::u16string& s) { return StringValue(s); }

std::vector<std::uint8_t> Utf8(const std::string& s) { return {s.begin(), s.end()}; }
}  // namespace

TEST(RegFile, RoundTripOfEveryKindOfValue) {
    RegFileTree tree;
    RegFileKey& key = tree.Create(u"Software\\Corvath\\Nimbrel\\1.0");
    std::vector<std::uint8_t> longBinary;
    for (int i = 0; i < 100; ++i) longBinary.push_back(static_cast<std::uint8_t>(i * 7));
    key.Values = {{u"Language", {RegDword, {7, 0, 0, 0}}},
                  {u"AppPath", Text(u"C:\\Programme\\Nimbrel\\ \"quoted\" Größe")},
                  {u"", Text(u"default value")},
                  {u"Width", {RegBinary, {0, 0, 0, 0, 0, 0, 0x24, 0x40}}},
                  {u"Long", {RegBinary, longBinary}},
                  {u"Empty", {RegBinary, {}}},
                  {u"Path", {RegExpandSz, Text(u"%TEMP%\\x").Data}},
                  {u"Lines", Text(u"one\r\ntwo")},
                  {u"NoZero", {RegSz, {0x41, 0}}},
                  {u"Odd", {RegDword, {1, 2}}},
                  {u"Quad", {11, {1, 2, 3, 4, 5, 6, 7, 8}}}};
    const std::vector<std::uint8_t> bytes = FormatRegFile(tree, u"HKEY_CURRENT_USER");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    RegFileTree back = ParseRegFile(bytes, u"HKEY_CURRENT_USER");
    RegFileKey* read = back.Find(u"software\\CORVATH\\nimbrel\\1.0");
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->Values.size(), key.Values.size());
    for (const RegFileValue& v : key.Values) {
        const RegFileValue* found = read->Find(v.Name);
        ASSERT_NE(found, nullptr) << platform::ToUtf8(v.Name);
        EXPECT_EQ(found->Value, v.Value) << platform::ToUtf8(v.Name);
    }
    // Parents exist as keys of their own, as in the registry.
    EXPECT_NE(back.Find(u"Software\\Corvath"), nullptr);
    EXPECT_NE(back.Find(u""), nullptr);
}

TEST(RegFile, ReadsTheEditorsTextForms) {
    const std::string text =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
        "\n"
        "; a comment\n"
        "[HKEY_CURRENT_USER\\Software\\Test]\n"
        "\"Plain\"=\"a \\\\ b \\\" c\"\n"
        "@=\"default\"\n"
        "\"Num\"=dword:0000002a\n"
        "\"Short\"=dword:ff\n"
        "\"Bin\"=hex:01,02,\\\n"
        "  03, 04\n"
        "\"Exp\"=hex(2):25,00,00,00\n"
        "\"Num\"=dword:00000001\n";
    RegFileTree tree = ParseRegFile(Utf8(text), u"HKEY_CURRENT_USER");
    RegFileKey* key = tree.Find(u"SOFTWARE\\TEST");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Find(u"plain")->Value, Text(u"a \\ b \" c"));
    EXPECT_EQ(key->Find(u"")->Value, Text(u"default"));
    EXPECT_EQ(key->Find(u"Num")->Value, (RegValue{RegDword, {1, 0, 0, 0}}));  // the later line wins
    EXPECT_EQ(key->Find(u"Short")->Value, (RegValue{RegDword, {0xFF, 0, 0, 0}}));
    EXPECT_EQ(key->Find(u"Bin")->Value, (RegValue{RegBinary, {1, 2, 3, 4}}));
    EXPECT_EQ(key->Find(u"Exp")->Value, (RegValue{RegExpandSz, {0x25, 0, 0, 0}}));
    EXPECT_EQ(key->Values.size(), 6u);
    // An empty file is an empty store.
    EXPECT_EQ(ParseRegFile({}, u"HKEY_CURRENT_USER").KeyCount(), 1u);
}

TEST(RegFile, DamagedFilesAreReportedWithTheirLine) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n";
    const struct {
        std::string text;
        const char* fault;
    } cases[] = {
        {"REGEDIT4\r\n", "line 1"},
        {header + "\"v\"=dword:1\r\n", "before the first key"},
        {header + "[HKEY_LOCAL_MACHINE\\X]\r\n", "another root"},
        {header + "[HKEY_CURRENT_USER\\X\r\n", "closing bracket"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v=\"a\"\r\n", "without '='"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v\"=\"open\r\n", "closing quote"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v\"=dword:123456789\r\n", "eight hex digits"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v\"=hex:01,zz\r\n", "line 3"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v\"=hex:01,\\\r\n", "end of the file"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v\"=-\r\n", "deletion"},
        {header + "[-HKEY_CURRENT_USER\\X]\r\n", "deletion"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v\"=\"a\\n\"\r\n", "escape"},
        {header + "[HKEY_CURRENT_USER\\X]\r\n\"v\"=\"a\" junk\r\n", "after a quoted"},
        {header + "[HKEY_CURRENT_USER\\X]\r\nstray\r\n", "neither a key nor a value"},
    };
    for (const auto& c : cases) {
        try {
            ParseRegFile(Utf8(c.text), u"HKEY_CURRENT_USER");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RegistryStoreError& e) {
            EXPECT_NE(std::string(e.what()).find(c.fault), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(ParseRegFile({0xFF, 0xFE, 0x41}, u"HKEY_CURRENT_USER"), RegistryStoreError);
}

TEST(FileRegistry, KeysValuesAndAtomicFiles) {
    ScopedRegistry store;
    Registry& r = GetRegistry();
    EXPECT_FALSE(r.KeyExists(RootKey::CurrentUser, u"Software\\A"));
    EXPECT_EQ(r.Open(RootKey::CurrentUser, u"Software\\A", KeyRead, false), nullptr);
    auto key = r.Open(RootKey::CurrentUser, u"Software\\A\\B", KeyRead | KeyWrite, true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(r.KeyExists(RootKey::CurrentUser, u"software\\a"));
    EXPECT_FALSE(r.KeyExists(RootKey::LocalMachine, u"Software\\A"));
    EXPECT_TRUE(key->Write(u"Count", {RegDword, {5, 0, 0, 0}}));
    EXPECT_TRUE(key->ValueExists(u"COUNT"));
    bool tooLarge = true;
    auto small = key->Read(u"Count", 2, tooLarge);
    EXPECT_FALSE(small);
    EXPECT_TRUE(tooLarge);
    auto whole = key->Read(u"Count", 4, tooLarge);
    ASSERT_TRUE(whole);
    EXPECT_FALSE(tooLarge);
    EXPECT_EQ(whole->Data, (std::vector<std::uint8_t>{5, 0, 0, 0}));
    EXPECT_EQ(key->QueryInfo(u"Count")->Size, 4u);
    EXPECT_FALSE(key->Read(u"Missing", 4, tooLarge));
    EXPECT_FALSE(tooLarge);

    // A key opened for reading refuses writes; a second accessor sees what the first wrote.
    auto readOnly = r.Open(RootKey::CurrentUser, u"Software\\A\\B", KeyRead, false);
    ASSERT_NE(readOnly, nullptr);
    EXPECT_FALSE(readOnly->Write(u"Count", {RegDword, {6, 0, 0, 0}}));
    EXPECT_TRUE(readOnly->ValueExists(u"Count"));
    // A path with an empty part opens nothing.
    EXPECT_EQ(r.Open(RootKey::CurrentUser, u"Software\\\\A", KeyRead, true), nullptr);
    // Nothing of a temporary file stays beside the store: the store and its lock file.
    std::set<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(store.FileOf(RootKey::CurrentUser)).parent_path()))
        files.insert(entry.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"HKEY_CURRENT_USER.reg", "HKEY_CURRENT_USER.reg.lock"}));
}

TEST(FileRegistry, ADamagedFileIsNeverOverwritten) {
    ScopedRegistry store;
    const std::string damaged = "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\X]\r\n\"v\"=dword:zz\r\n";
    store.WriteBytes(RootKey::CurrentUser, damaged);
    Registry& r = GetRegistry();
    EXPECT_THROW(r.Open(RootKey::CurrentUser, u"X", KeyRead | KeyWrite, true), RegistryStoreError);
    EXPECT_THROW(r.KeyExists(RootKey::CurrentUser, u"X"), RegistryStoreError);
    EXPECT_EQ(store.Bytes(RootKey::CurrentUser), damaged);
    // The other root's file is a store of its own.
    EXPECT_NE(r.Open(RootKey::LocalMachine, u"X", KeyWrite, true), nullptr);
}

TEST(FileRegistry, NamesTheFileCannotCarryAreRefusedAndTheStoreStaysReadable) {
    ScopedRegistry store;
    Registry& r = GetRegistry();
    auto key = r.Open(RootKey::CurrentUser, u"Software\\A", KeyRead | KeyWrite, true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->Write(u"Kept", {RegDword, {1, 0, 0, 0}}));
    const std::string before = store.Bytes(RootKey::CurrentUser);
    EXPECT_FALSE(key->Write(u"Line\nBreak", {RegDword, {2, 0, 0, 0}}));
    EXPECT_FALSE(key->Write(u"Carriage\rReturn", {RegDword, {2, 0, 0, 0}}));
    EXPECT_FALSE(key->Write(std::u16string(u"Zero\0", 5), {RegDword, {2, 0, 0, 0}}));
    EXPECT_FALSE(key->Write(std::u16string(MaxValueNameLength + 1, u'v'), {RegDword, {2, 0, 0, 0}}));
    EXPECT_TRUE(key->Write(std::u16string(MaxValueNameLength, u'v'), {RegDword, {3, 0, 0, 0}}));
    // A key path that would close its header and inject keys and values of its own.
    const std::u16string injecting = u"Software\\a]\r\n\"Injected\"=dword:00000001\r\n[HKEY_CURRENT_USER\\Evil";
    EXPECT_EQ(r.Open(RootKey::CurrentUser, injecting, KeyWrite, true), nullptr);
    EXPECT_EQ(r.Open(RootKey::CurrentUser, u"Software\\Tab\there", KeyWrite, true), nullptr);
    EXPECT_FALSE(r.KeyExists(RootKey::CurrentUser, u"Evil"));
    // Brackets and quotes alone are carried exactly.
    auto odd = r.Open(RootKey::CurrentUser, u"Software\\[x] \"y\"]", KeyRead | KeyWrite, true);
    ASSERT_NE(odd, nullptr);
    EXPECT_TRUE(odd->Write(u"]\"[", StringValue(u"v")));
    // Everything still reads, and writes still work.
    EXPECT_NE(store.Bytes(RootKey::CurrentUser), before);
    auto again = r.Open(RootKey::CurrentUser, u"Software\\A", KeyRead | KeyWrite, false);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->ValueExists(u"Kept"));
    EXPECT_FALSE(again->ValueExists(u"Line"));
    EXPECT_TRUE(again->Write(u"After", {RegDword, {4, 0, 0, 0}}));
    EXPECT_TRUE(r.Open(RootKey::CurrentUser, u"Software\\[x] \"y\"]", KeyRead, false)->ValueExists(u"]\"["));
}

TEST(RegFile, DeepPathsAreReadInLinearTimeAndLimitedAsTheRegistryLimitsThem) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER";
    auto path = [](std::size_t parts, std::size_t length) {
        std::string p;
        for (std::size_t i = 0; i < parts; ++i) p += "\\" + std::string(length, static_cast<char>('a' + i % 26));
        return p;
    };
    // The deepest and longest path the registry takes reads back; it is written once, not per level.
    const std::string deepest = header + path(MaxKeyDepth, MaxKeyNameLength) + "]\r\n\"v\"=dword:1\r\n";
    RegFileTree tree = ParseRegFile(Utf8(deepest), u"HKEY_CURRENT_USER");
    EXPECT_EQ(tree.KeyCount(), MaxKeyDepth + 1);
    const std::vector<std::uint8_t> written = FormatRegFile(tree, u"HKEY_CURRENT_USER");
    EXPECT_LT(written.size(), 2 * 2 * deepest.size());
    EXPECT_EQ(ParseRegFile(written, u"HKEY_CURRENT_USER").KeyCount(), MaxKeyDepth + 1);
    // One level deeper, one character longer, or 32,000 levels: a damaged file, not a crash.
    for (const std::string& damaged : {header + path(MaxKeyDepth + 1, 1) + "]\r\n",
                                       header + path(2, MaxKeyNameLength + 1) + "]\r\n",
                                       header + path(32000, 1) + "]\r\n"}) {
        try {
            ParseRegFile(Utf8(damaged), u"HKEY_CURRENT_USER");
            ADD_FAILURE() << "accepted a path of " << damaged.size() << " bytes";
        } catch (const RegistryStoreError& e) {
            EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
        }
    }
    // Many values in one key: each found by name.
    std::string many = header + "\\K]\r\n";
    for (int i = 0; i < 20000; ++i) many += "\"v" + std::to_string(i) + "\"=dword:" + std::to_string(i % 10) + "\r\n";
    RegFileTree wide = ParseRegFile(Utf8(many), u"HKEY_CURRENT_USER");
    ASSERT_NE(wide.Find(u"k"), nullptr);
    EXPECT_EQ(wide.Find(u"k")->Values.size(), 20000u);
    EXPECT_EQ(wide.Find(u"k")->Find(u"V19999")->Value, (RegValue{RegDword, {9, 0, 0, 0}}));
}

TEST(FileRegistry, AKilledWritesTemporaryFileIsReplacedByTheNextWrite) {
    ScopedRegistry store;
    const std::string file = store.FileOf(RootKey::CurrentUser);
    auto key = GetRegistry().Open(RootKey::CurrentUser, u"K", KeyRead | KeyWrite, true);
    ASSERT_NE(key, nullptr);
    // What a write killed after its temporary file was made leaves behind.
    std::ofstream(file + ".tmp", std::ios::binary) << "half a store";
    EXPECT_TRUE(key->Write(u"v", {RegDword, {1, 0, 0, 0}}));
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
    EXPECT_TRUE(key->ValueExists(u"v"));
}

TEST(FileRegistry, TwoProcessesWritingAtOnceLoseNoValue) {
    ScopedRegistry store;
    ASSERT_NE(GetRegistry().Open(RootKey::CurrentUser, u"Shared", KeyWrite, true), nullptr);
    constexpr int PerProcess = 150;
    auto writeAll = [](char16_t prefix) {
        auto key = GetRegistry().Open(RootKey::CurrentUser, u"Shared", KeyRead | KeyWrite, false);
        int ok = 0;
        for (int i = 0; key && i < PerProcess; ++i) {
            std::u16string name(1, prefix);
            for (char c : std::to_string(i)) name.push_back(static_cast<char16_t>(c));
            if (key->Write(name, {RegDword, {static_cast<std::uint8_t>(i), 0, 0, 0}})) ++ok;
        }
        return ok;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(writeAll(u'c') == PerProcess ? 0 : 1);
    EXPECT_EQ(writeAll(u'p'), PerProcess);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    RegFileTree tree = ParseRegFile(Utf8(store.Bytes(RootKey::CurrentUser)), u"HKEY_CURRENT_USER");
    ASSERT_NE(tree.Find(u"Shared"), nullptr);
    EXPECT_EQ(tree.Find(u"Shared")->Values.size(), 2u * PerProcess);
}

TEST(FileRegistry, AFolderThatCannotBeMadeRefusesWritesWithoutThrowing) {
    TempDir dir;
    // A plain file where the store's folder would be.
    std::ofstream(dir.Native() / "blocked") << "x";
    platform::posix::FileRegistry registry((dir.Native() / "blocked" / "nimbrel").string());
    EXPECT_EQ(registry.Open(RootKey::CurrentUser, u"Software\\A", KeyWrite, true), nullptr);
    EXPECT_FALSE(registry.KeyExists(RootKey::CurrentUser, u"Software\\A"));
}

// The form manager and the language libraries against the real registry, real windows and real
// module loading.
#include "ui/win32/Win.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/FormManager.h"
#include "framework/LanguageManager.h"
#include "framework/LibraryManager.h"
#include "framework/Registry.h"
#include "support/RegistryErrors.h"
#include "framework/ResourceManager.h"
#include "platform/System.h"
#include "platform/win32/WinText.h"
#include "ui/Application.h"
#include "ui/win32/WindowPeer.h"
#include "win32/WinTempDir.h"

using namespace framework;
using platform::RootKey;
using platform::win32::W;

namespace {

const std::u16string Branch = u"Software\\Corvath\\NimbrelTest\\1.0";

// A test branch in both roots, removed before and after.
struct TestBranch {
    TestBranch() {
        Clean();
        SetProcessRegistryKey(Branch);
    }
    ~TestBranch() {
        SetProcessRegistryKey(u"");
        Clean();
    }
    static void Clean() {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Corvath\\NimbrelTest");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Corvath\\NimbrelTest");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Options");
    }
};

void Put(HKEY root, const std::u16string& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, W(path), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

// Type and data as the registry holds them.
std::pair<DWORD, std::vector<BYTE>> Get(HKEY root, const std::u16string& path, const wchar_t* name) {
    std::vector<BYTE> data(256);
    DWORD type = 0, size = static_cast<DWORD>(data.size());
    if (RegGetValueW(root, W(path), name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size) != ERROR_SUCCESS)
        return {REG_NONE, {}};
    data.resize(size);
    return {type, data};
}


}  // namespace

TEST(Win32FormManager, OptionRoundTripsUnderBothRoots) {
    TestBranch branch;
    TFormManager m(nullptr);
    for (RootKey root : {RootKey::CurrentUser, RootKey::LocalMachine}) {
        const int offset = root == RootKey::CurrentUser ? 0 : 100;
        m.WriteOptionEx(root, u"ShellStartMenuFolderIndex", 1 + offset);
        m.WriteOptionEx(root, u"AddMenuSelection", true);
        m.WriteOptionEx(root, u"Scale", 1.25 + offset);
        m.WriteOptionEx(root, u"LinkDirectory", u"C:\\Verknüpfungen " + std::u16string(root == RootKey::CurrentUser ? u"A" : u"B"));
    }
    for (RootKey root : {RootKey::CurrentUser, RootKey::LocalMachine}) {
        const int offset = root == RootKey::CurrentUser ? 0 : 100;
        EXPECT_EQ(m.ReadOptionEx(root, u"ShellStartMenuFolderIndex", -1), 1 + offset);
        EXPECT_TRUE(m.ReadOptionEx(root, u"AddMenuSelection", false));
        EXPECT_EQ(m.ReadOptionEx(root, u"Scale", 0.0), 1.25L + offset);
        EXPECT_EQ(m.ReadOptionEx(root, u"LinkDirectory", u""),
                  u"C:\\Verknüpfungen " + std::u16string(root == RootKey::CurrentUser ? u"A" : u"B"));
        EXPECT_EQ(m.ReadOptionEx(root, u"Missing", 9), 9);
    }
    // The registry types of the layout.
    const std::u16string options = Branch + u"\\Options";
    EXPECT_EQ(Get(HKEY_CURRENT_USER, options, L"ShellStartMenuFolderIndex").first, DWORD(REG_DWORD));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, options, L"AddMenuSelection").second, (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, options, L"Scale").first, DWORD(REG_BINARY));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, options, L"Scale").second.size(), 8u);
    const auto text = Get(HKEY_CURRENT_USER, options, L"LinkDirectory");
    EXPECT_EQ(text.first, DWORD(REG_SZ));
    EXPECT_EQ(text.second.size(), (std::u16string(u"C:\\Verknüpfungen A").size() + 1) * 2);
    // The plain overloads are the user's root.
    EXPECT_EQ(m.ReadOption(u"ShellStartMenuFolderIndex", -1), 1);
    DWORD seven = 7;
    Put(HKEY_CURRENT_USER, options, L"Seven", REG_DWORD, &seven, 4);
    EXPECT_TRUE(m.ReadOption(u"Seven", false));
    Put(HKEY_CURRENT_USER, options, L"Expand", REG_EXPAND_SZ, L"%TEMP%", 14);
    EXPECT_EQ(m.ReadOption(u"Expand", u""), u"%TEMP%");  // not expanded
}

TEST(Win32FormManager, TheRegistryLayersErrors) {
    TestBranch branch;
    TFormManager m(nullptr);
    const std::u16string options = Branch + u"\\Options";
    const BYTE four[4] = {1, 0, 0, 0};
    const BYTE eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    DWORD three = 3;
    Put(HKEY_CURRENT_USER, options, L"Bin4", REG_BINARY, four, 4);
    Put(HKEY_CURRENT_USER, options, L"Dword", REG_DWORD, &three, 4);
    Put(HKEY_CURRENT_USER, options, L"Big", REG_BINARY, eight, 8);
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Bin4", 0); }), u"Ungültiger Datentyp für 'Bin4'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Dword", u""); }), u"Ungültiger Datentyp für 'Dword'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Big", 0); }), u"Fehler beim Holen der Daten für 'Big'");
    EXPECT_EQ(RegistryErrorOf([&] { m.ReadOption(u"Bin4", 0.0); }), u"Ungültiger Datentyp für 'Bin4'");
    // A key opened for reading only: the registry refuses the write.
    TRegistry readOnly(platform::KeyRead);
    ASSERT_TRUE(readOnly.OpenKey(options, false));
    EXPECT_EQ(RegistryErrorOf([&] { readOnly.WriteInteger(u"Refused", 1); }), u"Fehler beim Setzen der Daten für 'Refused'");
    // A value name longer than the registry takes is refused through the form manager as well.
    const std::u16string tooLong(20000, u'n');
    EXPECT_EQ(RegistryErrorOf([&] { m.WriteOption(tooLong, 1); }), u"Fehler beim Setzen der Daten für '" + tooLong + u"'");
}

TEST(Win32FormManager, StoredLanguageAndTheEmptyBranch) {
    TestBranch branch;
    TFormManager m(nullptr);
    EXPECT_EQ(m.ReadLanguage(), lgEnglish);
    DWORD german = 7, locale = 1031, italian = 16;
    Put(HKEY_LOCAL_MACHINE, Branch, L"Language", REG_DWORD, &italian, 4);
    EXPECT_EQ(m.ReadLanguage(), lgItalian);
    Put(HKEY_CURRENT_USER, Branch, L"Language", REG_DWORD, &german, 4);
    EXPECT_EQ(m.ReadLanguage(), lgGerman);
    Put(HKEY_CURRENT_USER, Branch, L"Language", REG_DWORD, &locale, 4);
    EXPECT_EQ(m.ReadLanguage(), lgEnglish);
    m.WriteLanguage(lgJapanese);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, Branch, L"Language").second, (std::vector<BYTE>{17, 0, 0, 0}));

    SetProcessRegistryKey(u"");
    m.WriteOption(u"EmptyBranch", 5);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, u"Options", L"EmptyBranch").second, (std::vector<BYTE>{5, 0, 0, 0}));
    EXPECT_EQ(m.ReadOption(u"EmptyBranch", 0), 5);
}

TEST(Win32FormManager, PlacementOntoARealWindow) {
    TestBranch branch;
    ui::TForm form(nullptr);
    form.SetBorderStyle(ui::bsSizeToolWin);
    form.SetBounds(60, 70, 400, 300);
    TFormManager m(&form);
    form.HandleNeeded();
    HWND window = ui::win32::WindowOf(form);
    ASSERT_NE(window, nullptr);
    // A size report of the window before the first read writes nothing.
    form.OnResize = [&](ui::TObject*) { m.WritePlacement(form); };
    SetWindowPos(window, nullptr, 0, 0, 410, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(form.Width(), 410);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, Branch, L"WinNormPosLeft").first, DWORD(REG_NONE));
    form.OnResize = nullptr;
    SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m.ReadPlacement(form);  // nothing stored yet
    EXPECT_FALSE(IsWindowVisible(window));
    m.WritePlacement(form);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    ASSERT_TRUE(GetWindowPlacement(window, &wp));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, Branch, L"WinNormPosLeft").second, (std::vector<BYTE>{60, 0, 0, 0}));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, Branch, L"WinNormPosBottom").second, (std::vector<BYTE>{114, 1, 0, 0}));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, Branch, L"WinShowCmd").second,
              (std::vector<BYTE>{static_cast<BYTE>(wp.showCmd), 0, 0, 0}));

    // Stored elsewhere and shown: the window goes there.
    const DWORD values[4] = {150, 160, 650, 560};
    const wchar_t* names[4] = {L"WinNormPosLeft", L"WinNormPosTop", L"WinNormPosRight", L"WinNormPosBottom"};
    for (int i = 0; i < 4; ++i) Put(HKEY_CURRENT_USER, Branch, names[i], REG_DWORD, &values[i], 4);
    DWORD show = SW_SHOWNORMAL;
    Put(HKEY_CURRENT_USER, Branch, L"WinShowCmd", REG_DWORD, &show, 4);
    m.ReadPlacement(form);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(ui::TRect(r.left, r.top, r.right, r.bottom), ui::TRect(150, 160, 650, 560));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(form.BoundsRect(), ui::TRect(150, 160, 650, 560));

    // The window's own move is what the next write stores.
    SetWindowPos(window, nullptr, 200, 210, 500, 400, SWP_NOZORDER);
    ui::Application().ProcessMessages();
    m.WritePlacement(form);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, Branch, L"WinNormPosLeft").second, (std::vector<BYTE>{200, 0, 0, 0}));
    EXPECT_EQ(Get(HKEY_CURRENT_USER, Branch, L"WinNormPosRight").second, (std::vector<BYTE>{0xBC, 2, 0, 0}));
}

TEST(Win32LanguageLibraries, RealLoadingFromTheProgramFolder) {
    TResourceManager r;
    r.OpenResourceDll(u"lgger.dll");
    ASSERT_TRUE(r.Bound());
    EXPECT_EQ(r.GetResourceStr(1), u"Control Panel|Opens the control panel");
    EXPECT_EQ(r.GetResourceStr(8), u"Größe ändern");
    EXPECT_EQ(r.GetResourceStr(4).size(), 4096u);
    EXPECT_EQ(r.GetResourceStr(5).size(), 4096u);
    EXPECT_EQ(r.GetResourceStr(6), u"");
    EXPECT_EQ(GetResourceStrDef(10300, u"Kein Pfad."), u"No path.");

    TLibraryManager missing(u"lgspa.dll");
    EXPECT_EQ(missing.ErrorNumber(), leLoadFailed);
    TLibraryManager other(u"lgita.dll");
    EXPECT_EQ(other.ErrorNumber(), leNone);
    void* address = nullptr;
    EXPECT_FALSE(other.GetProcAddr(u"GetResStr", address));
    EXPECT_EQ(other.ErrorNumber(), leNoExport);
    EXPECT_TRUE(other.GetProcAddr(u"FixtureVersion", address));

    // A planted copy in the current directory and on PATH is never loaded under a language's name.
    WinTempDir planted;
    ASSERT_TRUE(CopyFileW(W(ModulePathInProgramFolder(u"lgger.dll")), W(planted.File(u"lgfre.dll")), FALSE));
    wchar_t previousDir[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previousDir);
    std::vector<wchar_t> previousPath(32768);
    GetEnvironmentVariableW(L"PATH", previousPath.data(), 32768);
    SetCurrentDirectoryW(W(planted.Path()));
    SetEnvironmentVariableW(L"PATH", W(planted.Path() + u";" + platform::win32::U16(previousPath.data())));
    TLibraryManager french(u"lgfre.dll");
    SetCurrentDirectoryW(previousDir);
    SetEnvironmentVariableW(L"PATH", previousPath.data());
    EXPECT_EQ(french.ErrorNumber(), leLoadFailed);
    EXPECT_EQ(GetModuleHandleW(L"lgfre.dll"), nullptr);
}

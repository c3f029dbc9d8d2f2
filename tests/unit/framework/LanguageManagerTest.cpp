// Library, resource, language and user managers against the test language libraries that lie
// beside the test program.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "controls/GraphicButton.h"
#include "framework/LanguageManager.h"
#include "framework/LibraryManager.h"
#include "framework/ResourceManager.h"
#include "framework/UserManager.h"
#include "platform/Modules.h"
#include "platform/System.h"
#include "platform/Utf.h"
#include "support/TempDir.h"
#include "ui/Buttons.h"
#include "ui/ColumnCaptions.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

using namespace framework;
using namespace ui;

namespace {

// Counts the loads that reach the platform, and passes them on.
struct CountingModules : platform::Modules {
    CountingModules() : real(platform::GetModules()) { previous = platform::SetModules(this); }
    ~CountingModules() override { platform::SetModules(previous); }
    platform::ModuleHandle Load(const std::u16string& path) override {
        loads.push_back(path);
        return real.Load(path);
    }
    void* FindExport(platform::ModuleHandle m, const std::string& n) override { return real.FindExport(m, n); }
    void Free(platform::ModuleHandle m) override { real.Free(m); }
    platform::Modules& real;
    platform::Modules* previous;
    std::vector<std::u16string> loads;
};

std::u16string FileName(const std::u16string& path) { return path.substr(path.find_last_of(u"\\/") + 1); }

// A component with three captioned columns, as a report-style list view has.
struct ThreeColumns : TComponent, TColumnCaptions {
    explicit ThreeColumns(TComponent* owner) : TComponent(owner) {}
    int ColumnCaptionCount() const override { return 3; }
    void SetColumnCaption(int index, const std::u16string& caption) override { Captions.at(index) = caption; }
    std::vector<std::u16string> Captions{u"Name", u"Größe", u"Typ"};
};

// Leaves the process-wide language and user as the tests found them.
struct ProcessStateGuard {
    ~ProcessStateGuard() {
        LanguageManager().OnChange = nullptr;
        LanguageManager().SetLanguage(lgGerman);
        UserManager().OnChange = nullptr;
        UserManager().SetUser(TUser{});
    }
};

}  // namespace

TEST(LibraryManager, ErrorNumbersOfLoadsAndExports) {
    TLibraryManager none(u"");
    EXPECT_FALSE(none.Error());
    void* address = reinterpret_cast<void*>(1);
    EXPECT_FALSE(none.GetProcAddr(u"GetResStr", address));
    EXPECT_EQ(address, nullptr);
    EXPECT_EQ(none.ErrorNumber(), leNotLoaded);

    TLibraryManager missing(u"lgmissing.dll");
    EXPECT_TRUE(missing.Error());
    EXPECT_EQ(missing.ErrorNumber(), leLoadFailed);
    EXPECT_EQ(missing.GetLastError(), u"");
    EXPECT_FALSE(missing.GetProcAddr(u"GetResStr", address));
    EXPECT_EQ(missing.ErrorNumber(), leNotLoaded);
    missing.SetDllName(u"lgmissing.dll");  // the same name: no new attempt, the number stays
    EXPECT_EQ(missing.ErrorNumber(), leNotLoaded);

    TLibraryManager german(u"lgger.dll");
    EXPECT_FALSE(german.Error());
    EXPECT_TRUE(german.GetProcAddr(u"GetResStr", address));
    EXPECT_NE(address, nullptr);
    EXPECT_FALSE(german.GetProcAddr(u"NoSuchExport", address));
    EXPECT_EQ(german.ErrorNumber(), leNoExport);
    german.SetDllName(u"lgita.dll");  // loads, but has no texts
    EXPECT_EQ(german.ErrorNumber(), leNone);
    EXPECT_FALSE(german.GetProcAddr(u"GetResStr", address));
    EXPECT_EQ(german.ErrorNumber(), leNoExport);
    german.SetDllName(u"");
    EXPECT_FALSE(german.Loaded());
    EXPECT_EQ(german.ErrorNumber(), leNoExport);  // unloading leaves the number
}

TEST(LibraryManager, LoadsOnlyFromTheProgramFolder) {
    CountingModules counting;
    TLibraryManager m(u"lgger.dll");
    ASSERT_EQ(counting.loads.size(), 1u);
    const std::u16string program = platform::GetSystem().ExecutablePath();
    EXPECT_EQ(counting.loads[0], program.substr(0, program.find_last_of(u"\\/") + 1) + u"lgger.dll");

    // A library planted in the current directory under a language's name is not taken.
    TempDir planted;
    std::filesystem::copy_file(std::filesystem::path(platform::ToUtf8(counting.loads[0])),
                               planted.Native() / "lgfre.dll");
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(planted.Native());
    TLibraryManager french(u"lgfre.dll");
    std::filesystem::current_path(before);
    EXPECT_EQ(french.ErrorNumber(), leLoadFailed);
    // Named with its full path, the same file loads: only the search is closed.
    TLibraryManager explicitPath(platform::FromUtf8((planted.Native() / "lgfre.dll").string()));
    EXPECT_EQ(explicitPath.ErrorNumber(), leNone);
}

TEST(ResourceManager, TextsByNumberAndTheBufferLimit) {
    TResourceManager r;
    EXPECT_FALSE(r.Bound());
    EXPECT_EQ(r.GetResourceStr(2), u"");
    r.OpenResourceDll(u"lgger.dll");
    ASSERT_TRUE(r.Bound());
    EXPECT_EQ(r.GetResourceStr(2), u"Information");
    EXPECT_EQ(r.GetResourceStr(8), u"Größe ändern");
    const std::u16string full = r.GetResourceStr(4);
    ASSERT_EQ(full.size(), 4096u);
    EXPECT_EQ(full[0], u'a');
    EXPECT_EQ(full[4095], static_cast<char16_t>(u'a' + 4095 % 26));
    EXPECT_EQ(r.GetResourceStr(5).size(), 4096u);  // a count above the buffer is cut to it
    EXPECT_EQ(r.GetResourceStr(6), u"");           // a negative count is no text
    EXPECT_EQ(r.GetResourceStr(999), u"");
    r.OpenResourceDll(u"lgita.dll");
    EXPECT_FALSE(r.Bound());
    EXPECT_EQ(r.LibraryManager().ErrorNumber(), leNoExport);
    r.OpenResourceDll(u"lgger.dll");
    r.CloseResourceDll();
    EXPECT_FALSE(r.Bound());
    EXPECT_FALSE(r.LibraryManager().Loaded());

    // The process-wide manager opened the German library at start.
    EXPECT_EQ(GetResourceStrDef(10300, u"Kein Pfad."), u"No path.");
    EXPECT_EQ(GetResourceStrDef(10301, u"Pfad:"), u"Pfad:");
}

TEST(LanguageManager, ChangesOpenTheLibraryOnceAndNotify) {
    ProcessStateGuard guard;
    EXPECT_EQ(CurrentLanguage(), lgGerman);
    ResourceManager();  // made before counting starts
    CountingModules counting;
    int changes = 0;
    TObject* sender = nullptr;
    LanguageManager().OnChange = [&](TObject* s) {
        ++changes;
        sender = s;
    };
    LanguageManager().SetLanguage(lgFrench);
    LanguageManager().SetLanguage(lgFrench);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(sender, &LanguageManager());
    ASSERT_EQ(counting.loads.size(), 1u);
    EXPECT_EQ(FileName(counting.loads[0]), u"lgfre.dll");
    // The French library is missing and the German one was let go first.
    EXPECT_EQ(LanguageManager().GetResString(2), u"");
    LanguageManager().SetLanguage(lgGerman);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(LanguageManager().GetResString(2), u"Information");

    EXPECT_EQ(LanguageLibraryName(lgChinese), u"lgchi.dll");
    EXPECT_EQ(LanguageLibraryName(lgEnglish), u"lgeng.dll");
    EXPECT_EQ(LanguageLibraryName(static_cast<TLanguage>(42)), u"lgeng.dll");
}

TEST(LanguageManager, TextsByTag) {
    TForm form(nullptr);
    form.SetTag(7);
    auto* button = new TButton(&form);
    button->SetTag(2);
    auto* graphic = new controls::TGraphicButton(&form);
    graphic->SetTag(1);
    auto* speed = new TSpeedButton(&form);
    speed->SetTag(3);
    auto* edit = new TEdit(&form);
    edit->SetTag(2);
    edit->SetText(u"unchanged");
    auto* label = new TLabel(&form);
    label->SetTag(6);  // the library answers -1: no text
    label->SetCaption(u"designed");
    auto* item = new TMenuItem(&form);
    item->SetTag(8);
    auto* columns = new ThreeColumns(&form);
    columns->SetTag(7);
    auto* unnamed = new ThreeColumns(&form);
    unnamed->SetTag(9);  // the library has no text 9: the columns stay
    auto* huge = new TButton(&form);
    huge->SetTag(std::intptr_t(1) << 40);  // beyond the numbers: no text, not text 0
    huge->SetCaption(u"designed");
    LanguageManager().SetStringResources(form);
    EXPECT_EQ(columns->Captions, (std::vector<std::u16string>{u"Start menu", u"Größe ändern", u""}));
    EXPECT_EQ(unnamed->Captions[0], u"Name");
    EXPECT_EQ(huge->Caption(), u"designed");
    EXPECT_EQ(form.Caption(), u"Start menu");
    EXPECT_EQ(button->Caption(), u"Information");
    EXPECT_EQ(graphic->Caption(), u"Control Panel|Opens the control panel");  // whole, no split
    EXPECT_EQ(speed->Caption(), u"Run|");
    EXPECT_EQ(edit->Text(), u"unchanged");
    EXPECT_EQ(label->Caption(), u"designed");
    EXPECT_EQ(item->Caption(), u"Größe ändern");
}

TEST(UserManager, ChangesAndLevelsByTag) {
    ProcessStateGuard guard;
    int changes = 0;
    UserManager().OnChange = [&](TObject*) { ++changes; };
    UserManager().SetUser(UserManager().User());
    EXPECT_EQ(changes, 0);
    TUser u = UserManager().User();
    u.Password = u"geheim";
    UserManager().SetUser(u);
    EXPECT_EQ(changes, 1);
    UserManager().SetUserName(u"anna");
    UserManager().SetUserName(u"anna");
    UserManager().SetUserLevel(ulStandardUser);
    UserManager().SetUserPassword(u"geheim");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(UserManager().User(), (TUser{u"anna", ulStandardUser, u"geheim"}));

    TForm form(nullptr);
    std::vector<TControl*> controls;
    for (int tag : {-1, 0, 2, 3, 4, 9}) {
        auto* c = new TButton(&form);
        c->SetTag(tag);
        controls.push_back(c);
    }
    auto* item = new TMenuItem(&form);
    item->SetTag(0);
    UserManager().SetCtrlLevels(form);
    const bool expected[] = {false, false, false, true, true, true};
    for (std::size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(controls[i]->Enabled(), expected[i]) << i;
    EXPECT_TRUE(item->Enabled());  // not a control
    UserManager().SetUserLevel(ulAdmin);
    UserManager().SetCtrlLevels(form);
    for (TControl* c : controls) EXPECT_TRUE(c->Enabled());

    EXPECT_EQ(UserLevelFromName(u"StandardUser"), ulStandardUser);
    EXPECT_EQ(UserLevelFromName(u"standarduser"), ulAdmin);
    EXPECT_EQ(UserLevelFromOrdinal(4), ulSimpleUser);
    EXPECT_EQ(UserLevelFromOrdinal(5), ulAdmin);
    EXPECT_EQ(UserLevelFromOrdinal(-1), ulAdmin);
}

// The form manager's control table: parsing, texts from the test language library, levels.
#include <gtest/gtest.h>

#include "controls/GraphicButton.h"
#include "framework/DataStream.h"
#include "framework/FormManager.h"
#include "framework/ResourceManager.h"
#include "ui/Buttons.h"
#include "ui/ColumnCaptions.h"
#include "ui/Exceptions.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

using namespace framework;
using namespace ui;

namespace {

// A form whose manager reads the given table as its "Data" value while the form loads.
struct TableForm : TForm {
    explicit TableForm(std::initializer_list<const char16_t*> lines) : TForm(nullptr) {
        BeginLoading();
        SetName(u"TableForm");
        SetCaption(u"Entwurf");
        Button1 = Make<TButton>(u"Button1");
        Label1 = Make<TLabel>(u"Label1");
        Label2 = Make<TLabel>(u"Label2");
        Check1 = Make<TCheckBox>(u"Check1");
        Edit1 = Make<TEdit>(u"Edit1");
        Speed1 = Make<TSpeedButton>(u"Speed1");
        Graphic1 = Make<controls::TGraphicButton>(u"Graphic1");
        Item1 = new TMenuItem(this);
        Item1->SetName(u"Item1");
        Item1->SetCaption(u"Menüpunkt");
        Manager = new TFormManager(this);
        Manager->SetName(u"FormManager1");
        TStringList table;
        for (const char16_t* line : lines) table.Add(line);
        std::vector<std::uint8_t> data;
        WriteDataList(table, data);
        std::size_t pos = 0;
        Manager->ReadData(data, pos);
        FinishLoading();
    }
    template <class T>
    T* Make(const char16_t* name) {
        auto* c = new T(this);
        c->SetName(name);
        c->SetParent(this);
        c->SetCaption(u"Entwurf");
        return c;
    }
    TButton* Button1;
    TLabel* Label1;
    TLabel* Label2;
    TCheckBox* Check1;
    TEdit* Edit1;
    TSpeedButton* Speed1;
    controls::TGraphicButton* Graphic1;
    TMenuItem* Item1;
    TFormManager* Manager;
};

struct ListColumns : TComponent, TColumnCaptions {
    explicit ListColumns(TComponent* owner) : TComponent(owner) {}
    int ColumnCaptionCount() const override { return 2; }
    void SetColumnCaption(int index, const std::u16string& caption) override { Captions.at(index) = caption; }
    std::vector<std::u16string> Captions{u"A", u"B"};
};

struct UserGuard {
    ~UserGuard() {
        UserManager().SetUser(TUser{});
        LanguageManager().SetLanguage(lgGerman);
    }
};

}  // namespace

TEST(ControlTable, ParsesFieldsAndDropsMalformedLines) {
    TableForm f({u"Button1\t12\tStandardUser", u"Graphic1\tab1cd\tAdmin", u"Speed1\t3\tSimpleUser",
                 u"Label1\t-5\tAdmin", u"Check1\t+\tAdmin", u"Edit1\t1-2\tstandarduser", u"Item1\t8\tSimpleUser",
                 u"TableForm\t7\tAdmin", u"no tab", u"Two\tfields", u"Four\t1\t2\t3", u"Button1\t2\tAdmin",
                 u"Trailing\t1\tAdmin\t"});
    const TStrings& s = f.Manager->Strings();
    ASSERT_EQ(s.Count(), 10);
    EXPECT_EQ(s.Strings(0), u"Button1");
    EXPECT_EQ(f.Manager->Item(0)->ResID, 12);
    EXPECT_EQ(f.Manager->Item(0)->LevelID, ulStandardUser);
    EXPECT_EQ(f.Manager->GetCtrlResID(u"graphic1"), 1);
    EXPECT_EQ(f.Manager->GetCtrlResID(u"Label1"), -5);
    EXPECT_EQ(f.Manager->GetCtrlResID(u"Check1"), 0);
    EXPECT_EQ(f.Manager->GetCtrlResID(u"Edit1"), 12);
    EXPECT_EQ(f.Manager->GetCtrlUserLevel(u"Edit1"), ulAdmin);  // level names are case-sensitive
    EXPECT_EQ(f.Manager->GetCtrlResID(u"Trailing"), 1);        // an empty text after a final TAB is no field
    EXPECT_EQ(f.Manager->GetCtrlResID(u"BUTTON1"), 12);         // the first of two entries counts
    EXPECT_EQ(f.Manager->GetCtrlResID(u"Nope"), -1);
    EXPECT_EQ(f.Manager->GetCtrlUserLevel(u"Nope"), ulAdmin);
    EXPECT_FALSE(f.Manager->IsCtrlEnabled(u"Nope"));
    EXPECT_TRUE(f.Manager->IsCtrlEnabled(u"Button1"));

    // At run time the Strings setter changes nothing.
    TStringList other;
    other.Add(u"X\t1\tAdmin");
    f.Manager->SetStrings(other);
    EXPECT_EQ(f.Manager->Strings().Count(), 10);
}

TEST(ControlTable, TextsByClassFromTheLanguageLibrary) {
    TableForm f({u"Button1\t12\tAdmin", u"Graphic1\t1\tAdmin", u"Speed1\t3\tAdmin", u"Label1\t-5\tAdmin",
                 u"Check1\t2\tAdmin", u"Edit1\t2\tAdmin", u"Item1\t8\tAdmin", u"TableForm\t7\tAdmin",
                 u"Label2\t6\tAdmin"});
    EXPECT_EQ(f.Caption(), u"Start menu");
    EXPECT_EQ(f.Button1->Caption(), u"Create folder");
    EXPECT_EQ(f.Graphic1->Caption(), u"Control Panel");
    EXPECT_EQ(f.Graphic1->Hint(), u"Opens the control panel");
    EXPECT_EQ(f.Speed1->Caption(), u"Run");
    EXPECT_EQ(f.Speed1->Hint(), u"Run");  // a text ending in a bar: the hint is the caption
    EXPECT_EQ(f.Label1->Caption(), u"Entwurf");  // a negative number applies nothing
    EXPECT_EQ(f.Label2->Caption(), u"Entwurf");  // the library has no text
    EXPECT_EQ(f.Check1->Caption(), u"Information");
    EXPECT_EQ(f.Edit1->Text(), u"Entwurf");  // edits take no texts
    EXPECT_EQ(f.Item1->Caption(), u"Größe ändern");

    // Columns take consecutive numbers, blank where the library has none.
    auto* columns = new ListColumns(&f);
    columns->SetName(u"ListView1");
    f.Manager->AddCtrl(u"ListView1", 8, ulAdmin);
    EXPECT_EQ(columns->Captions, (std::vector<std::u16string>{u"Größe ändern", u""}));
    // The list control itself takes them the same way.
    auto* list = new TListView(&f);
    list->SetName(u"ListView2");
    for (int i = 0; i < 3; ++i) list->Columns().Add()->SetCaption(u"alt");
    f.Manager->AddCtrl(u"ListView2", 8, ulAdmin);
    EXPECT_EQ(list->Columns().Items(0)->Caption(), u"Größe ändern");
    EXPECT_EQ(list->Columns().Items(1)->Caption(), u"");
    EXPECT_EQ(list->Columns().Items(2)->Caption(), framework::GetResourceStrDef(10, u""));

    // A later entry for a listed name does not count; a new name is applied at once.
    f.Manager->AddCtrl(u"Check1", 12, ulAdmin);
    EXPECT_EQ(f.Check1->Caption(), u"Information");
    auto* label3 = new TLabel(&f);
    label3->SetName(u"Label3");
    f.Manager->AddCtrl(u"Label3", 2, ulAdmin);
    EXPECT_EQ(label3->Caption(), u"Information");
    // Deleting the first entry lets the second count; what was applied stays.
    f.Manager->DelCtrl(u"Check1");
    EXPECT_EQ(f.Manager->GetCtrlResID(u"Check1"), 12);
    EXPECT_EQ(f.Check1->Caption(), u"Information");
}

TEST(ControlTable, LevelsForTheUserAndTheBroadcasts) {
    UserGuard guard;
    TableForm f({u"Button1\t0\tStandardUser", u"Speed1\t0\tSimpleUser", u"Graphic1\t0\tAdmin", u"Item1\t0\tAdmin"});
    TableForm g({u"Button1\t2\tAdmin"});
    int userChanges = 0, languageChanges = 0;
    f.Manager->OnUserChange = [&](TObject* s) {
        EXPECT_EQ(s, f.Manager);
        ++userChanges;
    };
    f.Manager->OnLanguageChange = [&](TObject*) { ++languageChanges; };
    EXPECT_TRUE(f.Button1->Enabled());
    // Set through any form manager, the user reaches every form.
    g.Manager->SetUser(TUser{u"gast", ulSimpleUser, u""});
    EXPECT_EQ(userChanges, 1);
    EXPECT_FALSE(f.Button1->Enabled());
    EXPECT_TRUE(f.Speed1->Enabled());
    EXPECT_FALSE(f.Graphic1->Enabled());
    EXPECT_FALSE(g.Button1->Enabled());
    EXPECT_TRUE(f.Item1->Enabled());  // menu items are not levelled
    EXPECT_FALSE(f.Manager->IsCtrlEnabled(u"Button1"));
    f.Manager->SetUser(TUser{u"gast", ulStandardUser, u""});
    EXPECT_TRUE(f.Button1->Enabled());
    f.Manager->SetUser(f.Manager->User());  // the same user: still a broadcast
    EXPECT_EQ(userChanges, 3);

    // With a level handler the control is left to it.
    std::vector<std::pair<TControl*, bool>> decided;
    f.Manager->OnLevelChange = [&](TObject*, TControl* c, bool e) { decided.emplace_back(c, e); };
    f.Manager->SetUser(TUser{u"gast", ulSimpleUser, u""});
    ASSERT_EQ(decided.size(), 3u);
    EXPECT_EQ(decided[0], (std::pair<TControl*, bool>{f.Button1, false}));
    EXPECT_TRUE(f.Button1->Enabled());

    // A language change re-applies texts; a missing library leaves them.
    g.Manager->SetLanguage(lgFrench);
    EXPECT_EQ(languageChanges, 1);
    EXPECT_EQ(g.Button1->Caption(), u"Information");
    g.Manager->SetLanguage(lgGerman);
    EXPECT_EQ(languageChanges, 2);
    // Without AutoLevel, a user change leaves the enabled states.
    f.Manager->OnLevelChange = nullptr;
    f.Manager->SetAutoLevel(false);
    f.Manager->SetUser(TUser{});
    EXPECT_TRUE(f.Speed1->Enabled());
    EXPECT_FALSE(f.Graphic1->Enabled());
}

TEST(ControlTable, EmptyTablesConversionErrorsAndTheDataValue) {
    TableForm empty({});
    EXPECT_EQ(empty.Manager->Strings().Count(), 0);
    EXPECT_EQ(empty.Caption(), u"Entwurf");
    EXPECT_EQ(empty.Button1->Caption(), u"Entwurf");
    EXPECT_FALSE(empty.Manager->DataStored(nullptr));

    try {
        TableForm broken({u"Button1\t99999999999\tAdmin"});
        ADD_FAILURE() << "loaded";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'99999999999' ist kein gültiger Integerwert");
    }

    TableForm f({u"Button1\t12\tAdmin", u"Label1\t2\tSimpleUser"});
    std::vector<std::uint8_t> data;
    f.Manager->WriteData(data);
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(data.front(), vaList);
    EXPECT_EQ(data.back(), vaNull);
    TStringList copy;
    std::size_t pos = 0;
    ASSERT_TRUE(ReadDataList(data, pos, copy));
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Strings(1), u"Label1");
    EXPECT_TRUE(f.Manager->DataStored(nullptr));
    EXPECT_FALSE(f.Manager->DataStored(f.Manager));
    EXPECT_TRUE(f.Manager->DataStored(empty.Manager));

    TStringList lines;
    lines.Assign(f.Manager);
    EXPECT_EQ(lines.Count(), 2);
    empty.Manager->Assign(f.Manager);
    EXPECT_EQ(empty.Manager->Strings().Count(), 2);
    TFont font;
    try {
        f.Manager->Assign(&font);
        ADD_FAILURE() << "assigned";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"TFont kann nicht zu TFormManager zugewiesen werden");
    }
}

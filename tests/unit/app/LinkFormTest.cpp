// The link manager on the in-memory widgets: the copy of the links shown and written back on every
// way of closing, adding from the browser, removing and moving with its wrap rules, the browser's
// two halves following each other and its order by column, the check box, and the browser's
// folder kept in the registry only once the user browsed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app/NbLink.h"
#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "framework/FormManager.h"
#include "support/FileShell.h"
#include "support/ScopedRegistry.h"
#include "support/TempDir.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/HeadlessCheckBox.h"
#include "ui/headless/HeadlessListView.h"
#include "ui/headless/HeadlessTreeView.h"

using namespace app;
using ui::headless::PeerOf;

namespace {
ui::headless::HeadlessBackend& Headless() { return dynamic_cast<ui::headless::HeadlessBackend&>(ui::GetBackend()); }

std::vector<std::u16string> Lines() {
    std::vector<std::u16string> lines;
    for (const LinkEntry& e : Links) lines.push_back(e.Line());
    return lines;
}
std::vector<std::u16string> Shown(ui::TListView& list) {
    std::vector<std::u16string> captions;
    for (int i = 0; i < list.Items().Count(); ++i) captions.push_back(list.Items().Item(i)->Caption());
    return captions;
}
int IndexOf(ui::TListView& list, const std::u16string& caption) {
    for (int i = 0; i < list.Items().Count(); ++i)
        if (list.Items().Item(i)->Caption() == caption) return i;
    return -1;
}

// A folder to browse, the registry, and the dialog over them.
struct Dialog {
    explicit Dialog(bool storeFolder = true) {
        framework::SetProcessRegistryKey(AppRegistryKey());
        for (const char* name : {"Werkzeuge", "b-Ordner"}) std::filesystem::create_directory(dir.Native() / name);
        for (const char* name : {"file10.txt", "file2.txt", "Readme.md", "a.exe", "ohne"})
            std::ofstream(dir.Native() / name) << name;
        std::ofstream(dir.Native() / "Werkzeuge" / "Hammer.exe") << "x";
        if (storeFolder)
            registry.Put(platform::RootKey::CurrentUser, AppRegistryKey() + u"\\Options", u"LinkDirectory",
                         platform::StringValue(dir.Path()));
        Links.Clear();
        AddMenuSelection = false;
    }
    ~Dialog() {
        form.reset();
        Links.Clear();
        AddMenuSelection = false;
        framework::SetProcessRegistryKey(u"");
    }
    TLinkForm& Make() {
        form = std::make_unique<TLinkForm>();
        return *form;
    }
    // Runs the dialog modally with the queued user, ended by the close button.
    void Run(const std::function<void()>& user) {
        Headless().Queue([&, user] {
            user();
            PeerOf(*form->Button1).ClickAt(1, 1);
        });
        EXPECT_EQ(form->ShowModal(), ui::mrClose);
    }
    std::u16string Stored() {
        auto key = registry.Registry().Open(platform::RootKey::CurrentUser, AppRegistryKey() + u"\\Options",
                                            platform::KeyRead, false);
        bool tooLarge = false;
        auto value = key ? key->Read(u"LinkDirectory", 4096, tooLarge) : std::nullopt;
        if (!value) return u"(none)";
        std::u16string text;
        for (std::size_t i = 0; i + 1 < value->Data.size(); i += 2) text += char16_t(value->Data[i] | (value->Data[i + 1] << 8));
        while (!text.empty() && text.back() == u'\0') text.pop_back();
        return text;
    }
    TempDir dir;
    ScopedRegistry registry;
    std::unique_ptr<TLinkForm> form;
};
}  // namespace

TEST(LinkForm, MovedLinksWrapAsDesigned) {
    // Taken out of five, four remain: up from the first goes to the end, down from the last stays last.
    EXPECT_EQ(MovedLinkPosition(0, -1, 4), 4);
    EXPECT_EQ(MovedLinkPosition(4, +1, 4), 4);
    EXPECT_EQ(MovedLinkPosition(3, +1, 4), 4);
    EXPECT_EQ(MovedLinkPosition(2, -1, 4), 1);
    EXPECT_EQ(MovedLinkPosition(2, +1, 4), 3);
    EXPECT_EQ(MovedLinkPosition(0, +1, 0), 0);  // the only link
}

TEST(LinkForm, TheCopyIsShownAndWrittenBackOnEveryWayOfClosing) {
    Dialog d;
    Links = {u"Eins\tC:\\eins.txt", u"ohne Pfad", u"Zwei\tC:\\zwei\tmit.txt", u"\tC:\\leer.txt"};
    TLinkForm& form = d.Make();
    d.Run([&] {
        EXPECT_TRUE(PeerOf(static_cast<ui::TForm&>(form)).Topmost);
        EXPECT_EQ(Shown(*form.ListView1), (std::vector<std::u16string>{u"Eins", u"Zwei", u""}));
        EXPECT_EQ(form.ListView1->Items().Item(1)->SubItems()[0], u"C:\\zwei\tmit.txt");
    });
    // The line without a TAB is gone, the others kept in order; only the first TAB separates.
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"Eins\tC:\\eins.txt", u"Zwei\tC:\\zwei\tmit.txt", u"\tC:\\leer.txt"}));

    // The close box and Alt+F4 come as the window's close request; each writes back too.
    for (int way = 0; way < 2; ++way) {
        Headless().Queue([&] {
            form.ListView1->Items().Item(0)->Delete();
            if (way == 0) form.HandleCloseRequest(); else form.Close();
        });
        EXPECT_EQ(form.ShowModal(), ui::mrCancel);
        EXPECT_EQ(Links.size(), 2u - way);
    }
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"\tC:\\leer.txt"}));
}

TEST(LinkForm, MovingRemovingAndTheButtonsThatNeedALink) {
    Dialog d;
    Links = {u"A\tC:\\a.txt", u"B\tC:\\b.txt", u"C\tC:\\c.txt"};
    TLinkForm& form = d.Make();
    d.Run([&] {
        auto& list = PeerOf(*form.ListView1);
        // Nothing selected: remove and move are off.
        for (auto* b : {form.SpeedButton2, form.SpeedButton3, form.SpeedButton4}) EXPECT_FALSE(b->Enabled());
        list.UserClick(0);
        EXPECT_TRUE(form.SpeedButton3->Enabled());
        PeerOf(*form.SpeedButton3).ClickAt(2, 2);  // the first up: to the end
        EXPECT_EQ(Shown(*form.ListView1), (std::vector<std::u16string>{u"B", u"C", u"A"}));
        ASSERT_NE(form.ListView1->Selected(), nullptr);
        EXPECT_EQ(form.ListView1->Selected()->Caption(), u"A");
        EXPECT_EQ(form.ListView1->SelCount(), 1);
        PeerOf(*form.SpeedButton4).ClickAt(2, 2);  // the last down: stays last
        EXPECT_EQ(Shown(*form.ListView1), (std::vector<std::u16string>{u"B", u"C", u"A"}));
        PeerOf(*form.SpeedButton3).ClickAt(2, 2);
        EXPECT_EQ(Shown(*form.ListView1), (std::vector<std::u16string>{u"B", u"A", u"C"}));
        EXPECT_EQ(form.ListView1->Selected()->SubItems()[0], u"C:\\a.txt");
        list.UserClick(0);
        PeerOf(*form.SpeedButton4).ClickAt(2, 2);
        EXPECT_EQ(Shown(*form.ListView1), (std::vector<std::u16string>{u"A", u"B", u"C"}));
        PeerOf(*form.SpeedButton2).ClickAt(2, 2);  // the moved link is the selection: removed
        EXPECT_EQ(Shown(*form.ListView1), (std::vector<std::u16string>{u"A", u"C"}));
        for (auto* b : {form.SpeedButton2, form.SpeedButton3, form.SpeedButton4}) EXPECT_FALSE(b->Enabled());
        // A disabled button does nothing.
        PeerOf(*form.SpeedButton2).ClickAt(2, 2);
        EXPECT_EQ(form.ListView1->Items().Count(), 2);
        // A renamed link keeps a name the file can hold.
        list.UserClick(0);
        form.ListView1->Selected()->EditCaption();
        const std::u16string broken = u"Neu\tName";
        list.UserEndEdit(&broken);
        EXPECT_EQ(form.ListView1->Items().Item(0)->Caption(), u"A");
        form.ListView1->Selected()->EditCaption();
        const std::u16string renamed = u"Größe 1";
        list.UserEndEdit(&renamed);
    });
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"Größe 1\tC:\\a.txt", u"C\tC:\\c.txt"}));
}

TEST(LinkForm, AddingTakesExistingFilesOfTheBrowserWithoutADuplicateTest) {
    Dialog d;
    Links = {u"a\t" + d.dir.File(u"a.exe")};
    TLinkForm& form = d.Make();
    EXPECT_EQ(form.DirectoryTreeView1->Directory(), d.dir.Path());
    EXPECT_EQ(form.DirFileListView1->Path(), d.dir.Path());
    // A file whose name holds a TAB (possible off Windows) cannot be kept in the links file.
    std::ofstream(d.dir.Native() / "mit\ttab.txt") << "x";
    form.DirFileListView1->UpdatePath();
    d.Run([&] {
        auto& files = PeerOf(*form.DirFileListView1);
        EXPECT_FALSE(form.SpeedButton1->Enabled());
        files.UserClick(IndexOf(*form.DirFileListView1, u"Werkzeuge"));  // a folder
        EXPECT_FALSE(form.SpeedButton1->Enabled());
        files.UserClick(IndexOf(*form.DirFileListView1, u"mit\ttab.txt"));
        EXPECT_FALSE(form.SpeedButton1->Enabled());
        files.UserClick(IndexOf(*form.DirFileListView1, u"a.exe"));
        ASSERT_TRUE(form.SpeedButton1->Enabled());
        PeerOf(*form.SpeedButton1).ClickAt(2, 2);
        files.UserClick(IndexOf(*form.DirFileListView1, u"Readme.md"));
        PeerOf(*form.SpeedButton1).ClickAt(2, 2);
        // Appended, not selected.
        EXPECT_EQ(Shown(*form.ListView1), (std::vector<std::u16string>{u"a", u"a", u"Readme"}));
        EXPECT_EQ(form.ListView1->Selected(), nullptr);
        // A file deleted meanwhile is not added.
        files.UserClick(IndexOf(*form.DirFileListView1, u"ohne"));
        std::filesystem::remove(d.dir.Native() / "ohne");
        PeerOf(*form.SpeedButton1).ClickAt(2, 2);
        EXPECT_EQ(form.ListView1->Items().Count(), 3);
    });
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"a\t" + d.dir.File(u"a.exe"), u"a\t" + d.dir.File(u"a.exe"),
                                                    u"Readme\t" + d.dir.File(u"Readme.md")}));
}

TEST(LinkForm, TheFileListOrderForEachColumn) {
    Dialog d;
    TLinkForm& form = d.Make();
    auto& files = PeerOf(*form.DirFileListView1);
    // Name (the first showing): folders first by name, then files naturally.
    EXPECT_EQ(form.DirFileListView1->Tag(), 0);
    EXPECT_EQ(Shown(*form.DirFileListView1), (std::vector<std::u16string>{u"b-Ordner", u"Werkzeuge", u"a.exe", u"file2.txt",
                                                                            u"file10.txt", u"ohne", u"Readme.md"}));
    // Type: folders still first by name; files by extension, then by name.
    files.UserColumnClick(2);
    EXPECT_EQ(form.DirFileListView1->Tag(), 2);
    EXPECT_EQ(Shown(*form.DirFileListView1), (std::vector<std::u16string>{u"b-Ordner", u"Werkzeuge", u"ohne", u"a.exe",
                                                                            u"Readme.md", u"file2.txt", u"file10.txt"}));
    // Size and date: folders first by name; the files among themselves in an order of the column.
    for (int column : {1, 3}) {
        files.UserColumnClick(column);
        EXPECT_EQ(form.DirFileListView1->Tag(), column);
        const auto shown = Shown(*form.DirFileListView1);
        EXPECT_EQ(shown[0], u"b-Ordner");
        EXPECT_EQ(shown[1], u"Werkzeuge");
        EXPECT_EQ(std::set<std::u16string>(shown.begin() + 2, shown.end()).size(), 5u);
    }
    // The comparison alone: a folder before a file whatever the column.
    auto* folder = form.DirFileListView1->Items().Item(0);
    auto* file = form.DirFileListView1->Items().Item(3);
    for (int column = 0; column < 4; ++column) {
        form.DirFileListView1->SetTag(column);
        int compare = 0;
        form.DirFileListView1Compare(nullptr, folder, file, 0, compare);
        EXPECT_LT(compare, 0) << column;
        form.DirFileListView1Compare(nullptr, file, folder, 0, compare);
        EXPECT_GT(compare, 0) << column;
    }
    // The chosen order holds for the next folder too, and the tree follows the list into it.
    files.UserColumnClick(2);
    files.UserDoubleClick(IndexOf(*form.DirFileListView1, u"Werkzeuge"));
    EXPECT_EQ(form.DirFileListView1->Path(), d.dir.File(u"Werkzeuge"));
    EXPECT_EQ(form.DirectoryTreeView1->Directory(), d.dir.File(u"Werkzeuge"));
    EXPECT_EQ(form.DirFileListView1->Tag(), 2);
}

TEST(LinkForm, TheBrowserFolderIsKeptOnlyOnceTheUserBrowsed) {
    {
        // A stored folder that is gone: no error, the tree keeps no folder, and the value stays.
        Dialog d(false);
        d.registry.Put(platform::RootKey::CurrentUser, AppRegistryKey() + u"\\Options", u"LinkDirectory",
                       platform::StringValue(u"Q:\\Netz\\weg"));
        const std::size_t boxes = Headless().MessageBoxes.size();
        d.Make();
        EXPECT_EQ(Headless().MessageBoxes.size(), boxes);
        EXPECT_TRUE(d.form->DirectoryTreeView1->Directory().empty());
        d.Run([] {});
        d.form.reset();
        EXPECT_EQ(d.Stored(), u"Q:\\Netz\\weg");
    }
    {
        // Nothing stored: the Windows directory; not written when not browsed.
        Dialog d(false);
        d.Make();
        EXPECT_FALSE(d.form->Browsed());
        d.form.reset();
        EXPECT_EQ(d.Stored(), u"(none)");
    }
    {
        // Browsed by a double click on a link (its folder shown) and by the tree: the last is kept.
        Dialog d;
        Links = {u"Hammer\t" + d.dir.File(u"Werkzeuge\\Hammer.exe"), u"Weg\tQ:\\weg\\x.exe"};
        TLinkForm& form = d.Make();
        d.Run([&] {
            auto& list = PeerOf(*form.ListView1);
            list.UserClick(1);
            list.UserDoubleClick(1);  // a folder that is gone: the browser stays
            EXPECT_EQ(form.DirectoryTreeView1->Directory(), d.dir.Path());
            list.UserClick(0);
            list.UserDoubleClick(0);
            EXPECT_EQ(form.DirectoryTreeView1->Directory(), d.dir.File(u"Werkzeuge"));
            EXPECT_EQ(form.DirFileListView1->Path(), d.dir.File(u"Werkzeuge"));
            EXPECT_GE(IndexOf(*form.DirFileListView1, u"Hammer.exe"), 0);
        });
        EXPECT_TRUE(form.Browsed());
        d.form.reset();
        EXPECT_EQ(d.Stored(), d.dir.File(u"Werkzeuge"));
    }
}

TEST(LinkForm, TheCheckBoxSwitchesAddingAtOnce) {
    Dialog d;
    AddMenuSelection = true;
    TLinkForm& form = d.Make();
    EXPECT_TRUE(form.CheckBox1->Checked());
    d.Run([&] {
        dynamic_cast<ui::headless::HeadlessCheckBox&>(ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.CheckBox1)))
            .UserToggle();
        EXPECT_FALSE(AddMenuSelection);
    });
    EXPECT_FALSE(AddMenuSelection);
}

TEST(LinkForm, TheLinksButtonKeepsTheMenuOpenAndReusesTheDialog) {
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    ScopedRegistry registry;
    framework::SetProcessRegistryKey(AppRegistryKey());
    Links = {u"Eins\tC:\\eins.txt", u"kaputt"};
    TMainForm form;
    form.Show();
    TLinkForm* first = nullptr;
    int tagWhileShown = 0;
    Headless().Queue([&] {
        first = LinkForm;
        tagWhileShown = form.Tag();
        LinkForm->Close();
    });
    PeerOf(*form.Buttons[5]).ClickAt(5, 5);
    EXPECT_EQ(tagWhileShown, 1);
    EXPECT_EQ(form.Tag(), 0);
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"Eins\tC:\\eins.txt"}));
    Headless().Queue([&] { LinkForm->Close(); });
    form.LinkClick(nullptr);
    EXPECT_EQ(LinkForm, first);
    delete LinkForm;
    LinkForm = nullptr;
    Links.Clear();
    framework::SetProcessRegistryKey(u"");
}

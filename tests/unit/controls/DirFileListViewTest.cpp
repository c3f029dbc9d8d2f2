// The directory file list over a prepared folder: folders first and each group in name order,
// sizes, types and dates, the mask and what is shown, the drive list, opening by Enter and double
// click, and renaming with its guards.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "controls/DirFileListView.h"
#include "support/RecordingShellOperations.h"
#include "support/TempDir.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"

using controls::TDirFileListView;
using ui::headless::PeerOf;

namespace {
struct ListForm : ui::TForm {
    ListForm() : ui::TForm(nullptr) {
        SetBorderStyle(ui::bsNone);
        SetBounds(0, 0, 600, 400);
        List = new TDirFileListView(this);
        List->SetParent(this);
        List->SetBounds(0, 0, 600, 400);
        List->SetViewStyle(ui::vsReport);
        List->OnPathChange = [this](ui::TObject*) { ++PathChanges; };
    }
    std::vector<std::u16string> Captions() const {
        std::vector<std::u16string> captions;
        for (int i = 0; i < List->Items().Count(); ++i) captions.push_back(List->Items().Item(i)->Caption());
        return captions;
    }
    TDirFileListView* List;
    int PathChanges = 0;
};

struct Folder {
    Folder() {
        for (const char* name : {"Zubehör", "b-Ordner", ".versteckt"}) std::filesystem::create_directory(dir.Native() / name);
        Write("file10.txt", 1023);
        Write("file2.txt", 1024);
        Write("Readme.txt", 5);
        Write("a.exe", 0);
        Write("c.LNK", 1);
        Write("ohne", 1);
    }
    void Write(const char* name, std::size_t size) { std::ofstream(dir.Native() / name) << std::string(size, 'x'); }
    TempDir dir;
};
}  // namespace

TEST(DirFileListView, FoldersFirstEachInNameOrderWithSizesTypesAndDates) {
    Folder folder;
    ListForm form;
    EXPECT_EQ(form.List->Columns().Count(), 4);
    EXPECT_EQ(form.List->Columns().Items(3)->Caption(), u"Geändert am");
    form.List->SetPath(folder.dir.Path());
    EXPECT_EQ(form.PathChanges, 1);
    EXPECT_EQ(form.Captions(), (std::vector<std::u16string>{u"b-Ordner", u"Zubehör", u"a.exe", u"c.LNK", u"file10.txt",
                                                             u"file2.txt", u"ohne", u"Readme.txt"}));
    const auto subItems = [&](int i) { return form.List->Items().Item(i)->SubItems(); };
    EXPECT_EQ(subItems(1).size(), 3u);
    EXPECT_EQ(subItems(1)[0], u"");
    EXPECT_EQ(subItems(1)[1], u"Dateiordner");
    EXPECT_EQ(subItems(4)[0], u"0.99 KB");
    EXPECT_EQ(subItems(5)[0], u"1 KB");
    EXPECT_EQ(subItems(2)[0], u"0 Byte");
    // The type name is asked of the shell when the row is shown, not while the folder is read.
    EXPECT_EQ(subItems(5)[1], u"");
    EXPECT_EQ(PeerOf(*form.List).RowTexts(5)[2], u"TXT-Datei");
    EXPECT_EQ(subItems(5)[1], u"TXT-Datei");
    // "dd.mm.yy hh:nn"
    const std::u16string date = subItems(5)[2];
    ASSERT_EQ(date.size(), 14u);
    EXPECT_EQ(date[2], u'.');
    EXPECT_EQ(date[11], u':');
    // The widget shows the same texts.
    EXPECT_EQ(PeerOf(*form.List).RowTexts(4)[1], u"0.99 KB");

    form.List->SetMask(u"*.exe;*.lnk");
    EXPECT_EQ(form.Captions(), (std::vector<std::u16string>{u"b-Ordner", u"Zubehör", u"a.exe", u"c.LNK"}));
    form.List->SetMask(u"");
    EXPECT_EQ(form.List->Mask(), u"*.*");
    form.List->SetShowFolders(false);
    EXPECT_EQ(form.List->Items().Count(), 6);
    form.List->SetShowFiles(false);
    EXPECT_EQ(form.List->Items().Count(), 0);
    form.List->SetShowFolders(true);
    EXPECT_EQ(form.Captions(), (std::vector<std::u16string>{u"b-Ordner", u"Zubehör"}));
    // A path that does not exist: nothing listed, and still told.
    form.List->SetPath(folder.dir.File(u"fehlt"));
    EXPECT_EQ(form.List->Items().Count(), 0);
    EXPECT_EQ(form.PathChanges, 2);
}

TEST(DirFileListView, EnterAndDoubleClicksOpenFoldersDrivesAndFiles) {
    Folder folder;
    RecordingShellOperations shell;
    ListForm form;
    form.List->SetPath(folder.dir.Path());
    auto& widget = PeerOf(*form.List);
    widget.UserDoubleClick(1);  // "Zubehör"
    EXPECT_EQ(form.List->Path(), folder.dir.File(u"Zubehör"));
    form.List->SetPath(folder.dir.Path());
    widget.UserDoubleClick(4);  // "file10.txt"
    ASSERT_EQ(shell.Starts.size(), 1u);
    EXPECT_EQ(shell.Starts[0].File, folder.dir.File(u"file10.txt"));
    EXPECT_EQ(shell.Starts[0].Verb, u"");
    EXPECT_EQ(util::TrimTrailingBackslash(shell.Starts[0].Directory), folder.dir.Path());
    EXPECT_EQ(form.List->Path(), folder.dir.Path());
    // Enter opens the focused folder, not a file.
    widget.UserClick(4);
    widget.KeyPress(u'\r');
    EXPECT_EQ(form.List->Path(), folder.dir.Path());
    widget.UserClick(0);
    widget.KeyPress(u'\r');
    EXPECT_EQ(form.List->Path(), folder.dir.File(u"b-Ordner"));

    // The drives, in any letter case: display names, no sub-items, no renaming; Enter opens a root.
    form.List->SetPath(u"drives");
    ASSERT_GE(form.List->Items().Count(), 1);
    EXPECT_TRUE(form.List->Items().Item(0)->SubItems().empty());
    form.List->Items().Item(0)->EditCaption();
    EXPECT_EQ(widget.Editing, -1);
    const std::u16string root = form.List->ItemTarget(form.List->Items().Item(0));
    EXPECT_FALSE(root.empty());
    widget.UserClick(0);
    widget.KeyPress(u'\r');
    EXPECT_EQ(form.List->Path(), root);
    EXPECT_FALSE(form.List->DriveMode());
}

TEST(DirFileListView, RenamingKeepsTheOldNameForCaseOnlyInvalidAndTakenNames) {
    Folder folder;
    ListForm form;
    form.List->SetPath(folder.dir.Path());
    auto& widget = PeerOf(*form.List);
    const auto rename = [&](int index, const std::u16string& text) {
        form.List->Items().Item(index)->EditCaption();
        EXPECT_EQ(widget.Editing, index);
        widget.UserEndEdit(&text);
        return form.List->Items().Item(index)->Caption();
    };
    EXPECT_EQ(rename(7, u"README.TXT"), u"Readme.txt");
    EXPECT_EQ(rename(7, u"Lies?mich.txt"), u"Readme.txt");
    EXPECT_EQ(rename(7, u""), u"Readme.txt");
    EXPECT_EQ(rename(7, u"file2.txt"), u"Readme.txt");  // taken: nothing is replaced
    EXPECT_EQ(std::filesystem::file_size(folder.dir.Native() / "file2.txt"), 1024u);
    EXPECT_TRUE(std::filesystem::exists(folder.dir.Native() / "Readme.txt"));
    EXPECT_EQ(rename(7, u"Lies mich.txt"), u"Lies mich.txt");
    EXPECT_TRUE(std::filesystem::exists(folder.dir.Native() / "Lies mich.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.dir.Native() / "Readme.txt"));
    // A folder renames the same way.
    EXPECT_EQ(rename(1, u"Werkzeuge"), u"Werkzeuge");
    EXPECT_TRUE(std::filesystem::is_directory(folder.dir.Native() / "Werkzeuge"));
}

TEST(DirFileListView, EachColumnOrdersFilesAndKeepsFoldersFirstByName) {
    TempDir dir;
    for (const char* name : {"Ordner10", "Ordner2"}) std::filesystem::create_directory(dir.Native() / name);
    const std::pair<const char*, std::size_t> files[] = {
        {"file10.txt", 30}, {"file2.txt", 10}, {"a.zip", 20}, {"b.ini", 40}, {"c", 5}};
    for (auto [name, size] : files) std::ofstream(dir.Native() / name) << std::string(size, 'x');
    // Dates in the order b.ini, c, a.zip, file2.txt, file10.txt.
    const auto now = std::filesystem::file_time_type::clock::now();
    const char* byAge[] = {"b.ini", "c", "a.zip", "file2.txt", "file10.txt"};
    for (int i = 0; i < 5; ++i) std::filesystem::last_write_time(dir.Native() / byAge[i], now - std::chrono::hours(10 - i));
    ListForm form;
    form.List->SetPath(dir.Path());
    const auto sortedBy = [&](int column) {
        form.List->CustomSort([&](ui::TListItem* a, ui::TListItem* b) { return form.List->CompareItems(a, b, column); });
        return form.Captions();
    };
    using Names = std::vector<std::u16string>;
    EXPECT_EQ(sortedBy(0), (Names{u"Ordner2", u"Ordner10", u"a.zip", u"b.ini", u"c", u"file2.txt", u"file10.txt"}));
    EXPECT_EQ(sortedBy(1), (Names{u"Ordner2", u"Ordner10", u"c", u"file2.txt", u"a.zip", u"file10.txt", u"b.ini"}));
    // No extension comes before any: were it equal to every one, c would sit after a.zip by name,
    // before file2.txt by name, and file2.txt before a.zip by type, a circle with no order.
    EXPECT_EQ(sortedBy(2), (Names{u"Ordner2", u"Ordner10", u"c", u"b.ini", u"file2.txt", u"file10.txt", u"a.zip"}));
    EXPECT_EQ(sortedBy(3), (Names{u"Ordner2", u"Ordner10", u"b.ini", u"c", u"a.zip", u"file2.txt", u"file10.txt"}));
    // Names the natural order calls equal still sort one way, whatever order they came in.
    for (const char* name : {"Akte7", "Akte07", "Akte"}) std::ofstream(dir.Native() / name) << "x";
    form.List->UpdatePath();
    const Names forward = sortedBy(0);
    form.List->CustomSort([&](ui::TListItem* a, ui::TListItem* b) { return -form.List->CompareItems(a, b, 0); });
    EXPECT_EQ(sortedBy(0), forward);
    EXPECT_EQ(Names(forward.begin() + 3, forward.begin() + 6), (Names{u"Akte", u"Akte07", u"Akte7"}));
    // The drives count as folders.
    form.List->SetPath(u"DRIVES");
    EXPECT_EQ(form.List->CompareItems(form.List->Items().Item(0), form.List->Items().Item(0), 1), 0);
}

// The main window as designed: every control's place, texts, fonts and colours, the tab order,
// the tree's properties, the context menu's items with their handlers, the timer, the size table;
// the timer's one tick that raises the window, and the colours of the tree's rows.
#include <gtest/gtest.h>

#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "platform/Utf.h"
#include "support/FileShell.h"
#include "support/RecordingShellOperations.h"
#include "ui/Bitmap.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/HeadlessForm.h"

using namespace app;

namespace {
struct Bounds {
    int Left, Top, Width, Height;
};
void ExpectBounds(const ui::TControl& c, Bounds b) {
    EXPECT_EQ(c.Left(), b.Left) << platform::ToUtf8(c.Name());
    EXPECT_EQ(c.Top(), b.Top) << platform::ToUtf8(c.Name());
    EXPECT_EQ(c.Width(), b.Width) << platform::ToUtf8(c.Name());
    EXPECT_EQ(c.Height(), b.Height) << platform::ToUtf8(c.Name());
}
void ExpectFont(const ui::TControl& c, const char16_t* name, int height, ui::TColor color) {
    EXPECT_EQ(c.Font().Name(), name) << platform::ToUtf8(c.Name());
    EXPECT_EQ(c.Font().Height(), height) << platform::ToUtf8(c.Name());
    EXPECT_EQ(c.Font().Color(), color) << platform::ToUtf8(c.Name());
}
}  // namespace

TEST(MainDesign, ControlsTextsFontsColoursAndOrder) {
    MainWindowForm form;
    EXPECT_EQ(form.BorderStyle(), ui::bsSizeToolWin);
    EXPECT_EQ(form.BorderIcons(), 0u);
    EXPECT_EQ(form.Caption(), u"Nimbrel");
    EXPECT_EQ(form.ClientWidth(), 514);
    EXPECT_EQ(form.ClientHeight(), 497);
    EXPECT_EQ(form.Color(), 0x555555u);
    ExpectFont(form, u"Segoe UI", -13, ui::clWindowText);
    EXPECT_EQ(form.PopupMenu(), form.PopupMenu1);

    auto& tree = *form.ShellTreeView1;
    ExpectBounds(tree, {8, 8, 333, 481});
    EXPECT_EQ(tree.TabOrder(), 0);
    EXPECT_EQ(tree.ObjectTypes(), shell::Types(shell::otFolders) | shell::Types(shell::otNonFolders));
    EXPECT_TRUE(tree.UseShellImages());
    EXPECT_FALSE(tree.AutoRefresh());
    EXPECT_FALSE(tree.AutoContextMenus());
    EXPECT_EQ(tree.Color(), 0x555555u);
    ExpectFont(tree, u"Segoe UI", -13, ui::clWindow);
    EXPECT_FALSE(tree.HideSelection());
    EXPECT_EQ(tree.Indent(), 19);
    EXPECT_TRUE(tree.RightClickSelect());
    EXPECT_FALSE(tree.ShowButtons());
    EXPECT_FALSE(tree.ShowLines());
    EXPECT_FALSE(tree.ShowRoot());
    EXPECT_EQ(tree.PopupMenu(), form.PopupMenu1);

    ExpectBounds(*form.UserImage, {347, 8, 168, 98});
    EXPECT_TRUE(form.UserImage->Center());
    EXPECT_TRUE(form.UserImage->Transparent());
    EXPECT_EQ(form.UserImage->Picture().Width(), 64);
    EXPECT_EQ(form.UserImage->Picture().Height(), 64);
    EXPECT_EQ(form.UserImage->PopupMenu(), form.PopupMenu1);
    ExpectBounds(*form.UserLabel, {344, 112, 168, 41});
    EXPECT_EQ(form.UserLabel->Alignment(), ui::taCenter);
    EXPECT_EQ(form.UserLabel->Layout(), ui::tlCenter);
    EXPECT_FALSE(form.UserLabel->AutoSize());
    EXPECT_TRUE(form.UserLabel->WordWrap());
    ExpectFont(*form.UserLabel, u"Segoe UI", -17, ui::clWindow);
    EXPECT_EQ(form.UserLabel->PopupMenu(), form.PopupMenu1);
    ExpectBounds(*form.VersionLabel, {344, 477, 168, 12});
    EXPECT_EQ(form.VersionLabel->Alignment(), ui::taCenter);
    ExpectFont(*form.VersionLabel, u"Tahoma", -9, ui::clWindowText);

    const Bounds buttons[6] = {{347, 200, 160, 41}, {347, 248, 160, 41}, {347, 304, 160, 41},
                               {347, 352, 160, 41}, {384, 423, 41, 28},  {432, 423, 41, 28}};
    const char16_t* captions[6] = {u"&Systemsteuerung", u"&Information", u"A&usführen", u"&Ordner erstellen", u"", u""};
    for (int i = 0; i < 6; ++i) {
        const controls::TGraphicButton& b = *form.Buttons[i];
        ExpectBounds(b, buttons[i]);
        EXPECT_EQ(b.Caption(), captions[i]);
        EXPECT_EQ(b.TabOrder(), i + 1);
        EXPECT_EQ(b.FrameColor(), ui::clGray);
        EXPECT_EQ(b.SelectFrameColor(), ui::clSilver);
        EXPECT_EQ(b.FrameStyle(), controls::fsRectangle);
        EXPECT_EQ(b.ButtonLight(), 0xAAFFFFu);
        EXPECT_EQ(b.Layout(), controls::ltGlyphLeft);
        ExpectFont(b, u"Segoe UI", -13, ui::clWindow);
    }
    EXPECT_EQ(form.Buttons[4]->Glyph().Width(), 16);
    EXPECT_EQ(form.Buttons[5]->Glyph().Width(), 16);

    EXPECT_EQ(form.Timer1->Interval(), 250u);
    EXPECT_TRUE(form.Timer1->Enabled());
    EXPECT_TRUE(form.PopupMenu2->OwnerDraw());
    EXPECT_EQ(form.PopupMenu2->Items().Count(), 0);

    // The size table names each component once and nothing the form does not have.
    int rows = 0;
    for (const char16_t* row : MainSizeTable) {
        const std::u16string name(row, std::u16string_view(row).find(u'\t'));
        EXPECT_NE(form.FindComponent(name), nullptr) << platform::ToUtf8(name);
        ++rows;
    }
    EXPECT_EQ(rows, form.ComponentCount() - 1);  // all but the size manager
}

TEST(MainDesign, TheContextMenuItemsInOrderWithTheirHandlers) {
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    RecordingShellOperations shell;
    FolderIndex = 1;
    FolderSize = 8;
    TMainForm form;
    form.ShellTreeView1->SetRoot(u"rfCommonPrograms");
    form.Show();
    const std::vector<std::u16string> captions{u"Alle Benutzer",     u"Aktueller Benutzer", u"-",
                                               u"Kleine Schrift",    u"Mittlere Schrift",   u"Große Schrift",
                                               u"-",                 u"Benutzer wechseln",  u"Neu starten",
                                               u"Herunterfahren",    u"-",                  u"Löschen",
                                               u"-",                 u"Öffnen..."};
    ui::TMenuItem& items = form.PopupMenu1->Items();
    ASSERT_EQ(items.Count(), static_cast<int>(captions.size()));
    for (int i = 0; i < items.Count(); ++i) {
        EXPECT_EQ(items.Items(i)->Caption(), captions[static_cast<std::size_t>(i)]);
        EXPECT_EQ(static_cast<bool>(items.Items(i)->OnClick), captions[static_cast<std::size_t>(i)] != u"-") << i;
    }
    // Each item runs its own handler.
    items.Items(1)->Click();
    EXPECT_EQ(FolderIndex, 0);
    items.Items(0)->Click();
    EXPECT_EQ(FolderIndex, 1);
    items.Items(4)->Click();
    EXPECT_EQ(FolderSize, 10);
    items.Items(5)->Click();
    EXPECT_EQ(FolderSize, 12);
    items.Items(3)->Click();
    EXPECT_EQ(FolderSize, 8);
    items.Items(7)->Click();
    items.Items(8)->Click();
    items.Items(9)->Click();
    EXPECT_EQ(shell.SessionEnds, (std::vector<platform::ExitKind>{platform::ExitKind::Logoff, platform::ExitKind::Reboot,
                                                   platform::ExitKind::Shutdown}));
    items.Items(13)->Click();
    ASSERT_EQ(shell.Starts.size(), 1u);  // the selected root opened
    EXPECT_EQ(shell.Starts[0].File, u"\"" + fixture.Text("common") + u"\"");
    items.Items(11)->Click();
    ASSERT_EQ(shell.FileOps.size(), 1u);
    EXPECT_EQ(shell.FileOps[0].Operation, platform::FileOperationKind::Delete);
}

TEST(MainDesign, TheTimerRaisesTheShownWindowOnceAndTheRowsTakeTheMenuColours) {
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    fixture.MakeFile("common/Editor.desktop");
    TMainForm form;
    form.ShellTreeView1->SetRoot(u"rfCommonPrograms");
    auto& window = ui::headless::PeerOf(form);
    // Not shown yet: nothing happens, and the timer keeps running.
    form.Timer1Timer(form.Timer1);
    EXPECT_FALSE(window.Topmost);
    EXPECT_TRUE(form.Timer1->Enabled());
    form.Show();
    form.Timer1Timer(form.Timer1);
    EXPECT_TRUE(window.Topmost);
    EXPECT_FALSE(form.Timer1->Enabled());

    ui::TTreeNode* root = form.ShellTreeView1->Items().GetFirstNode();
    ui::TTreeNode* editor = root->Item(0);
    form.ShellTreeView1->SetSelected(editor);
    ui::TBitmap surface(20, 20);
    ui::TCanvas& canvas = surface.Canvas();
    bool defaultDraw = true;
    form.ShellTreeView1CustomDrawItem(form.ShellTreeView1, canvas, editor, 0, defaultDraw);
    EXPECT_EQ(canvas.Brush.Color, 0xFF00001Du);
    EXPECT_EQ(canvas.Font.Color(), ui::clWindow);
    EXPECT_EQ(canvas.Font.Style(), ui::fsUnderline);
    form.ShellTreeView1CustomDrawItem(form.ShellTreeView1, canvas, root, 0, defaultDraw);
    EXPECT_EQ(canvas.Brush.Color, 0x555555u);
    EXPECT_EQ(canvas.Font.Color(), ui::clWindow);
    EXPECT_EQ(canvas.Font.Style(), 0u);
    form.ShellTreeView1CustomDrawItem(form.ShellTreeView1, canvas, root, ui::cdsFocused, defaultDraw);
    EXPECT_EQ(canvas.Brush.Color, 0xFF00001Du);
    EXPECT_TRUE(defaultDraw);
}

TEST(MainDesign, AtOneAndAHalfTheDensityTheTreeFontIndentPictureAndGlyphsScaleAlsoWhenShown) {
    struct ScreenDpi {
        explicit ScreenDpi(int dpi) { ui::headless::Headless().Dpi = dpi; }
        ~ScreenDpi() { ui::headless::Headless().Dpi = 96; }
    } screen(144);
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    FolderSize = 8;
    TMainForm form;
    form.ShellTreeView1->SetRoot(u"rfCommonPrograms");
    form.Show();
    auto& tree = *form.ShellTreeView1;
    // Eight points at 144 pixels per inch are 16 pixels (11 at 96).
    EXPECT_EQ(tree.Font().Height(), -16);
    EXPECT_EQ(tree.Font().Size(), 8);
    EXPECT_EQ(tree.Indent(), 29);  // 19 x 1.5, rounded away from zero
    EXPECT_EQ(form.UserImage->Picture().Width(), 96);
    EXPECT_EQ(form.Buttons[4]->Glyph().Width(), 24);
    EXPECT_EQ(form.Buttons[5]->Glyph().Height(), 24);
    form.LargeFont1Click(nullptr);
    EXPECT_EQ(tree.Font().Height(), -24);

    // Moved to a screen at 96 while shown: the designed sizes again, the chosen size kept.
    ui::headless::PeerOf(form).MoveToScreenOfDpi(96, ui::Bounds(0, 0, 600, 600));
    EXPECT_EQ(tree.Font().Height(), -16);
    EXPECT_EQ(tree.Font().Size(), 12);
    EXPECT_EQ(tree.Indent(), 19);
    EXPECT_EQ(form.UserImage->Picture().Width(), 64);
    EXPECT_EQ(form.Buttons[4]->Glyph().Width(), 16);
    form.SmallFont1Click(nullptr);
    EXPECT_EQ(tree.Font().Height(), -11);
}

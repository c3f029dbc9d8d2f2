// The run box on the in-memory widgets: the last command offered, a start with its file,
// arguments and folder, the history written, a failure told and nothing stored, elevation, Esc,
// browsing, and the box at the lower left of the screen under the pointer.
#include <gtest/gtest.h>

#include <fstream>

#include "app/NbVariables.h"
#include "framework/FormManager.h"
#include "platform/System.h"
#include "runbox/RunForm.h"
#include "support/RecordingShellOperations.h"
#include "support/ScopedRegistry.h"
#include "support/TempDir.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/HeadlessComboBox.h"

using namespace runbox;
using Commands = std::vector<std::u16string>;

namespace {
ui::headless::HeadlessBackend& Headless() { return dynamic_cast<ui::headless::HeadlessBackend&>(ui::GetBackend()); }
ui::headless::HeadlessComboBox& Field(TRunForm& form) {
    return dynamic_cast<ui::headless::HeadlessComboBox&>(ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.ComboBox1)));
}

struct Box {
    Box() { framework::SetProcessRegistryKey(app::AppRegistryKey()); }
    ~Box() {
        Headless().Shift = 0;
        framework::SetProcessRegistryKey(u"");
    }
    Commands Stored() {
        RunHistory history;
        history.Load(RunRegistryKey());
        return history.Commands();
    }
    ScopedRegistry registry;
    RecordingShellOperations shell;
};
}  // namespace

TEST(RunForm, ATypedCommandStartsInTheProfileAndGoesOnTopOfTheHistory) {
    Box box;
    TempDir dir;
    const std::u16string tool = dir.File(u"Mein Tool.exe");
    std::ofstream(dir.Native() / "Mein Tool.exe") << "x";
    RunHistory old;
    old.Add(u"calc");
    old.Add(u"notepad");
    old.Save(RunRegistryKey());
    TRunForm form;
    Headless().Queue([&] {
        // The last command first, selected for typing over.
        EXPECT_EQ(form.ComboBox1->Text(), u"notepad");
        EXPECT_TRUE(Field(form).AllSelected);
        EXPECT_EQ(Field(form).Items, (Commands{u"notepad", u"calc"}));
        // Path completion comes once the box is on the screen, and the shell's services with it.
        EXPECT_FALSE(Field(form).PathCompletion);
        EXPECT_TRUE(Headless().TimerRunning(*form.Timer1));
        const int servicesBefore = Headless().ShellServicesStarts;
        Headless().TickTimers();
        EXPECT_TRUE(Field(form).PathCompletion);
        EXPECT_GT(Headless().ShellServicesStarts, servicesBefore);
        EXPECT_FALSE(Headless().TimerRunning(*form.Timer1));
        Field(form).UserEdit(tool + u" --zeige \"a b\"");
        ui::headless::PeerOf(*form.Button1).ClickAt(1, 1);
    });
    EXPECT_EQ(form.ShowModal(), ui::mrOk);
    ASSERT_EQ(box.shell.Starts.size(), 1u);
    EXPECT_EQ(box.shell.Starts[0].Verb, u"");
    EXPECT_EQ(box.shell.Starts[0].File, tool);
    EXPECT_EQ(box.shell.Starts[0].Parameters, u"--zeige \"a b\"");
    EXPECT_EQ(box.shell.Starts[0].Directory, platform::GetSystem().UserProfileDirectory());
    EXPECT_EQ(box.Stored(), (Commands{tool + u" --zeige \"a b\"", u"notepad", u"calc"}));
}

TEST(RunForm, AFailureIsToldTheBoxStaysAndNothingIsStored) {
    Box box;
    box.shell.StartFailure = platform::StartResult{false, false, u"Das System kann die Datei nicht finden."};
    TRunForm form;
    const std::size_t boxes = Headless().MessageBoxes.size();
    bool stayed = false;
    Headless().Queue([&] {
        Field(form).UserEdit(u"gibtsnicht.exe");
        ui::headless::PeerOf(*form.Button1).ClickAt(1, 1);
    });
    Headless().Queue([&] {
        stayed = form.Showing();
        EXPECT_TRUE(Field(form).AllSelected);
        // A refused elevation is not told.
        box.shell.StartFailure = platform::StartResult{false, true, u"abgebrochen"};
        Headless().Shift = ui::ssCtrl | ui::ssShift;
        ui::headless::PeerOf(*form.Button1).ClickAt(1, 1);
    });
    Headless().Queue([&] { ui::headless::PeerOf(*form.Button2).ClickAt(1, 1); });
    EXPECT_EQ(form.ShowModal(), ui::mrCancel);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(Headless().MessageBoxes.size(), boxes + 1);
    EXPECT_EQ(Headless().MessageBoxes.back().Caption, u"gibtsnicht.exe");
    EXPECT_EQ(Headless().MessageBoxes.back().Text, u"Das System kann die Datei nicht finden.");
    ASSERT_EQ(box.shell.Starts.size(), 2u);
    EXPECT_EQ(box.shell.Starts[1].Verb, u"runas");
    EXPECT_TRUE(box.Stored().empty());
}

TEST(RunForm, ACommandOrBrowsingTypedAheadOfTheCompletionFindsTheShellsServicesStarted) {
    Box box;
    box.shell.FileAnswer = u"C:\\Tools\\tool.exe";
    std::vector<int> servicesAtCall;
    box.shell.OnStartOrChoose = [&] { servicesAtCall.push_back(Headless().ShellServicesStarts); };
    TRunForm form;
    int servicesAtShow = 0;
    Headless().Queue([&] {
        // Before the completion's timer: the keys came ahead of it.
        EXPECT_TRUE(Headless().TimerRunning(*form.Timer1));
        EXPECT_FALSE(Field(form).PathCompletion);
        servicesAtShow = Headless().ShellServicesStarts;
        ui::headless::PeerOf(*form.Button3).ClickAt(1, 1);
        ui::headless::PeerOf(*form.Button1).ClickAt(1, 1);
    });
    EXPECT_EQ(form.ShowModal(), ui::mrOk);
    ASSERT_EQ(servicesAtCall.size(), 2u);
    EXPECT_GT(servicesAtCall[0], servicesAtShow);
    EXPECT_GT(servicesAtCall[1], servicesAtCall[0]);
    ASSERT_EQ(box.shell.Starts.size(), 1u);
    EXPECT_EQ(box.shell.Starts[0].File, u"C:\\Tools\\tool.exe");
}

TEST(RunForm, BrowsingQuotesAPathWithBlanksAndEmptyTextStartsNothing) {
    Box box;
    box.shell.FileAnswer = u"C:\\Program Files\\Tool\\tool.exe";
    TRunForm form;
    Headless().Queue([&] {
        Field(form).UserEdit(u"   ");
        ui::headless::PeerOf(*form.Button1).ClickAt(1, 1);
        EXPECT_TRUE(form.Showing());
        ui::headless::PeerOf(*form.Button3).ClickAt(1, 1);
        EXPECT_EQ(form.ComboBox1->Text(), u"\"C:\\Program Files\\Tool\\tool.exe\"");
        ui::headless::PeerOf(*form.Button2).ClickAt(1, 1);
    });
    EXPECT_EQ(form.ShowModal(), ui::mrCancel);
    EXPECT_TRUE(box.shell.Starts.empty());
    ASSERT_EQ(box.shell.FileRequest.Filters.size(), 2u);
    EXPECT_EQ(box.shell.FileRequest.Filters[0].second.find(u"*.exe"), 0u);
    EXPECT_EQ(box.shell.FileRequest.Filters[1], (std::pair<std::u16string, std::u16string>{u"Alle Dateien", u"*.*"}));
}

TEST(RunForm, TheBoxOpensAtTheLowerLeftOfTheScreenUnderThePointerOrWhereTheUserLeftIt) {
    Box box;
    Headless().Cursor = {1500, 300};  // on the second screen
    {
        TRunForm form;
        Headless().Queue([&] {
            EXPECT_EQ(form.Left(), 1280 + 12);
            EXPECT_EQ(form.Top() + form.Height(), 984 - 12);
            // The user moves it: kept at the end.
            ui::headless::PeerOf(static_cast<ui::TForm&>(form)).UserSetBounds(ui::Bounds(300, 200, form.Width(), form.Height()));
            form.Close();
        });
        form.ShowModal();
        form.SavePlacement();
    }
    Headless().Cursor = {10, 10};
    {
        TRunForm form;
        Headless().Queue([&] {
            EXPECT_EQ(form.Left(), 300);
            EXPECT_EQ(form.Top(), 200);
            form.Close();
        });
        form.ShowModal();
    }
    Headless().Cursor = {0, 0};
}

// The program start: the options made valid, the registry strings, the data directory's write
// test and its choice with the user's answers scripted, and the folder dialog.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "app/NbDataDir.h"
#include "app/NbVariables.h"
#include "app/NbWarmUp.h"
#include "controls/FolderDialogEx.h"
#include "framework/Registry.h"
#include "framework/ResourceManager.h"
#include "platform/posix/FileShellNamespace.h"
#include "support/FileShell.h"
#include "support/RecordingShellOperations.h"
#include "support/ScopedRegistry.h"
#include "support/TempDir.h"
#include "ui/Application.h"
#include "ui/Exceptions.h"

using namespace app;

namespace {
const std::u16string ShellFolders = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";


struct Answers {
    std::vector<std::u16string> folders;  // what the dialog returns, in turn; beyond them: cancel
    int warnings = 0, dialogs = 0;
    DataDirQuestions Questions() {
        DataDirQuestions q;
        q.Warn = [this] { ++warnings; };
        q.ChooseFolder = [this](std::u16string& folder) {
            if (static_cast<std::size_t>(dialogs) >= folders.size()) return ++dialogs, false;
            folder = folders[static_cast<std::size_t>(dialogs++)];
            return true;
        };
        return q;
    }
};
}  // namespace

TEST(StartOptions, StoredValuesAreMadeValid) {
    EXPECT_EQ(ClampFolderIndex(5), 1);
    EXPECT_EQ(ClampFolderIndex(-3), 0);
    EXPECT_EQ(ClampFolderIndex(0), 0);
    for (auto [stored, shown] : {std::pair{9, 8}, {100, 12}, {0, 8}, {7, 8}, {11, 10}, {13, 12}, {10, 10}, {12, 12}})
        EXPECT_EQ(ClampFolderSize(stored), shown) << stored;
    EXPECT_EQ(AppRegistryKey(), u"Software\\Corvath\\Nimbrel\\1.0");
}

TEST(DataDirectory, TheWriteTestLeavesNothingAndFailsWhereNoFileCanBeMade) {
    TempDir dir;
    EXPECT_TRUE(IsDirWritable(dir.Path() + u"\\"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Native()));
    EXPECT_FALSE(IsDirWritable(dir.Path() + u"\\fehlt\\"));
    EXPECT_FALSE(std::filesystem::exists(dir.Native() / "fehlt"));

    EXPECT_EQ(MakeDataDir(dir.Path()), dir.Path() + u"\\Corvath\\Nimbrel\\1.0\\");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Native() / "Corvath" / "Nimbrel" / "1.0"));
}

TEST(DataDirectory, StoredPathThenCommonFolderAndAppPathsOfBlanksCountAsNone) {
    ScopedRegistry registry;
    TempDir common, stored;
    registry.Put(platform::RootKey::LocalMachine, ShellFolders, u"Common AppData", platform::StringValue(common.Path()));
    registry.Put(platform::RootKey::CurrentUser, AppRegistryKey(), u"AppPath", platform::StringValue(u"   "));
    Answers answers;
    DataReady = true;
    EXPECT_EQ(GetDataDir(answers.Questions()), common.Path() + u"\\Corvath\\Nimbrel\\1.0\\");
    registry.Put(platform::RootKey::CurrentUser, AppRegistryKey(), u"AppPath", platform::StringValue(stored.Path()));
    EXPECT_EQ(GetDataDir(answers.Questions()), stored.Path() + u"\\Corvath\\Nimbrel\\1.0\\");
    EXPECT_EQ(answers.dialogs, 0);
    EXPECT_TRUE(DataReady);
}

TEST(DataDirectory, UnusableFoldersLeadToTheDialogUntilOnePassesOrTheUserGivesUp) {
    ScopedRegistry registry;
    TempDir blocked, other, good;
    // A plain file where the first folder of the data directory should be.
    std::ofstream(blocked.Native() / "Corvath") << "kein Ordner";
    std::ofstream(other.Native() / "Corvath") << "auch keiner";
    registry.Put(platform::RootKey::CurrentUser, AppRegistryKey(), u"AppPath", platform::StringValue(blocked.Path()));

    Answers answers;
    answers.folders = {other.Path(), good.Path()};
    DataReady = true;
    EXPECT_EQ(GetDataDir(answers.Questions()), good.Path() + u"\\Corvath\\Nimbrel\\1.0\\");
    EXPECT_TRUE(DataReady);
    EXPECT_EQ(answers.dialogs, 2);
    EXPECT_EQ(answers.warnings, 1);  // before the second dialog only
    EXPECT_EQ(ReadAppString(u"AppPath", u""), good.Path());

    Answers giveUp;
    giveUp.folders = {};
    registry.Put(platform::RootKey::CurrentUser, AppRegistryKey(), u"AppPath", platform::StringValue(blocked.Path()));
    GetDataDir(giveUp.Questions());
    EXPECT_FALSE(DataReady);
    EXPECT_EQ(giveUp.dialogs, 1);
    EXPECT_EQ(giveUp.warnings, 0);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*std::make_unique<std::ifstream>(blocked.Native() / "Corvath")), {}),
              "kein Ordner");
    DataReady = true;
}

TEST(DataDirectory, AChosenFolderIsRememberedOnlyWhereTheKeyExists) {
    ScopedRegistry registry;
    TempDir chosen;
    WriteAppString(u"AppPath", chosen.Path());
    EXPECT_EQ(ReadAppString(u"AppPath", u"nichts"), u"nichts");
    EXPECT_EQ(ReadCommonAppData(), u"");
    registry.Put(platform::RootKey::CurrentUser, AppRegistryKey(), u"Language", platform::StringValue(u"x"));
    WriteAppString(u"AppPath", chosen.Path());
    EXPECT_EQ(ReadAppString(u"AppPath", u"nichts"), chosen.Path());
}

TEST(FolderDialog, FlagsStatusLinesAndAnswers) {
    RecordingShellOperations shell;
    controls::TFolderDialogEx dialog(nullptr);
    const auto options = [&] {
        const auto& o = shell.BrowseOptions;
        return std::array{o.NewDialogStyle, o.EditBox, o.IncludeFiles};
    };
    dialog.SetOptions(controls::FolderOptions(controls::foNewDlg));
    dialog.Execute(u"", u"", u"");
    EXPECT_EQ(options(), (std::array{true, false, false}));
    dialog.SetOptions(controls::FolderOptions(controls::foEditBox) | controls::FolderOptions(controls::foShowFiles));
    dialog.Execute(u"", u"", u"");
    EXPECT_EQ(options(), (std::array{false, true, true}));
    dialog.SetOptions(0);

    shell.BrowseAnswer = u"C:\\Daten";
    shell.SelectionsToShow = {u"C:\\Daten", u""};
    EXPECT_TRUE(dialog.Execute(u"Applikationspfad wählen", u"", u"C:\\Start"));
    EXPECT_EQ(dialog.Folder(), u"C:\\Daten");
    EXPECT_EQ(shell.BrowseTitle, framework::GetResourceStrDef(10302, u"Wählen Sie einen Ordner"));
    EXPECT_EQ(shell.Browsed.Caption, u"Applikationspfad wählen");
    EXPECT_EQ(shell.Browsed.Selection, u"C:\\Start");
    // The last selection had no path; the prefixes come from the language library when one is
    // loaded, with their German defaults.
    EXPECT_EQ(shell.Browsed.Status, framework::GetResourceStrDef(10300, u"Kein Pfad.") + u" ");
    EXPECT_EQ(dialog.StatusText(u"C:\\Daten"), framework::GetResourceStrDef(10301, u"Pfad:") + u" C:\\Daten");

    shell.Browsed = {};
    shell.SelectionsToShow = {u"D:\\"};
    shell.BrowseAnswer.reset();
    EXPECT_FALSE(dialog.Execute(u"", u"Titel", u"", u"Ohne:", u"Mit:"));
    EXPECT_EQ(dialog.Folder(), u"");
    EXPECT_EQ(shell.BrowseTitle, u"Titel");
    EXPECT_EQ(shell.Browsed.Caption, u"");  // an empty caption keeps the browser's own
    EXPECT_EQ(shell.Browsed.Status, u"Mit: D:\\");
    EXPECT_EQ(dialog.StatusText(u""), u"Ohne: ");

    // Confirmed on an item that has no path in the file system: no folder was chosen.
    shell.BrowseAnswer = u"";
    EXPECT_FALSE(dialog.Execute(u"Applikationspfad wählen", u"", u""));
    EXPECT_EQ(dialog.Folder(), u"");
}

TEST(DataDirectory, AnAppPathOfAnotherTypeIsReportedAndTakenAsAbsent) {
    ScopedRegistry registry;
    TempDir common, chosen;
    registry.Put(platform::RootKey::LocalMachine, ShellFolders, u"Common AppData", platform::StringValue(common.Path()));
    registry.Put(platform::RootKey::CurrentUser, AppRegistryKey(), u"AppPath", platform::RegValue{platform::RegDword, {7, 0, 0, 0}});
    std::vector<std::u16string> reported;
    ui::Application().OnException = [&](const std::exception& error) {
        reported.push_back(dynamic_cast<const ui::Exception&>(error).Message());
    };
    Answers answers;
    DataReady = true;
    EXPECT_EQ(GetDataDir(answers.Questions()), common.Path() + u"\\Corvath\\Nimbrel\\1.0\\");
    EXPECT_EQ(reported, std::vector<std::u16string>{u"Ungültiger Datentyp für 'AppPath'"});
    EXPECT_TRUE(DataReady);
    EXPECT_EQ(answers.dialogs, 0);
    // Still the number: only a folder chosen in the dialog replaces it.
    EXPECT_THROW(ReadAppString(u"AppPath", u""), framework::ERegistryException);

    // Without a usable common folder the dialog asks, and its choice is stored as text.
    std::filesystem::remove_all(common.Native() / "Corvath");
    std::ofstream(common.Native() / "Corvath") << "kein Ordner";
    answers.folders = {chosen.Path()};
    EXPECT_EQ(GetDataDir(answers.Questions()), chosen.Path() + u"\\Corvath\\Nimbrel\\1.0\\");
    EXPECT_EQ(ReadAppString(u"AppPath", u""), chosen.Path());
    EXPECT_EQ(reported.size(), 2u);
    ui::Application().OnException = nullptr;
}

TEST(ShellWarmUp, ReadiesTheImageListAndBothProgramsFolders) {
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    TShellWarmUp warmUp;
    warmUp.Wait();
    EXPECT_EQ(warmUp.StepsDone(), 3);
}

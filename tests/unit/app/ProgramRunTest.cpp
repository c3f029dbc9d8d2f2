// The whole run on the in-memory widgets: start, one showing (closed by a queued "user"), the
// options written back made valid, the links saved, and a save that fails reported with a
// non-zero exit code and the old file left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "framework/FormManager.h"
#include "support/FileShell.h"
#include "support/ScopedRegistry.h"
#include "ui/headless/HeadlessBackend.h"

using namespace app;

namespace {
ui::headless::HeadlessBackend& Headless() { return dynamic_cast<ui::headless::HeadlessBackend&>(ui::GetBackend()); }

struct ProgramSetup {
    ProgramSetup() {
        fixture.UseProgramsFolders();
        fixture.MakeFile("common/Editor.desktop");
        registry.Put(platform::RootKey::CurrentUser, AppRegistryKey(), u"AppPath",
                     platform::StringValue(fixture.Text("base")));
        fixture.MakeFolder("base/Corvath/Nimbrel/1.0");
        DataReady = true;
        FolderIndex = 1;
        FolderSize = 8;
        AddMenuSelection = false;
    }
    ~ProgramSetup() { framework::SetProcessRegistryKey(u""); }
    int Start() {
        Headless().Queue([] {
            if (MainForm) MainForm->Close();
        });
        return RunProgram();
    }
    std::filesystem::path DataFile() { return fixture.Native("base/Corvath/Nimbrel/1.0/links.dat"); }
    FileShellFixture fixture;
    ScopedRegistry registry;
};

int Option(ScopedRegistry& registry, const std::u16string& name) {
    auto key = registry.Registry().Open(platform::RootKey::CurrentUser, AppRegistryKey() + u"\\Options",
                                        platform::KeyRead, false);
    bool tooLarge = false;
    auto value = key ? key->Read(name, 64, tooLarge) : std::nullopt;
    if (!value || value->Data.size() < 4) return -1;
    return value->Data[0] | (value->Data[1] << 8);
}
}  // namespace

TEST(ProgramRun, OptionsComeBackValidAndTheLinksAreSaved) {
    ProgramSetup run;
    std::ofstream(run.DataFile(), std::ios::binary) << "Eins\tC:\\eins.txt\r\nZwei\tC:\\zwei.txt\r\n";
    run.registry.Put(platform::RootKey::CurrentUser, AppRegistryKey() + u"\\Options", u"ShellStartMenuFolderSize",
                     platform::RegValue{platform::RegDword, {9, 0, 0, 0}});
    run.registry.Put(platform::RootKey::CurrentUser, AppRegistryKey() + u"\\Options", u"ShellStartMenuFolderIndex",
                     platform::RegValue{platform::RegDword, {5, 0, 0, 0}});
    EXPECT_EQ(run.Start(), 0);
    EXPECT_EQ(Option(run.registry, u"ShellStartMenuFolderSize"), 8);
    EXPECT_EQ(Option(run.registry, u"ShellStartMenuFolderIndex"), 1);
    EXPECT_EQ(Option(run.registry, u"AddMenuSelection"), 0);
    std::ifstream in(run.DataFile(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "Eins\tC:\\eins.txt\r\nZwei\tC:\\zwei.txt\r\n");
    EXPECT_EQ(MainForm, nullptr);
}

TEST(ProgramRun, AFailedSaveIsReportedWithItsFileAndAnErrorCode) {
    ProgramSetup run;
    // What stands at the file's place cannot be replaced by a file.
    std::filesystem::create_directories(run.DataFile() / "inhalt");
    const std::size_t boxes = Headless().MessageBoxes.size();
    EXPECT_EQ(run.Start(), 1);
    ASSERT_EQ(Headless().MessageBoxes.size(), boxes + 1);
    const auto& box = Headless().MessageBoxes.back();
    EXPECT_NE(box.Text.find(u"links.dat"), std::u16string::npos);
    EXPECT_NE(box.Text.find(u"konnte nicht gespeichert werden"), std::u16string::npos);
    EXPECT_GT(box.Text.size(), box.Text.find(u":\r\n") + 3);  // and the platform's reason
    EXPECT_EQ(box.Icon, ui::TMsgIcon::Error);
    EXPECT_TRUE(std::filesystem::is_directory(run.DataFile() / "inhalt"));
}

#include "app/NbDataDir.h"

#include <vector>

#include "app/NbUtils.h"
#include "app/NbVariables.h"
#include "controls/FolderDialogEx.h"
#include "framework/Registry.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "ui/Application.h"
#include "util/FileObj.h"
#include "util/Utils.h"

namespace app {
namespace {
constexpr std::int64_t WriteTestValue = 5632;

bool DirectoryExists(const std::u16string& path) {
    auto attributes = platform::GetFiles().Attributes(path);
    return attributes && (*attributes & platform::AttrDirectory);
}

// A path names an existing folder, its blanks around it not counting.
bool UsableBase(const std::u16string& path) { return !util::TrimBlanks(path).empty() && DirectoryExists(path); }

// Makes the folder and every missing folder above it. A root that is not there (a drive without
// a medium, a share that went away) ends the climb: nothing can be made below it.
void ForceDirectories(const std::u16string& path) {
    std::vector<std::u16string> missing;  // deepest first
    for (std::u16string folder = util::TrimTrailingBackslash(path); !folder.empty() && !DirectoryExists(folder);) {
        missing.push_back(folder);
        const std::u16string above = util::FolderPart(folder);
        if (above.size() <= 1) break;  // no folder above, or only the root of the current drive
        std::u16string parent = util::TrimTrailingBackslash(above);
        // A drive root keeps its backslash, so its parent is itself.
        if (parent.size() >= folder.size()) break;
        folder = std::move(parent);
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder)
        if (!platform::GetFiles().MakeDirectory(*folder)) return;
}
}  // namespace

std::u16string ReadAppString(const std::u16string& Name, const std::u16string& Default) {
    framework::TRegistry registry(platform::KeyRead);
    registry.SetRootKey(platform::RootKey::CurrentUser);
    if (!registry.OpenKey(AppRegistryKey(), false) || !registry.ValueExists(Name)) return Default;
    return registry.ReadString(Name);
}

void WriteAppString(const std::u16string& Name, const std::u16string& Value) {
    framework::TRegistry registry(platform::KeyRead | platform::KeyWrite);
    registry.SetRootKey(platform::RootKey::CurrentUser);
    if (registry.OpenKey(AppRegistryKey(), false)) registry.WriteString(Name, Value);
}

std::u16string ReadCommonAppData() {
    framework::TRegistry registry(platform::KeyRead);
    registry.SetRootKey(platform::RootKey::LocalMachine);
    if (!registry.OpenKey(u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", false) ||
        !registry.ValueExists(u"Common AppData"))
        return {};
    return registry.ReadString(u"Common AppData");
}

bool GetAppPathDir(std::u16string& Path) {
    try {
        Path = ReadAppString(u"AppPath", u"");
    } catch (const framework::ERegistryException& error) {
        // A value of another type is reported and then taken as absent, so that the program still
        // starts; it stays as it is until the user chooses a folder in the dialog.
        ui::Application().HandleException(error);
        Path.clear();
        return false;
    }
    return UsableBase(Path);
}

bool GetCommonAppDataDir(std::u16string& Path) {
    Path = ReadCommonAppData();
    return UsableBase(Path);
}

std::u16string MakeDataDir(const std::u16string& Base) {
    const std::u16string dir =
        util::EnsureTrailingBackslash(Base) + AppCompany + u"\\" + AppProduct + u"\\" + AppVersion + u"\\";
    if (!DirectoryExists(dir)) ForceDirectories(dir);
    return dir;
}

bool IsDirWritable(const std::u16string& Dir) {
    auto& files = platform::GetFiles();
    // A folder where no temporary name can be made fails here, before any file is touched.
    const auto name = files.CreateTempFile(Dir, u"$");
    if (!name) return false;
    {
        util::TFile file(*name);
        if (file.Open(util::fmOpenWrite | util::fmShareDenyWrite)) {
            file.WriteInt64(WriteTestValue);
            files.TruncateAtPosition(file.Handle());
            file.Close();
        }
    }
    if (!files.Attributes(*name)) return false;
    std::int64_t value = 0;
    {
        util::TFile file(*name);
        if (file.Open(util::fmOpenRead | util::fmShareDenyNone)) {
            value = file.ReadInt64();
            file.Close();
        }
    }
    files.RemoveFile(*name);
    return value == WriteTestValue;
}

DataDirQuestions DialogQuestions() {
    DataDirQuestions questions;
    questions.Warn = [] {
        ui::Application().MessageBox(u"Bitte einen gültigen Applikationspfad wählen!", AppProduct, ui::TMsgIcon::Warning);
    };
    questions.ChooseFolder = [](std::u16string& folder) {
        controls::TFolderDialogEx dialog(nullptr);
        if (!dialog.Execute(u"Applikationspfad wählen", u"", u"")) return false;
        folder = dialog.Folder();
        return true;
    };
    return questions;
}

bool AskAppPath(std::u16string& Path, bool& Asked, const DataDirQuestions& questions) {
    if (Asked && questions.Warn) questions.Warn();
    std::u16string chosen;
    if (!questions.ChooseFolder || !questions.ChooseFolder(chosen)) return false;
    WriteAppString(u"AppPath", chosen);
    Asked = true;
    Path = chosen;
    return true;
}

std::u16string GetDataDir(const DataDirQuestions& questions) {
    std::u16string base;
    if (!GetAppPathDir(base) && !GetCommonAppDataDir(base)) base = ExecutableFolder();
    std::u16string dir = MakeDataDir(base);
    bool asked = false;
    // Until a folder passes or the user gives up: the user decides how often to try.
    for (;;) {
        if (DirectoryExists(dir) && IsDirWritable(dir)) return dir;
        std::u16string chosen;
        if (!AskAppPath(chosen, asked, questions)) {
            DataReady = false;
            return dir;
        }
        dir = MakeDataDir(chosen);
    }
}

}  // namespace app

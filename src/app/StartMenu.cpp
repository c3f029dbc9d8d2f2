#include "app/StartMenu.h"

#include "app/NbVariables.h"
#include "framework/FormManager.h"
#include "platform/Files.h"
#include "platform/ShellOperations.h"
#include "ui/Application.h"
#include "util/FileUtils.h"

namespace app {

LinkList Links;

namespace {
std::u16string LinksFile() { return DataDir + u"links.dat"; }
}  // namespace


void ReadOptions(framework::TFormManager& store) {
    FolderIndex = ClampFolderIndex(store.ReadOption(u"ShellStartMenuFolderIndex", FolderIndex));
    FolderSize = ClampFolderSize(store.ReadOption(u"ShellStartMenuFolderSize", FolderSize));
    AddMenuSelection = store.ReadOption(u"AddMenuSelection", AddMenuSelection);
}

void WriteOptions(framework::TFormManager& store) {
    store.WriteOption(u"ShellStartMenuFolderIndex", FolderIndex);
    store.WriteOption(u"ShellStartMenuFolderSize", FolderSize);
    store.WriteOption(u"AddMenuSelection", AddMenuSelection);
}

std::u16string ProgramsRoot() { return FolderIndex == 0 ? u"rfPrograms" : u"rfCommonPrograms"; }

bool OpenWithShell(std::intptr_t owner, const std::u16string& path) {
    return platform::GetShellOperations().Execute(owner, u"open", u"\"" + path + u"\"", u"", u"",
                                                  platform::ShowState::Shown);
}

bool LaunchEntry(const std::u16string& path, std::intptr_t owner, const std::function<void()>& closeMenu) {
    if (!util::FileExists(path)) return false;
    closeMenu();
    OpenWithShell(owner, path);
    if (AddMenuSelection && !Links.Contains(path)) Links.Add(LinkEntry::ForPath(path));
    return true;
}

void LoadLinks() { Links.Load(LinksFile()); }

bool SaveLinks() {
    if (Links.Save(LinksFile())) return true;
    // The old file stays as it was; the user learns that the new links were not kept.
    const std::u16string reason = platform::GetFiles().LastErrorText();
    ui::Application().MessageBox(u"\"" + LinksFile() + u"\" konnte nicht gespeichert werden:\r\n" + reason, AppProduct,
                                 ui::TMsgIcon::Error);
    return false;
}

}  // namespace app

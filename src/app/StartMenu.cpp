#include "app/StartMenu.h"

#include "app/NbMenuTree.h"
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

bool IsNewFolderName(const std::u16string& name) {
    bool content = false;
    for (char16_t c : name)
        if (c > u' ') content = true;
    if (!content || name.size() > 255 || !util::IsValidFileName(name)) return false;
    for (char16_t c : name)
        if (c < u' ') return false;
    if (name.back() == u'.' || name.back() == u' ') return false;
    // The platform's device names, with or without an extension, in any letter case.
    std::u16string stem = util::UpperCaseText(name.substr(0, name.find(u'.')));
    while (!stem.empty() && stem.back() == u' ') stem.pop_back();
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL"})
        if (stem == device) return false;
    if (stem.size() == 4 && (stem.rfind(u"COM", 0) == 0 || stem.rfind(u"LPT", 0) == 0) && stem[3] >= u'1' && stem[3] <= u'9')
        return false;
    return true;
}

bool CreateMenuFolder(const std::u16string& name, std::u16string target, std::intptr_t owner) {
    if (!IsNewFolderName(name)) return false;
    if (util::FileExists(target)) target = util::FolderPart(target);
    target = util::EnsureTrailingBackslash(target);
    // A name taken in the target would have the shell ask to merge or replace: nothing is made.
    auto& files = platform::GetFiles();
    if (files.Attributes(target + name)) return false;
    const std::u16string staged = DataDir + name;
    if (!files.MakeDirectory(staged)) return false;
    ShellMoveFile(owner, staged + u'\0', target + u'\0', platform::SilentOperation);
    if (util::DirectoryExists(target + name) && !files.Attributes(staged)) return true;
    // The move was refused or failed: the empty folder made for it goes again.
    files.RemoveEmptyDirectory(staged);
    return util::DirectoryExists(target + name);
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

// The typed questions of the shell namespace asked of the real shell: attributes, item kinds,
// name forms, and the silent file operations.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/ShellIcons.h"
#include "platform/ShellNamespace.h"
#include "platform/ShellOperations.h"
#include "platform/Utf.h"
#include "shell/ShellConsts.h"
#include "platform/win32/WinText.h"
#include "win32/WinTempDir.h"

#include <algorithm>

using platform::ShellAttribute;
using platform::ShellAttributes;
using platform::ShellNameStyle;

namespace {
std::u16string Text(const std::optional<platform::ShellName>& name) {
    return name && name->Kind == platform::ShellName::Wide ? name->Text : u"?";
}
std::vector<std::u16string> Names(platform::ShellObject& folder, platform::ShellItemKinds kinds) {
    std::vector<std::u16string> names;
    auto items = folder.EnumObjects(0, kinds);
    while (items)
        if (platform::ShellIdList item = items->Next())
            names.push_back(Text(folder.DisplayNameOf(item.get(), ShellNameStyle::InFolder)));
        else
            break;
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

TEST(Win32ShellNamespace, TypedQuestionsGetTheShellsAnswers) {
    WinTempDir dir;
    CreateDirectoryW(platform::win32::W(dir.File(u"Zubehör")), nullptr);
    dir.Write(u"Brief.txt", "x");
    auto& shell = platform::GetShellNamespace();
    auto desktop = shell.Desktop();
    ASSERT_TRUE(desktop);
    platform::ShellIdList list = desktop->ParseDisplayName(0, dir.Path());
    ASSERT_TRUE(list);
    auto folder = desktop->BindToObject(list.get(), platform::ShellFace::Folder);
    ASSERT_TRUE(folder);

    platform::ShellIdList sub = folder->ParseDisplayName(0, u"Zubehör");
    platform::ShellIdList file = folder->ParseDisplayName(0, u"Brief.txt");
    ASSERT_TRUE(sub && file);
    ShellAttributes attributes{ShellAttribute::Folder, ShellAttribute::FileSystem, ShellAttribute::CanRename};
    ASSERT_TRUE(folder->AttributesOf(sub.get(), attributes));
    EXPECT_TRUE(attributes.Has(ShellAttribute::Folder));
    EXPECT_TRUE(attributes.Has(ShellAttribute::FileSystem));
    attributes = {ShellAttribute::Folder, ShellAttribute::CanRename};
    ASSERT_TRUE(folder->AttributesOf(file.get(), attributes));
    EXPECT_FALSE(attributes.Has(ShellAttribute::Folder));
    EXPECT_TRUE(attributes.Has(ShellAttribute::CanRename));

    EXPECT_EQ(Names(*folder, {true, false, false}), std::vector<std::u16string>{u"Zubehör"});
    EXPECT_EQ(Names(*folder, {true, true, false}).size(), 2u);
    EXPECT_EQ(Text(desktop->DisplayNameOf(list.get(), ShellNameStyle::ForParsing)), dir.Path());
    EXPECT_EQ(Text(folder->DisplayNameOf(sub.get(), ShellNameStyle::InFolderForParsing)), u"Zubehör");

    // A move through the typed kind; the silent style shows no progress and asks nothing for a
    // plain move (a delete would ask for its confirmation, which no test can answer here).
    auto& operations = platform::GetShellOperations();
    EXPECT_TRUE(operations.FileOperation(0, platform::FileOperationKind::Move, dir.File(u"Brief.txt") + u'\0',
                                         dir.File(u"Zubehör") + u'\0', platform::SilentOperation));
    EXPECT_EQ(dir.Read(u"Zubehör\\Brief.txt"), "x");
    EXPECT_EQ(dir.Read(u"Brief.txt"), "<missing>");
}

TEST(Win32ShellNamespace, RootFolderNamesStandForTheShellsSpecialFolders) {
    const std::pair<shell::TRootFolder, int> folders[] = {
        {shell::rfDesktop, CSIDL_DESKTOP},           {shell::rfMyComputer, CSIDL_DRIVES},
        {shell::rfControlPanel, CSIDL_CONTROLS},     {shell::rfPrograms, CSIDL_PROGRAMS},
        {shell::rfCommonPrograms, CSIDL_COMMON_PROGRAMS}, {shell::rfStartMenu, CSIDL_STARTMENU},
        {shell::rfPersonal, CSIDL_PERSONAL},         {shell::rfRecycleBin, CSIDL_BITBUCKET},
        {shell::rfTemplates, CSIDL_TEMPLATES},       {shell::rfCommonStartup, CSIDL_COMMON_STARTUP}};
    for (auto [kind, csidl] : folders) EXPECT_EQ(shell::RootFolderCsidl[kind], csidl) << kind;
    // And the shell gives a list for the two the menu shows.
    EXPECT_TRUE(platform::GetShellNamespace().SpecialFolder(0, shell::RootFolderCsidl[shell::rfPrograms]));
    EXPECT_TRUE(platform::GetShellNamespace().SpecialFolder(0, shell::RootFolderCsidl[shell::rfCommonPrograms]));
}

TEST(Win32ShellNamespace, ShortcutsAndFolderIconsAsTheIndexReadsThem) {
    WinTempDir dir;
    const std::u16string plain = dir.Path() + u"\\Einfach", marked = dir.Path() + u"\\Eigen";
    CreateDirectoryW(platform::win32::W(plain), nullptr);
    CreateDirectoryW(platform::win32::W(marked), nullptr);
    SetFileAttributesW(platform::win32::W(marked), FILE_ATTRIBUTE_READONLY);
    platform::ShellIcons& icons = platform::GetShellIcons();
    // A plain folder gets the shell's own answer for it, without the shell reading it.
    EXPECT_EQ(icons.FolderIconIndex(plain, platform::SmallIcon), icons.SysIconIndex(plain, platform::SmallIcon));
    EXPECT_EQ(icons.FolderIconIndex(marked, platform::SmallIcon), icons.SysIconIndex(marked, platform::SmallIcon));
    EXPECT_EQ(icons.FolderIconIndex(dir.Path() + u"\\Fehlt", platform::SmallIcon), std::nullopt);
    SetFileAttributesW(platform::win32::W(marked), FILE_ATTRIBUTE_NORMAL);

    // A shortcut's target as stored; no shortcut, no answer.
    platform::ShellNamespace& shell = platform::GetShellNamespace();
    const auto apartment = shell.EnterWorkerThread();  // as the index's worker reads them
    const std::u16string link = dir.Path() + u"\\Editor.lnk";
    {
        IShellLinkW* made = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                               reinterpret_cast<void**>(&made))));
        made->SetPath(L"C:\\windows\\notepad.exe");
        IPersistFile* file = nullptr;
        made->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(SUCCEEDED(file->Save(platform::win32::W(link), TRUE)));
        file->Release();
        made->Release();
    }
    const auto read = shell.ReadShortcut(link);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(platform::ToUtf8(read->Target).substr(read->Target.size() - 11), "notepad.exe");
    EXPECT_TRUE(read->IconFile.empty());
    EXPECT_FALSE(shell.ReadShortcut(plain).has_value());
    EXPECT_FALSE(shell.ReadShortcut(dir.Path() + u"\\Fehlt.lnk").has_value());
}

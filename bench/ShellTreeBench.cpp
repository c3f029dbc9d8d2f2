// Opens a folder of 2,000 entries (1,000 subfolders, 1,000 shortcuts) in the shell tree and sets
// the time against a bare loop that enumerates the same folder through the shell and asks each
// item for its display name, attributes and system icon index. Both run in one process under the
// same Wine; the best of several rounds counts. Run on demand with `make bench`.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "BenchShortcut.h"

#include "shell/ShellTreeView.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {
using Clock = std::chrono::steady_clock;
double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

constexpr int Folders = 1000, Shortcuts = 1000, Rounds = 5;

std::wstring TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    return std::wstring(base) + L"nimbrel-bench";
}

void MakeMenu(const std::wstring& menu) {
    CreateDirectoryW(menu.c_str(), nullptr);
    wchar_t name[64];
    for (int i = 0; i < Folders; ++i) {
        swprintf(name, 64, L"\\Ordner %04d", i);
        CreateDirectoryW((menu + name).c_str(), nullptr);
    }
    for (int i = 0; i < Shortcuts; ++i) {
        swprintf(name, 64, L"\\Programm %04d.lnk", i);
        if (GetFileAttributesW((menu + name).c_str()) == INVALID_FILE_ATTRIBUTES) MakeShortcut(menu + name);
    }
}

// The bare loop: what any view of the folder has to ask the shell for each item.
int BareLoop(const std::wstring& menu) {
    IShellFolder* desktop = nullptr;
    SHGetDesktopFolder(&desktop);
    LPITEMIDLIST folderList = nullptr;
    desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(menu.c_str()), nullptr, &folderList, nullptr);
    IShellFolder* folder = nullptr;
    desktop->BindToObject(folderList, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    IEnumIDList* items = nullptr;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items);
    int count = 0;
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items && items->Next(1, &item, &fetched) == S_OK) {
        STRRET name{};
        folder->GetDisplayNameOf(item, SHGDN_INFOLDER, &name);
        if (name.uType == STRRET_WSTR) CoTaskMemFree(name.pOleStr);
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        LPCITEMIDLIST one[1] = {item};
        folder->GetAttributesOf(1, one, &attributes);
        LPITEMIDLIST absolute = ILCombine(folderList, item);
        SHFILEINFOW info{};
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        ILFree(absolute);
        CoTaskMemFree(item);
        ++count;
    }
    if (items) items->Release();
    folder->Release();
    CoTaskMemFree(folderList);
    desktop->Release();
    return count;
}

struct TreeWindow : ui::TForm {
    TreeWindow() : ui::TForm(nullptr) {
        SetBounds(40, 40, 320, 600);
        Tree = new shell::TShellTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(0, 0, 300, 580);
    }
    shell::TShellTreeView* Tree;
};

// Opens the menu folder's node in a tree whose root is its parent folder.
int TreeExpand(const std::wstring& parent, double& millis) {
    TreeWindow w;
    w.Tree->SetRoot(std::u16string(parent.begin(), parent.end()));
    w.Tree->SetObjectTypes(shell::Types(shell::otFolders) | shell::Types(shell::otNonFolders));
    w.Tree->Handle();
    ui::TTreeNode* root = w.Tree->Items().GetFirstNode();
    ui::TTreeNode* menu = nullptr;
    for (int i = 0; root && i < root->Count(); ++i)
        if (root->Item(i)->Text() == u"Menü") menu = root->Item(i);
    if (!menu) return -1;
    const auto start = Clock::now();
    menu->Expand(false);
    millis = Millis(Clock::now() - start);
    return menu->Count();
}
}  // namespace

int main() {
    OleInitialize(nullptr);
    const std::wstring parent = TempFolder();
    CreateDirectoryW(parent.c_str(), nullptr);
    const std::wstring menu = parent + L"\\Menü";
    MakeMenu(menu);

    double bare = 1e300, tree = 1e300;
    int bareCount = 0, treeCount = 0;
    for (int round = 0; round < Rounds; ++round) {
        const auto start = Clock::now();
        bareCount = BareLoop(menu);
        bare = std::min(bare, Millis(Clock::now() - start));
        double expand = 0;
        treeCount = TreeExpand(parent, expand);
        tree = std::min(tree, expand);
    }
    std::printf("Folder of %d entries (%d subfolders, %d shortcuts), best of %d rounds:\n", Folders + Shortcuts,
                Folders, Shortcuts, Rounds);
    std::printf("  bare shell loop (name, attributes, icon): %8.1f ms  (%d items)\n", bare, bareCount);
    std::printf("  shell tree expanding the folder:          %8.1f ms  (%d nodes)\n", tree, treeCount);
    std::printf("  ratio tree / bare loop:                   %8.2f\n", tree / bare);
    OleUninitialize();
    return bareCount == treeCount ? 0 : 1;
}

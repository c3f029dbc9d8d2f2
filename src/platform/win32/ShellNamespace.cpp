#include "platform/ShellNamespace.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlguid.h>

#include <vector>

#include "platform/win32/ComRef.h"
#include "platform/win32/ShellFlags.h"
#include "platform/win32/ShowCommand.h"
#include "platform/win32/WinText.h"

// The shell namespace through the shell's own folder objects. Every interface is held by a
// ComRef; every identifier list the shell hands out is counted as ours and freed by its owner.
namespace platform {
namespace {
using win32::ComRef;

HWND Window(ShellWindow owner) { return reinterpret_cast<HWND>(owner); }
LPCITEMIDLIST Ids(const std::uint8_t* list) { return reinterpret_cast<LPCITEMIDLIST>(list); }

ShellIdList Adopt(LPITEMIDLIST list) {
    AdoptShellBlock(list);
    return ShellIdList(reinterpret_cast<std::uint8_t*>(list));
}

REFIID IidOf(ShellFace face) {
    switch (face) {
        case ShellFace::Folder2: return IID_IShellFolder2;
        case ShellFace::Details: return IID_IShellDetails;
        case ShellFace::Folder: break;
    }
    return IID_IShellFolder;
}

// The name record in our own terms; wide text is copied and its block given back at once.
ShellName NameOf(STRRET& record) {
    ShellName name;
    switch (record.uType) {
        case STRRET_WSTR:
            name.Kind = ShellName::Wide;
            if (record.pOleStr) {
                name.HasText = true;
                name.Text = win32::U16(record.pOleStr);
                CoTaskMemFree(record.pOleStr);
                record.pOleStr = nullptr;
            }
            break;
        case STRRET_OFFSET:
            name.Kind = ShellName::Offset;
            name.ByteOffset = record.uOffset;
            break;
        default:
            name.Kind = ShellName::Inline;
            name.Bytes.assign(record.cStr, strnlen(record.cStr, sizeof(record.cStr)));
            break;
    }
    return name;
}

class Win32Object final : public ShellObject, CountedShellObject {
public:
    explicit Win32Object(const ComRef<IUnknown>& object)
        : FFolder(object.As<IShellFolder>(IID_IShellFolder)),
          FFolder2(object.As<IShellFolder2>(IID_IShellFolder2)),
          FDetails(object.As<IShellDetails>(IID_IShellDetails)) {}

    static std::shared_ptr<ShellObject> Wrap(void* raw) {
        ComRef<IUnknown> object(static_cast<IUnknown*>(raw));
        if (!object) return {};
        return std::make_shared<Win32Object>(object);
    }

    bool Has(ShellFace face) const override {
        switch (face) {
            case ShellFace::Folder: return static_cast<bool>(FFolder);
            case ShellFace::Folder2: return static_cast<bool>(FFolder2);
            case ShellFace::Details: return static_cast<bool>(FDetails);
        }
        return false;
    }

    std::shared_ptr<ShellObject> BindToObject(const std::uint8_t* relative, ShellFace face) override {
        void* raw = nullptr;
        if (!FFolder || FAILED(FFolder->BindToObject(Ids(relative), nullptr, IidOf(face), &raw))) return {};
        return Wrap(raw);
    }
    std::shared_ptr<ShellObject> UiObjectOf(ShellWindow owner, const std::uint8_t* relative, ShellFace face) override {
        void* raw = nullptr;
        LPCITEMIDLIST items[1] = {Ids(relative)};
        if (!FFolder || FAILED(FFolder->GetUIObjectOf(Window(owner), 1, items, IidOf(face), nullptr, &raw))) return {};
        return Wrap(raw);
    }
    std::shared_ptr<ShellObject> CreateViewObject(ShellWindow owner, ShellFace face) override {
        void* raw = nullptr;
        if (!FFolder || FAILED(FFolder->CreateViewObject(Window(owner), IidOf(face), &raw))) return {};
        return Wrap(raw);
    }

    class Enumerator final : public ShellEnumerator, CountedShellObject {
    public:
        explicit Enumerator(ComRef<IEnumIDList> list) : FList(std::move(list)) {}
        ShellIdList Next() override {
            LPITEMIDLIST item = nullptr;
            ULONG fetched = 0;
            if (FList->Next(1, &item, &fetched) != S_OK || fetched != 1 || !item) {
                if (item) CoTaskMemFree(item);
                return {};
            }
            return Adopt(item);
        }

    private:
        ComRef<IEnumIDList> FList;
    };

    std::unique_ptr<ShellEnumerator> EnumObjects(ShellWindow owner, ShellItemKinds kinds) override {
        ComRef<IEnumIDList> list;
        if (!FFolder || FFolder->EnumObjects(Window(owner), win32::EnumFlags(kinds), list.put()) != S_OK || !list) return {};
        return std::make_unique<Enumerator>(std::move(list));
    }

    std::optional<std::int32_t> CompareIds(std::uint32_t column, const std::uint8_t* a, const std::uint8_t* b) override {
        if (!FFolder) return std::nullopt;
        const HRESULT result = FFolder->CompareIDs(column, Ids(a), Ids(b));
        if (FAILED(result)) return std::nullopt;
        return static_cast<std::int32_t>(result);
    }

    bool AttributesOf(const std::uint8_t* relative, ShellAttributes& attributes) override {
        if (!FFolder) return false;
        LPCITEMIDLIST items[1] = {Ids(relative)};
        SFGAOF answer = win32::AttributeMask(attributes);
        if (FAILED(FFolder->GetAttributesOf(1, items, &answer))) return false;
        attributes = win32::AttributesFromMask(answer);
        return true;
    }

    std::optional<ShellName> DisplayNameOf(const std::uint8_t* relative, ShellNameStyle style) override {
        STRRET record{};
        if (!FFolder || FAILED(FFolder->GetDisplayNameOf(Ids(relative), win32::NameFlags(style), &record))) return std::nullopt;
        return NameOf(record);
    }

    ShellIdList SetNameOf(ShellWindow owner, const std::uint8_t* relative, const std::u16string& name,
                          ShellNameStyle style) override {
        LPITEMIDLIST renamed = nullptr;
        if (!FFolder) return {};
        const HRESULT result =
            FFolder->SetNameOf(Window(owner), Ids(relative), win32::W(name), win32::NameFlags(style), &renamed);
        if (FAILED(result)) {
            if (renamed) CoTaskMemFree(renamed);
            return {};
        }
        return Adopt(renamed);
    }

    ShellIdList ParseDisplayName(ShellWindow owner, const std::u16string& name) override {
        if (!FFolder) return {};
        std::u16string text = name;  // the shell's signature takes a writable text
        LPITEMIDLIST list = nullptr;
        if (FAILED(FFolder->ParseDisplayName(Window(owner), nullptr, const_cast<LPWSTR>(win32::W(text)), nullptr,
                                             &list, nullptr))) {
            if (list) CoTaskMemFree(list);
            return {};
        }
        return Adopt(list);
    }

    std::unique_ptr<ShellContextMenu> ContextMenuOf(ShellWindow owner, const std::uint8_t* relative) override;

    std::optional<ShellName> DetailsOf(const std::uint8_t* relative, unsigned column) override {
        SHELLDETAILS details{};
        HRESULT result = E_NOINTERFACE;
        if (FFolder2)
            result = FFolder2->GetDetailsOf(Ids(relative), column, &details);
        else if (FDetails)
            result = FDetails->GetDetailsOf(Ids(relative), column, &details);
        if (FAILED(result)) return std::nullopt;
        return NameOf(details.str);
    }
    std::optional<ShellColumnHeader> ColumnHeaderOf(unsigned column) override {
        SHELLDETAILS details{};
        HRESULT result = E_NOINTERFACE;
        if (FFolder2)
            result = FFolder2->GetDetailsOf(nullptr, column, &details);
        else if (FDetails)
            result = FDetails->GetDetailsOf(nullptr, column, &details);
        if (FAILED(result)) return std::nullopt;
        return ShellColumnHeader{NameOf(details.str), details.fmt & 3, details.cxChar};
    }
    std::optional<std::uint32_t> DefaultColumnStateOf(unsigned column) override {
        SHCOLSTATEF state = 0;
        if (!FFolder2 || FAILED(FFolder2->GetDefaultColumnState(column, &state))) return std::nullopt;
        return static_cast<std::uint32_t>(state);
    }

private:
    ComRef<IShellFolder> FFolder;
    ComRef<IShellFolder2> FFolder2;
    ComRef<IShellDetails> FDetails;
};

class Win32ContextMenu final : public ShellContextMenu, CountedShellObject {
public:
    explicit Win32ContextMenu(ComRef<IContextMenu> menu)
        : FMenu(std::move(menu)),
          FMenu2(FMenu.As<IContextMenu2>(IID_IContextMenu2)),
          FMenu3(FMenu.As<IContextMenu3>(IID_IContextMenu3)) {}

    bool Fill(ShellPopupMenu& menu, unsigned index, unsigned first, unsigned last, ContextMenuUse use) override {
        const UINT flags = (use.Explore ? CMF_EXPLORE : 0) | (use.CanRename ? CMF_CANRENAME : 0);
        return SUCCEEDED(FMenu->QueryContextMenu(reinterpret_cast<HMENU>(menu.Handle()), index, first, last, flags));
    }
    std::string Verb(unsigned offset) override {
        char verb[256] = {};
        if (FAILED(FMenu->GetCommandString(offset, GCS_VERBA, nullptr, verb, sizeof(verb)))) return {};
        return std::string(verb, strnlen(verb, sizeof(verb)));
    }
    bool Invoke(unsigned offset, ShellWindow owner, ShowState show) override {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof(info);
        info.hwnd = Window(owner);
        info.lpVerb = MAKEINTRESOURCEA(offset);
        info.nShow = win32::ShowCommand(show);
        return SUCCEEDED(FMenu->InvokeCommand(&info));
    }
    bool InvokeVerb(const std::string& verb, ShellWindow owner, ShowState show, bool asynchronous) override {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = asynchronous ? CMIC_MASK_ASYNCOK : 0;
        info.hwnd = Window(owner);
        info.lpVerb = verb.c_str();
        info.nShow = win32::ShowCommand(show);
        return SUCCEEDED(FMenu->InvokeCommand(&info));
    }
    bool HasMenuHandler() const override { return FMenu2 || FMenu3; }
    void HandleMenuMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam) override {
        if (FMenu3) {
            LRESULT ignored = 0;
            FMenu3->HandleMenuMsg2(message, wparam, lparam, &ignored);
        } else if (FMenu2) {
            FMenu2->HandleMenuMsg(message, wparam, lparam);
        }
    }

private:
    ComRef<IContextMenu> FMenu;
    ComRef<IContextMenu2> FMenu2;
    ComRef<IContextMenu3> FMenu3;
};

std::unique_ptr<ShellContextMenu> Win32Object::ContextMenuOf(ShellWindow owner, const std::uint8_t* relative) {
    ComRef<IContextMenu> menu;
    LPCITEMIDLIST items[1] = {Ids(relative)};
    if (!FFolder ||
        FAILED(FFolder->GetUIObjectOf(Window(owner), 1, items, IID_IContextMenu, nullptr, menu.put_void())) || !menu)
        return {};
    return std::make_unique<Win32ContextMenu>(std::move(menu));
}

class Win32PopupMenu final : public ShellPopupMenu {
public:
    Win32PopupMenu() : FMenu(::CreatePopupMenu()) {}
    ~Win32PopupMenu() override {
        if (FMenu) DestroyMenu(FMenu);
    }
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(FMenu); }
    int Track(int screenX, int screenY, ShellWindow owner) override {
        if (!FMenu) return 0;
        return static_cast<int>(
            TrackPopupMenu(FMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenX, screenY, 0, Window(owner), nullptr));
    }

private:
    HMENU FMenu;
};

// A single-threaded apartment for a worker: the shell hands icons of shortcuts out through COM.
class ComApartment final : public ShellScope {
public:
    ComApartment() : FEntered(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() override {
        if (FEntered) CoUninitialize();
    }

private:
    bool FEntered;
};

// No dialog for a drive without a disk while a folder is read; the earlier mode comes back after.
class QuietErrorMode final : public ShellScope {
public:
    QuietErrorMode() : FPrevious(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    QuietErrorMode(const QuietErrorMode&) = delete;
    QuietErrorMode& operator=(const QuietErrorMode&) = delete;
    ~QuietErrorMode() override { SetErrorMode(FPrevious); }

private:
    UINT FPrevious;
};

class Win32ShellNamespace final : public ShellNamespace {
public:
    std::shared_ptr<ShellObject> Desktop() override {
        IShellFolder* desktop = nullptr;
        if (FAILED(SHGetDesktopFolder(&desktop))) return {};
        return Win32Object::Wrap(desktop);
    }
    ShellIdList SpecialFolder(ShellWindow owner, int csidl) override {
        LPITEMIDLIST list = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(Window(owner), csidl, &list))) {
            if (list) CoTaskMemFree(list);
            return {};
        }
        return Adopt(list);
    }
    std::optional<int> SysIconIndex(const std::uint8_t* absolute, IconStyle style) override {
        SHFILEINFOW info{};
        if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info),
                            win32::IconFlags(style) | SHGFI_PIDL))
            return std::nullopt;
        return info.iIcon;
    }
    std::intptr_t SystemSmallImages() override {
        SHFILEINFOW info{};
        return static_cast<std::intptr_t>(
            SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    }
    bool ExecuteDefault(ShellWindow owner, const std::uint8_t* absolute) override {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_INVOKEIDLIST;  // 0xC: run through the identifier list
        info.hwnd = Window(owner);
        info.lpIDList = const_cast<std::uint8_t*>(absolute);
        info.nShow = SW_SHOW;
        return ShellExecuteExW(&info) != FALSE;
    }
    std::unique_ptr<ShellPopupMenu> CreatePopupMenu() override { return std::make_unique<Win32PopupMenu>(); }
    std::unique_ptr<ShellScope> QuietCriticalErrors() override { return std::make_unique<QuietErrorMode>(); }
    int MajorVersion() override {
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
        return static_cast<int>(info.dwMajorVersion);
    }
    std::u16string CurrentDirectory() override {
        const DWORD needed = GetCurrentDirectoryW(0, nullptr);
        if (needed == 0) return {};
        std::vector<wchar_t> buffer(needed + 1);
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0 || length >= buffer.size()) return {};
        return win32::U16(buffer.data(), length);
    }
    bool ChangeCurrentDirectory(const std::u16string& directory) override {
        return SetCurrentDirectoryW(win32::W(directory)) != FALSE;
    }
    std::optional<ShortcutInfo> ReadShortcut(const std::u16string& path) override {
        // Only shell links: any other file would be loaded by the link object as garbage.
        if (path.size() < 4 || _wcsicmp(win32::W(path.substr(path.size() - 4)), L".lnk") != 0) return std::nullopt;
        win32::ComRef<IShellLinkW> link;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
            return std::nullopt;
        auto file = link.As<IPersistFile>(IID_IPersistFile);
        if (!file || FAILED(file->Load(win32::W(path), STGM_READ))) return std::nullopt;
        ShortcutInfo info;
        wchar_t text[MAX_PATH + 1] = {};
        // The raw path as stored: no search for a moved target, which could take seconds.
        if (link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK) info.Target = win32::U16(text);
        text[0] = 0;
        int index = 0;
        if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index)) && text[0]) {
            info.IconFile = win32::U16(text);
            info.IconIndex = index;
        }
        return info;
    }
    std::unique_ptr<ShellScope> EnterWorkerThread() override { return std::make_unique<ComApartment>(); }
};
}  // namespace

ShellNamespace& DefaultShellNamespace() {
    static Win32ShellNamespace shell;
    return shell;
}

}  // namespace platform

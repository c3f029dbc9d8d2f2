#include "platform/ShellOperations.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/ShellFlags.h"
#include "platform/win32/ShowCommand.h"
#include "platform/win32/WinText.h"

namespace platform {
namespace {
HWND Window(ShellWindow owner) { return reinterpret_cast<HWND>(owner); }

// A path the shell gave for a list, or empty for an item outside the file system.
std::u16string PathOf(LPCITEMIDLIST list) {
    wchar_t path[MAX_PATH + 1] = {};
    if (!list || !SHGetPathFromIDListW(list, path)) return {};
    return win32::U16(path);
}

class OpenBrowser final : public FolderBrowser {
public:
    explicit OpenBrowser(HWND window) : FWindow(window) {}
    void SetCaption(const std::u16string& caption) override { SetWindowTextW(FWindow, win32::W(caption)); }
    void SetSelection(const std::u16string& path) override {
        SendMessageW(FWindow, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(win32::W(path)));
    }
    void SetStatusText(const std::u16string& text) override {
        SendMessageW(FWindow, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(win32::W(text)));
    }

private:
    HWND FWindow;
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM value, LPARAM data) {
    const auto& request = *reinterpret_cast<const FolderBrowseRequest*>(data);
    OpenBrowser browser(window);
    // Nothing may pass back into the shell's dialog code.
    try {
        if (message == BFFM_INITIALIZED && request.OnInitialized) request.OnInitialized(browser);
        if (message == BFFM_SELCHANGED && request.OnSelectionChanged)
            request.OnSelectionChanged(browser, PathOf(reinterpret_cast<LPCITEMIDLIST>(value)));
    } catch (...) {
    }
    return 0;
}

class Win32ShellOperations final : public ShellOperations {
public:
    bool Execute(ShellWindow owner, const std::u16string& verb, const std::u16string& file,
                 const std::u16string& parameters, const std::u16string& directory, ShowState show) override {
        const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
            Window(owner), verb.empty() ? nullptr : win32::W(verb), win32::W(file),
            parameters.empty() ? nullptr : win32::W(parameters), directory.empty() ? nullptr : win32::W(directory),
            win32::ShowCommand(show)));
        return result > 32;
    }

    bool FileOperation(ShellWindow owner, FileOperationKind operation, const std::u16string& from,
                       const std::u16string& to, FileOperationStyle style) override {
        // The shell reads both as lists ended by an empty path: one NUL more than the caller's.
        std::u16string source = from + u'\0', destination = to + u'\0';
        SHFILEOPSTRUCTW request{};
        request.hwnd = Window(owner);
        request.wFunc = win32::FileOperationCode(operation);
        request.pFrom = win32::W(source);
        request.pTo = to.empty() ? nullptr : win32::W(destination);
        request.fFlags = win32::FileOperationFlags(style);
        return SHFileOperationW(&request) == 0 && !request.fAnyOperationsAborted;
    }

    std::optional<std::u16string> BrowseForFolder(const FolderBrowseRequest& request) override {
        wchar_t name[MAX_PATH + 1] = {};
        BROWSEINFOW info{};
        info.hwndOwner = Window(request.Owner);
        info.pszDisplayName = name;
        info.lpszTitle = win32::W(request.Title);
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | (request.NewDialogStyle ? BIF_NEWDIALOGSTYLE : 0) |
                       (request.EditBox ? BIF_EDITBOX : 0) | (request.IncludeFiles ? BIF_BROWSEINCLUDEFILES : 0);
        info.lpfn = BrowseCallback;
        info.lParam = reinterpret_cast<LPARAM>(&request);
        LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
        if (!chosen) return std::nullopt;
        std::u16string path = PathOf(chosen);
        CoTaskMemFree(chosen);
        return path;
    }
};

class Win32Session final : public Session {
public:
    bool ExitSystem(ExitKind kind) override {
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!GetVersionExW(&version)) return false;
#pragma GCC diagnostic pop
        if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
            HANDLE token = nullptr;
            if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
            TOKEN_PRIVILEGES privileges{};
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            // The outcome of both calls does not matter: the session end reports what it refuses.
            LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
            CloseHandle(token);
        }
        return ExitWindowsEx(win32::ExitFlags(kind), 0) != FALSE;
    }
};
}  // namespace

ShellOperations& DefaultShellOperations() {
    static Win32ShellOperations operations;
    return operations;
}

Session& DefaultSession() {
    static Win32Session session;
    return session;
}

}  // namespace platform

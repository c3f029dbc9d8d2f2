#include "platform/ShellOperations.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commdlg.h>

#include <string>
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

// The platform's words for an error code, without the closing line break.
std::u16string ErrorText(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message = text ? win32::U16(text) : std::u16string();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u' '))
        message.pop_back();
    if (message.empty()) message = u"Fehler " + std::u16string(win32::U16(std::to_wstring(code).c_str()));
    return message;
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

    StartResult Start(ShellWindow owner, const std::u16string& verb, const std::u16string& file,
                      const std::u16string& parameters, const std::u16string& directory, ShowState show) override {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        // No error box of the shell's own: the caller tells the user. Started completely before
        // the call returns, as the caller may end right after.
        info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        info.hwnd = Window(owner);
        info.lpVerb = verb.empty() ? nullptr : win32::W(verb);
        info.lpFile = win32::W(file);
        info.lpParameters = parameters.empty() ? nullptr : win32::W(parameters);
        info.lpDirectory = directory.empty() ? nullptr : win32::W(directory);
        info.nShow = win32::ShowCommand(show);
        StartResult result;
        if (ShellExecuteExW(&info)) {
            result.Started = true;
            return result;
        }
        const DWORD code = GetLastError();
        result.Cancelled = code == ERROR_CANCELLED;
        result.Reason = ErrorText(code == ERROR_SUCCESS ? ERROR_FILE_NOT_FOUND : code);
        return result;
    }

    std::optional<std::u16string> ChooseFile(const FileOpenRequest& request) override {
        // Filters as the dialog reads them: name, NUL, patterns, NUL, ..., one NUL more.
        std::u16string filters;
        for (const auto& [name, patterns] : request.Filters) filters += name + u'\0' + patterns + u'\0';
        filters += u'\0';
        std::vector<wchar_t> path(32768, L'\0');
        OPENFILENAMEW info{};
        info.lStructSize = sizeof info;
        info.hwndOwner = Window(request.Owner);
        info.lpstrFilter = request.Filters.empty() ? nullptr : win32::W(filters);
        info.nFilterIndex = 1;
        info.lpstrFile = path.data();
        info.nMaxFile = static_cast<DWORD>(path.size());
        info.lpstrInitialDir = request.Folder.empty() ? nullptr : win32::W(request.Folder);
        info.lpstrTitle = request.Title.empty() ? nullptr : win32::W(request.Title);
        info.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
        // The common dialogs' library is loaded when a file is first chosen, not with the program:
        // most starts never open the dialog, and loading it cost every start its time.
        static HMODULE dialogs = LoadLibraryW(L"comdlg32.dll");
        using OpenFileName = BOOL(WINAPI*)(OPENFILENAMEW*);
        const auto open = dialogs ? reinterpret_cast<OpenFileName>(
                                        reinterpret_cast<void*>(GetProcAddress(dialogs, "GetOpenFileNameW")))
                                  : nullptr;
        if (!open || !open(&info)) return std::nullopt;
        return win32::U16(path.data());
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

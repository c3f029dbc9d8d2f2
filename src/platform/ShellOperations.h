#pragma once
// The shell's operations on files and programs: open a file or program with the shell, move or
// delete one path with the shell's own confirmations, browse for a folder; and ending the user's
// session. Tests install recording replacements through the accessors.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ShowState.h"

namespace platform {

using ShellWindow = std::intptr_t;

enum class FileOperationKind : std::uint8_t { Move, Delete };

// How a file operation shows itself: a silent one has no progress window, but the shell's own
// confirmations and error messages still appear.
struct FileOperationStyle {
    bool Silent = false;
    friend constexpr bool operator==(FileOperationStyle, FileOperationStyle) = default;
};
inline constexpr FileOperationStyle SilentOperation{true};

// The open folder browser, as its callback sees it.
class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;
    virtual void SetCaption(const std::u16string& caption) = 0;
    virtual void SetSelection(const std::u16string& path) = 0;
    virtual void SetStatusText(const std::u16string& text) = 0;
};

struct FolderBrowseRequest {
    ShellWindow Owner = 0;
    std::u16string Title;
    // Only file-system folders can be chosen, and the browser has a status line; besides:
    bool NewDialogStyle = false;
    bool EditBox = false;
    bool IncludeFiles = false;
    // The browser opened.
    std::function<void(FolderBrowser&)> OnInitialized;
    // The selection moved to an item; path is its file-system path, empty for a virtual item.
    std::function<void(FolderBrowser&, const std::u16string& path)> OnSelectionChanged;
};

// What starting a command came to: started, cancelled by the user (an elevation refused), or
// failed with the platform's reason in words.
struct StartResult {
    bool Started = false;
    bool Cancelled = false;
    std::u16string Reason;
};

// A file to open: the dialog's title, its filters as (name, patterns such as "*.exe;*.lnk") with
// the first one chosen, and the folder it starts in.
struct FileOpenRequest {
    ShellWindow Owner = 0;
    std::u16string Title;
    std::vector<std::pair<std::u16string, std::u16string>> Filters;
    std::u16string Folder;
};

class ShellOperations {
public:
    virtual ~ShellOperations() = default;
    // Starts a file or program with a verb (empty: the default one); true when it was started.
    virtual bool Execute(ShellWindow owner, const std::u16string& verb, const std::u16string& file,
                         const std::u16string& parameters, const std::u16string& directory, ShowState show) = 0;
    // Moves or deletes: from and to are lists of paths, each ended by a NUL, the list by one more.
    // True when the shell reports success and nothing was aborted.
    virtual bool FileOperation(ShellWindow owner, FileOperationKind operation, const std::u16string& from,
                               const std::u16string& to, FileOperationStyle style) = 0;
    // The chosen folder's file-system path, or nullopt when the user cancelled.
    virtual std::optional<std::u16string> BrowseForFolder(const FolderBrowseRequest& request) = 0;
    // Starts as Execute does, without the shell's own error box: a failure comes back with its reason.
    virtual StartResult Start(ShellWindow owner, const std::u16string& verb, const std::u16string& file,
                              const std::u16string& parameters, const std::u16string& directory, ShowState show) {
        StartResult result;
        result.Started = Execute(owner, verb, file, parameters, directory, show);
        if (!result.Started) result.Reason = u"Das Programm konnte nicht gestartet werden.";
        return result;
    }
    // The platform's dialog for opening a file: the chosen path, or nullopt when cancelled.
    virtual std::optional<std::u16string> ChooseFile(const FileOpenRequest&) { return std::nullopt; }
};

ShellOperations& GetShellOperations();
ShellOperations* SetShellOperations(ShellOperations* replacement);

// Ending the session: log off, shut down or restart, with the shutdown privilege.
class Session {
public:
    virtual ~Session() = default;
    // False when the privilege could not be asked for or the platform refused.
    virtual bool ExitSystem(ExitKind kind) = 0;
};

Session& GetSession();
Session* SetSession(Session* replacement);

}  // namespace platform

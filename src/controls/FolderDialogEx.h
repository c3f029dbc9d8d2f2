#pragma once
// The platform's folder browser as a component: an optional window caption, a title line, a
// preselected folder and a status line that shows the selection's path after a prefix. Execute
// tells whether the user confirmed a folder; Folder holds its path (empty after a cancel).
#include <string>

#include "platform/ShellOperations.h"
#include "ui/Component.h"

namespace ui {
class TForm;
}

namespace controls {

enum TFolderOption { foNewDlg, foEditBox, foShowFiles };
using TFolderOptions = unsigned;
constexpr TFolderOptions FolderOptions(TFolderOption o) { return 1u << o; }

class TFolderDialogEx : public ui::TComponent {
public:
    explicit TFolderDialogEx(ui::TComponent* AOwner);
    std::u16string ClassName() const override { return u"TFolderDialogEx"; }

    TFolderOptions Options() const { return FOptions; }
    void SetOptions(TFolderOptions options) { FOptions = options; }
    const std::u16string& Folder() const { return FFolder; }

    bool Execute(const std::u16string& ACaption, const std::u16string& ATitle, const std::u16string& AFolder);
    bool Execute(const std::u16string& ACaption, const std::u16string& ATitle, const std::u16string& AFolder,
                 const std::u16string& AStatusPrompt1, const std::u16string& AStatusPrompt2);

    // The browser's flags for the options, and the status line for a selection's path.
    void SetBrowseOptions(platform::FolderBrowseRequest& request) const;
    std::u16string StatusText(const std::u16string& path) const;

private:
    bool Run();

    std::u16string FFolder;
    TFolderOptions FOptions = 0;
    ui::TForm* FOwner = nullptr;
    std::u16string InitCaption, InitTitle, InitFolder, StatusPrompt1, StatusPrompt2;
};

}  // namespace controls

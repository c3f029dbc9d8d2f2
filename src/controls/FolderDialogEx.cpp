#include "controls/FolderDialogEx.h"

#include "framework/ResourceManager.h"
#include "platform/ShellOperations.h"
#include "ui/Form.h"

namespace controls {
TFolderDialogEx::TFolderDialogEx(ui::TComponent* AOwner)
    : ui::TComponent(AOwner), FOwner(dynamic_cast<ui::TForm*>(AOwner)) {}

bool TFolderDialogEx::Execute(const std::u16string& ACaption, const std::u16string& ATitle,
                              const std::u16string& AFolder) {
    return Execute(ACaption, ATitle, AFolder, u"", u"");
}

bool TFolderDialogEx::Execute(const std::u16string& ACaption, const std::u16string& ATitle,
                              const std::u16string& AFolder, const std::u16string& AStatusPrompt1,
                              const std::u16string& AStatusPrompt2) {
    InitCaption = ACaption;
    InitTitle = ATitle;
    InitFolder = AFolder;
    StatusPrompt1 = AStatusPrompt1;
    StatusPrompt2 = AStatusPrompt2;
    return Run();
}

void TFolderDialogEx::SetBrowseOptions(platform::FolderBrowseRequest& request) const {
    request.NewDialogStyle = (FOptions & FolderOptions(foNewDlg)) != 0;
    request.EditBox = (FOptions & FolderOptions(foEditBox)) != 0;
    request.IncludeFiles = (FOptions & FolderOptions(foShowFiles)) != 0;
}

std::u16string TFolderDialogEx::StatusText(const std::u16string& path) const {
    std::u16string prefix;
    if (!path.empty())
        prefix = !StatusPrompt2.empty() ? StatusPrompt2 : framework::GetResourceStrDef(10301, u"Pfad:");
    else
        prefix = !StatusPrompt1.empty() ? StatusPrompt1 : framework::GetResourceStrDef(10300, u"Kein Pfad.");
    return prefix + u" " + path;
}

bool TFolderDialogEx::Run() {
    platform::FolderBrowseRequest request;
    request.Owner = FOwner ? FOwner->Handle() : 0;
    request.Title = !InitTitle.empty() ? InitTitle : framework::GetResourceStrDef(10302, u"Wählen Sie einen Ordner");
    SetBrowseOptions(request);
    request.OnInitialized = [this](platform::FolderBrowser& browser) {
        if (!InitCaption.empty()) browser.SetCaption(InitCaption);
        browser.SetSelection(InitFolder);
    };
    request.OnSelectionChanged = [this](platform::FolderBrowser& browser, const std::u16string& path) {
        browser.SetStatusText(StatusText(path));
    };
    auto chosen = platform::GetShellOperations().BrowseForFolder(request);
    // An item without a path in the file system (a printer, the control panel) is no folder.
    if (!chosen || chosen->empty()) {
        FFolder.clear();
        return false;
    }
    FFolder = *chosen;
    return true;
}

}  // namespace controls

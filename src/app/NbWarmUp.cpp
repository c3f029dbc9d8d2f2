#include "app/NbWarmUp.h"

#include "platform/ShellIcons.h"
#include "platform/ShellNamespace.h"
#include "shell/ShellConsts.h"

namespace app {

TShellWarmUp::TShellWarmUp() : FWorker([this] { Work(); }) {}

TShellWarmUp::~TShellWarmUp() {
    FStop = true;
    Wait();
}

void TShellWarmUp::Wait() {
    if (FWorker.joinable()) FWorker.join();
}

void TShellWarmUp::Work() {
    try {
        auto& shell = platform::GetShellNamespace();
        const auto scope = shell.EnterWorkerThread();
        shell.SystemSmallImages();
        ++FSteps;
        // The all-users folder first: the menu shows it unless told otherwise.
        for (shell::TRootFolder root : {shell::rfCommonPrograms, shell::rfPrograms}) {
            if (FStop) return;
            const platform::ShellIdList list = shell.SpecialFolder(0, shell::RootFolderCsidl[root]);
            if (list) {
                shell.SysIconIndex(list.get(), platform::SmallIcon);
                shell.SysIconIndex(list.get(), platform::SmallIcon.Opened());
                ++FSteps;
            }
        }
    } catch (...) {
        // Nothing is lost: the program asks for what it needs itself.
    }
}

}  // namespace app

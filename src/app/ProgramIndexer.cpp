#include "app/ProgramIndexer.h"

#include "app/ProgramIndex.h"
#include "platform/Files.h"
#include "platform/ShellNamespace.h"
#include "ui/Backend.h"

namespace app {

TProgramIndexer::~TProgramIndexer() {
    StopWorker();
    ui::GetBackend().DiscardPosted(this);
}

void TProgramIndexer::StopWorker() {
    if (FStop) FStop->store(true);
    if (FWorker.joinable()) FWorker.join();
    FStop.reset();
}

void TProgramIndexer::Start(std::vector<int> specialFolders) {
    StopWorker();
    // A complete index of the earlier walk that has not arrived yet is out of date.
    ui::GetBackend().DiscardPosted(this);
    ++FStarted;
    FStop = std::make_shared<std::atomic<bool>>(false);
    FWorker = std::thread([this, stop = FStop, folders = std::move(specialFolders)] {
        platform::ShellNamespace& shell = platform::GetShellNamespace();
        FindIndex index;
        try {
            const auto scope = shell.EnterWorkerThread();
            index = std::make_shared<const std::vector<FindEntry>>(
                ReadProgramIndex(shell, platform::GetFiles(), folders, *stop));
        } catch (const std::exception&) {
            // A shell that failed part-way leaves the search with no entries rather than the
            // program with an escaped exception on a worker thread.
            index = std::make_shared<const std::vector<FindEntry>>();
        }
        if (stop->load()) return;
        ui::GetBackend().Post(this, [this, index] { FOnReady(index); });
    });
}

}  // namespace app

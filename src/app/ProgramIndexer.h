#pragma once
// Builds the type-to-find index on a worker thread and hands it to the GUI thread when it is
// complete. Started again (a folder changed), it drops the walk in hand and begins anew; gone, it
// stops the walk and nothing it found arrives any more.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/FindRank.h"

namespace app {

using FindIndex = std::shared_ptr<const std::vector<FindEntry>>;

class TProgramIndexer {
public:
    // onReady runs on the GUI thread with each complete index.
    explicit TProgramIndexer(std::function<void(FindIndex)> onReady) : FOnReady(std::move(onReady)) {}
    TProgramIndexer(const TProgramIndexer&) = delete;
    TProgramIndexer& operator=(const TProgramIndexer&) = delete;
    ~TProgramIndexer();

    // Reads the special folders (their platform numbers) on the worker.
    void Start(std::vector<int> specialFolders);
    // Walks started, for tests.
    int Started() const { return FStarted; }

private:
    void StopWorker();

    std::function<void(FindIndex)> FOnReady;
    std::shared_ptr<std::atomic<bool>> FStop;
    std::thread FWorker;
    int FStarted = 0;
};

}  // namespace app

#include "shell/ChangeNotifier.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/ChangeWatch.h"
#include "ui/Backend.h"
#include "util/Utils.h"

namespace shell {

std::uint32_t NotifyFlags(TNotifyFilters filters) {
    constexpr std::uint32_t Flags[] = {platform::ChangeFileName, platform::ChangeDirName, platform::ChangeAttributes,
                                       platform::ChangeSize,     platform::ChangeLastWrite, platform::ChangeSecurity};
    std::uint32_t flags = 0;
    for (unsigned i = 0; i < 6; ++i)
        if (filters & (1u << i)) flags |= Flags[i];
    return flags;
}

namespace {
std::atomic<int> runningWorkers{0};
std::atomic<int> startedWorkers{0};
// The lock every worker and the GUI thread take around a worker's watch options.
std::mutex sharedLock;
}  // namespace

// The worker: its state is shared between the notifier and the thread, so that either may go
// first. The thread itself is detached: a notifier going from inside its own handler (while the
// worker waits for that handler to end) must not wait for the worker.
class TShellChangeThread {
public:
    explicit TShellChangeThread(TThreadMethod handler) : FChangeEvent(std::move(handler)) {}

    static std::shared_ptr<TShellChangeThread> Start(TThreadMethod handler, const std::u16string& directory,
                                                     bool subtree, std::uint32_t flags) {
        auto worker = std::make_shared<TShellChangeThread>(std::move(handler));
        worker->FWatch = platform::CreateChangeWatch();
        if (!worker->FWatch) return nullptr;
        worker->SetDirectoryOptions(directory, subtree, flags);
        ++runningWorkers;
        ++startedWorkers;
        std::thread([worker] {
            worker->Execute();
            worker->FEnded = true;
            --runningWorkers;
        }).detach();
        return worker;
    }

    void SetDirectoryOptions(const std::u16string& directory, bool subtree, std::uint32_t flags) {
        {
            std::lock_guard<std::mutex> lock(sharedLock);
            FDirectory = directory;
            FWatchSubTree = subtree;
            FNotifyOptionFlags = flags;
            FWaitChanged = true;
        }
        // The current wait ends; the new options are watched before the next one.
        FWatch->Wake();
    }

    void SetHandler(TThreadMethod handler) {
        std::lock_guard<std::mutex> lock(sharedLock);
        FChangeEvent = std::move(handler);
    }

    void Stop() {
        FTerminated = true;
        FWatch->Wake();
        // A change already waiting to be handed over is dropped, and its sender let go.
        ui::GetBackend().DiscardPosted(this);
    }

    bool Ended() const { return FEnded; }

private:
    bool WatchCurrentOptions() {
        std::u16string directory;
        bool subtree;
        std::uint32_t flags;
        {
            std::lock_guard<std::mutex> lock(sharedLock);
            directory = FDirectory;
            subtree = FWatchSubTree;
            flags = FNotifyOptionFlags;
            FWaitChanged = false;
        }
        return FWatch->Watch(directory, subtree, flags);
    }

    void Execute() {
        if (!WatchCurrentOptions()) return;
        while (!FTerminated) {
            const platform::ChangeWatch::Event event = FWatch->Wait();
            if (FTerminated) break;
            if (event == platform::ChangeWatch::Event::Failed) return;
            if (event == platform::ChangeWatch::Event::Changed) {
                // Synchronous: the next change is looked at after the handler ran. The GUI
                // thread checks the stop flag itself, as the notifier may have gone meanwhile.
                ui::GetBackend().Send(this, [this] {
                    if (FTerminated) return;
                    TThreadMethod handler;
                    {
                        std::lock_guard<std::mutex> lock(sharedLock);
                        handler = FChangeEvent;
                    }
                    if (handler) handler();
                });
                if (FTerminated) break;
                FWatch->Rearm();
            }
            bool changed;
            {
                std::lock_guard<std::mutex> lock(sharedLock);
                changed = FWaitChanged;
            }
            if (changed && !WatchCurrentOptions()) return;
        }
    }

    std::unique_ptr<platform::ChangeWatch> FWatch;
    TThreadMethod FChangeEvent;
    std::u16string FDirectory;
    bool FWatchSubTree = true;
    bool FWaitChanged = false;
    std::uint32_t FNotifyOptionFlags = 0;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FEnded{false};
};

TCustomShellChangeNotifier::TCustomShellChangeNotifier(ui::TComponent* AOwner) : TComponent(AOwner) { Start(); }

TCustomShellChangeNotifier::~TCustomShellChangeNotifier() {
    if (FThread) {
        std::shared_ptr<TShellChangeThread> worker = std::move(FThread);
        worker->Stop();
    }
}

void TCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters filters) {
    FFilters = filters;
    PassOptions();
}

void TCustomShellChangeNotifier::SetRoot(const std::u16string& root) {
    if (util::SameTextAscii(root, FRoot)) return;
    FRoot = root;
    PassOptions();
}

void TCustomShellChangeNotifier::SetWatchSubTree(bool subtree) {
    FWatchSubTree = subtree;
    PassOptions();
}

void TCustomShellChangeNotifier::SetOnChange(TThreadMethod handler) {
    FOnChange = std::move(handler);
    if (Watching()) FThread->SetHandler(FOnChange);
    else Start();
}

bool TCustomShellChangeNotifier::Watching() const { return FThread && !FThread->Ended(); }

int TCustomShellChangeNotifier::RunningWorkers() { return runningWorkers.load(); }
int TCustomShellChangeNotifier::StartedWorkers() { return startedWorkers.load(); }

void TCustomShellChangeNotifier::PassOptions() {
    // A worker that ended by itself (its watch failed) is never used again: new options start a
    // new one, if there is a handler.
    if (Watching()) FThread->SetDirectoryOptions(FRoot, FWatchSubTree, NotifyFlags(FFilters));
    else Start();
}

void TCustomShellChangeNotifier::Start() {
    if (!FOnChange) return;
    if (FThread) FThread->Stop();
    FThread = TShellChangeThread::Start(FOnChange, FRoot, FWatchSubTree, NotifyFlags(FFilters));
}

}  // namespace shell

#pragma once
// The system icons of a folder's first items, asked of the shell by a worker thread while the
// program goes on: the shell needs milliseconds per item (it reads shortcuts and their targets),
// and the rows a tree shows first need their icons at once.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/ShellIcons.h"
#include "shell/IdList.h"

namespace platform {
class ShellNamespace;
}

namespace shell {

class TIconPrefetch {
public:
    // Starts asking for each absolute list's icon, in order.
    TIconPrefetch(platform::ShellNamespace& shell, std::vector<IdListPtr> lists, platform::IconStyle style);
    TIconPrefetch(const TIconPrefetch&) = delete;
    TIconPrefetch& operator=(const TIconPrefetch&) = delete;
    // Waits for the worker, which stops after the item in hand.
    ~TIconPrefetch();
    // Tells the worker to stop after the item in hand; what it did not ask is asked here.
    void Stop() { FStop = true; }

    // The icon of the list at index (0 when the shell knows none): the worker's answer, waited for
    // while the worker is asking, or asked here when the worker has not come to it yet.
    int IconIndex(std::size_t index);
    // Icons the worker asked for, for tests and measurements.
    std::size_t AskedByWorker() const { return FAskedByWorker.load(); }

private:
    enum State : int { Waiting, Asking, Answered };
    struct Slot {
        IdListPtr List;
        std::atomic<int> Progress{Waiting};
        int Icon = 0;
    };
    int Ask(const Slot& slot) const;
    void Answer(Slot& slot, int icon);
    void Work();

    platform::ShellNamespace& FShell;
    platform::IconStyle FStyle;
    std::size_t FCount;
    std::unique_ptr<Slot[]> FSlots;
    std::atomic<bool> FStop{false};
    std::atomic<std::size_t> FAskedByWorker{0};
    std::mutex FLock;
    std::condition_variable FAnswered;
    std::thread FWorker;
};

}  // namespace shell

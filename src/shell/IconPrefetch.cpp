#include "shell/IconPrefetch.h"

#include "platform/ShellNamespace.h"

namespace shell {

TIconPrefetch::TIconPrefetch(platform::ShellNamespace& shell, std::vector<IdListPtr> lists, platform::IconStyle style)
    : FShell(shell), FStyle(style), FCount(lists.size()), FSlots(std::make_unique<Slot[]>(lists.size())) {
    for (std::size_t i = 0; i < FCount; ++i) FSlots[i].List = std::move(lists[i]);
    if (FCount > 0) FWorker = std::thread([this] { Work(); });
}

TIconPrefetch::~TIconPrefetch() {
    Stop();
    if (FWorker.joinable()) FWorker.join();
}

int TIconPrefetch::Ask(const Slot& slot) const {
    try {
        return FShell.SysIconIndex(slot.List.get(), FStyle).value_or(0);
    } catch (...) {
        return 0;  // an item the shell cannot show gets the first icon, as when it answers nothing
    }
}

void TIconPrefetch::Answer(Slot& slot, int icon) {
    {
        std::lock_guard<std::mutex> lock(FLock);
        slot.Icon = icon;
        slot.Progress = Answered;
    }
    FAnswered.notify_all();
}

void TIconPrefetch::Work() {
    try {
        const auto scope = FShell.EnterWorkerThread();
        for (std::size_t i = 0; i < FCount && !FStop; ++i) {
            Slot& slot = FSlots[i];
            int expected = Waiting;
            if (!slot.Progress.compare_exchange_strong(expected, Asking)) continue;  // asked for already
            Answer(slot, Ask(slot));
            ++FAskedByWorker;
        }
    } catch (...) {
        // Without a worker the program asks for each icon itself when it needs it.
    }
}

int TIconPrefetch::IconIndex(std::size_t index) {
    if (index >= FCount) return 0;
    Slot& slot = FSlots[index];
    int expected = Waiting;
    if (slot.Progress.compare_exchange_strong(expected, Asking)) {
        Answer(slot, Ask(slot));
        return slot.Icon;
    }
    std::unique_lock<std::mutex> lock(FLock);
    FAnswered.wait(lock, [&] { return slot.Progress == Answered; });
    return slot.Icon;
}

}  // namespace shell

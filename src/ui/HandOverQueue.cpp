#include "ui/HandOverQueue.h"

#include "ui/GuardedCall.h"

namespace ui {

struct HandOverQueue::Work {
    const void* Owner;
    std::function<void()> Run;
    bool Done = false;
    bool Ran = false;
    std::condition_variable Finished;
};

void HandOverQueue::Post(const void* owner, std::function<void()> work, const std::function<void()>& wake) {
    auto item = std::make_shared<Work>();
    item->Owner = owner;
    item->Run = std::move(work);
    {
        std::lock_guard<std::mutex> lock(FLock);
        FWaiting.push_back(std::move(item));
    }
    if (wake) wake();
}

bool HandOverQueue::Send(const void* owner, std::function<void()> work, const std::function<void()>& wake) {
    auto item = std::make_shared<Work>();
    item->Owner = owner;
    item->Run = std::move(work);
    std::unique_lock<std::mutex> lock(FLock);
    FWaiting.push_back(item);
    if (wake) wake();
    item->Finished.wait(lock, [&] { return item->Done; });
    return item->Ran;
}

void HandOverQueue::Discard(const void* owner) {
    std::lock_guard<std::mutex> lock(FLock);
    for (auto it = FWaiting.begin(); it != FWaiting.end();) {
        if (owner && (*it)->Owner != owner) {
            ++it;
            continue;
        }
        (*it)->Done = true;
        (*it)->Finished.notify_all();
        it = FWaiting.erase(it);
    }
}

bool HandOverQueue::RunWaiting(std::size_t count) {
    bool ranAny = false;
    while (count-- > 0) {
        std::shared_ptr<Work> item;
        {
            std::lock_guard<std::mutex> lock(FLock);
            if (FWaiting.empty()) break;
            item = std::move(FWaiting.front());
            FWaiting.pop_front();
        }
        GuardedCall(item->Run);
        ranAny = true;
        std::lock_guard<std::mutex> lock(FLock);
        item->Ran = item->Done = true;
        item->Finished.notify_all();
    }
    return ranAny;
}

std::size_t HandOverQueue::Waiting() {
    std::lock_guard<std::mutex> lock(FLock);
    return FWaiting.size();
}

}  // namespace ui

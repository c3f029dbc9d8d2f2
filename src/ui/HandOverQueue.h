#pragma once
// Work handed to the GUI thread from any thread, waiting its turn: what the backends' Post, Send
// and DiscardPosted keep. A backend wakes its GUI thread after each hand-over (wake) and runs the
// waiting work from its message loop (RunWaiting).
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace ui {

class HandOverQueue {
public:
    // Queues the work; wake runs after it is queued (any thread).
    void Post(const void* owner, std::function<void()> work, const std::function<void()>& wake);
    // Queues the work and waits until it ran (true) or was discarded (false).
    bool Send(const void* owner, std::function<void()> work, const std::function<void()>& wake);
    // Drops the waiting work of one owner (all with nullptr), releasing its senders with false.
    void Discard(const void* owner);
    // Runs at most count pieces in order, each guarded; false when none was waiting.
    bool RunWaiting(std::size_t count);
    std::size_t Waiting();

private:
    struct Work;
    std::mutex FLock;
    std::deque<std::shared_ptr<Work>> FWaiting;
};

}  // namespace ui

#pragma once
// Handles the GUI thread's messages until a condition holds, for work a worker thread hands over.
#include <chrono>
#include <functional>
#include <thread>

#include "ui/Application.h"

// True when done() held within ten seconds.
inline bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        ui::Application().ProcessMessages();
        std::this_thread::yield();
    }
    return true;
}

#pragma once
// Waits for something a real window will do, handling its messages meanwhile.
#include <windows.h>

#include <chrono>
#include <functional>

#include "ui/Application.h"

// Handles messages until done() holds or two seconds pass; true when done() held.
inline bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        ui::Application().ProcessMessages();
    }
    return true;
}

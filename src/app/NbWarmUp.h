#pragma once
// The shell's icons cost tens of milliseconds the first time they are asked for (the system image
// list is made, the folder pictures are loaded). A worker readies them, and the icons of both
// programs folders the menu may show, while the program makes its window.
#include <atomic>
#include <thread>

namespace app {

class TShellWarmUp {
public:
    TShellWarmUp();
    TShellWarmUp(const TShellWarmUp&) = delete;
    TShellWarmUp& operator=(const TShellWarmUp&) = delete;
    // Waits for the worker, which stops after the step in hand.
    ~TShellWarmUp();
    // Steps the worker finished, for tests: the image list, then each programs folder's icons
    // (a folder the shell does not know is left out).
    int StepsDone() const { return FSteps.load(); }
    void Wait();

private:
    void Work();
    std::atomic<bool> FStop{false};
    std::atomic<int> FSteps{0};
    std::thread FWorker;
};

}  // namespace app

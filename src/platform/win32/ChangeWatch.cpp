#include "platform/ChangeWatch.h"

#include <windows.h>

#include "platform/win32/WinText.h"

namespace platform {
namespace {

class Win32ChangeWatch final : public ChangeWatch {
public:
    Win32ChangeWatch() : FWake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~Win32ChangeWatch() override {
        CloseWatch();
        if (FWake) CloseHandle(FWake);
    }
    bool Valid() const { return FWake != nullptr; }

    bool Watch(const std::u16string& directory, bool subtree, std::uint32_t kinds) override {
        CloseWatch();
        const HANDLE watch = FindFirstChangeNotificationW(win32::W(directory), subtree ? TRUE : FALSE, kinds);
        if (watch == INVALID_HANDLE_VALUE) return false;
        FWatch = watch;
        return true;
    }
    Event Wait() override {
        // The change first, then the wake-up, as the platform reports the first signalled one.
        HANDLE handles[2];
        DWORD count = 0;
        if (FWatch) handles[count++] = FWatch;
        handles[count++] = FWake;
        const DWORD result = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
        if (result == WAIT_OBJECT_0 && count == 2) return Event::Changed;
        if (result == WAIT_OBJECT_0 + count - 1) return Event::Woken;
        return Event::Failed;
    }
    bool Rearm() override { return FWatch && FindNextChangeNotification(FWatch); }
    void Wake() override { SetEvent(FWake); }

private:
    void CloseWatch() {
        if (FWatch) FindCloseChangeNotification(FWatch);
        FWatch = nullptr;
    }
    HANDLE FWatch = nullptr;
    HANDLE FWake;
};

}  // namespace

std::unique_ptr<ChangeWatch> CreateChangeWatch() {
    auto watch = std::make_unique<Win32ChangeWatch>();
    if (!watch->Valid()) return nullptr;
    return watch;
}

}  // namespace platform

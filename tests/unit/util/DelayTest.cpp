#include <gtest/gtest.h>

#include "platform/System.h"
#include "util/Utils.h"

namespace {
// A tick counter that moves on by a fixed step each time it is read.
class SteppingClock final : public platform::System {
public:
    SteppingClock(std::uint32_t start, std::uint32_t step) : now_(start), step_(step) {}
    std::u16string WindowsDirectory() override { return u"C:\\Windows"; }
    std::u16string ComputerName() override { return u"PC"; }
    std::u16string UserName() override { return u"user"; }
    std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::u16string&) override { return std::nullopt; }
    std::u16string ExecutablePath() override { return u"C:\\nimbrel.exe"; }
    std::uint32_t ProcessId() override { return 1; }
    bool ProcessRunning(std::uint32_t) override { return true; }
    std::uint32_t TickCount() override {
        const std::uint32_t t = now_;
        now_ += step_;
        return t;
    }

private:
    std::uint32_t now_, step_;
};

struct ClockInstalled {
    explicit ClockInstalled(platform::System* clock) : previous(platform::SetSystem(clock)) {}
    ~ClockInstalled() { platform::SetSystem(previous); }
    platform::System* previous;
};

int PumpsDuringDelay(std::uint32_t start, std::uint32_t step, std::uint32_t ms) {
    SteppingClock clock(start, step);
    ClockInstalled installed(&clock);
    int pumps = 0;
    auto previous = util::SetMessagePump([&pumps] { ++pumps; });
    util::DelayWithMessages(ms);
    util::SetMessagePump(std::move(previous));
    return pumps;
}
}  // namespace

TEST(DelayWithMessages, PumpsUntilMoreThanTheTimeHasPassed) {
    // Start read at t, then checks at t+1, t+2, ...: it returns at the first check past t+10.
    EXPECT_EQ(PumpsDuringDelay(1000, 1, 10), 10);
    EXPECT_EQ(PumpsDuringDelay(1000, 1, 0), 0);  // one tick later is already more than 0 ms
    EXPECT_EQ(PumpsDuringDelay(1000, 5, 10), 2);     // checks at +5, +10 pump; +15 ends
}

TEST(DelayWithMessages, SurvivesTickCounterWrapAround) {
    EXPECT_EQ(PumpsDuringDelay(0xFFFFFFF0u, 1, 40), 40);
}

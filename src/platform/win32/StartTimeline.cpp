#include "platform/StartTimeline.h"

#ifdef NIMBREL_TIMELINE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

struct Mark {
    char Step[64];
    double Millis;
};
Mark marks[96];
int count = 0;
std::mutex lock;

double SinceCreation() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto value = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(now) - value(created)) / 10000.0;
}

bool Known(const char* step) {
    for (int i = 0; i < count; ++i)
        if (std::strcmp(marks[i].Step, step) == 0) return true;
    return false;
}

void Add(const char* step) {
    if (count >= 96) return;
    Mark& mark = marks[count++];
    std::snprintf(mark.Step, sizeof(mark.Step), "%s", step);
    mark.Millis = SinceCreation();
}

}  // namespace

void MarkStart(const char* step) {
    std::lock_guard guard(lock);
    Add(step);
}

void MarkFirstPaint(const char* name) {
    // The first paint, and up to three more: a window drawn again (icons that came later) counts
    // for the frame too.
    std::lock_guard guard(lock);
    char step[64];
    std::snprintf(step, sizeof(step), "painted %s", name);
    for (int again = 2; Known(step); ++again) {
        if (again > 4) return;
        std::snprintf(step, sizeof(step), "painted %s (%d)", name, again);
    }
    Add(step);
}

void WriteStartTimeline() {
    std::lock_guard guard(lock);
    const char* file = std::getenv("NIMBREL_TIMELINE_FILE");
    if (!file || !*file || count == 0) return;
    FILE* out = std::fopen(file, "a");
    if (!out) return;
    for (int i = 0; i < count; ++i) std::fprintf(out, "%s\t%.1f\n", marks[i].Step, marks[i].Millis);
    std::fprintf(out, "--\n");
    std::fclose(out);
    count = 0;
}

}  // namespace platform
#endif

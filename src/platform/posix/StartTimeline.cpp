#include "platform/StartTimeline.h"

#ifdef NIMBREL_TIMELINE
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {
// Here the clock starts when the program's statics are made, close enough to the process's start.
const auto started = std::chrono::steady_clock::now();
std::mutex lock;
std::vector<std::pair<std::string, double>> marks;
std::set<std::string> painted;

void Add(std::string step) {
    marks.emplace_back(std::move(step),
                       std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
}
}  // namespace

void MarkStart(const char* step) {
    std::lock_guard guard(lock);
    Add(step);
}

void MarkFirstPaint(const char* name) {
    std::lock_guard guard(lock);
    if (painted.insert(name).second) Add(std::string("painted ") + name);
}

void WriteStartTimeline() {
    std::lock_guard guard(lock);
    const char* file = std::getenv("NIMBREL_TIMELINE_FILE");
    if (!file || !*file || marks.empty()) return;
    if (FILE* out = std::fopen(file, "a")) {
        for (const auto& [step, millis] : marks) std::fprintf(out, "%s\t%.1f\n", step.c_str(), millis);
        std::fprintf(out, "--\n");
        std::fclose(out);
    }
    marks.clear();
}

}  // namespace platform
#endif

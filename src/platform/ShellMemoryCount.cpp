#include "platform/ShellMemory.h"
#include "platform/ShellNamespace.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<long> held{0};
std::atomic<long> objects{0};
}

namespace detail {
void CountShellBlock(int delta) { held += delta; }
void CountShellObject(int delta) { objects += delta; }
}  // namespace detail

long ShellBlocksHeld() { return held.load(); }
long ShellObjectsHeld() { return objects.load(); }

void AdoptShellBlock(void* block) {
    if (block) detail::CountShellBlock(1);
}

}  // namespace platform

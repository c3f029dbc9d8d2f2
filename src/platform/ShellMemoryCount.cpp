#include "platform/ShellMemory.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<long> held{0};
}

namespace detail {
void CountShellBlock(int delta) { held += delta; }
}  // namespace detail

long ShellBlocksHeld() { return held.load(); }

void AdoptShellBlock(void* block) {
    if (block) detail::CountShellBlock(1);
}

}  // namespace platform

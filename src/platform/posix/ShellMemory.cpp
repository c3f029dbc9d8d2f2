#include "platform/ShellMemory.h"

#include <cstdlib>

// Without the platform's shell the process heap stands in for its allocator.
namespace platform {
void* ShellAlloc(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (block) detail::CountShellBlock(1);
    return block;
}

void ShellFree(void* block) {
    if (!block) return;
    std::free(block);
    detail::CountShellBlock(-1);
}

}  // namespace platform

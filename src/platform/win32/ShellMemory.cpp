#include "platform/ShellMemory.h"

#include <windows.h>
#include <objbase.h>

// The shell's allocator is the COM task allocator: what CoTaskMemAlloc gives, the shell frees,
// and the reverse.
namespace platform {
void* ShellAlloc(std::size_t size) {
    void* block = CoTaskMemAlloc(size ? size : 1);
    if (block) detail::CountShellBlock(1);
    return block;
}

void ShellFree(void* block) {
    if (!block) return;
    CoTaskMemFree(block);
    detail::CountShellBlock(-1);
}

}  // namespace platform

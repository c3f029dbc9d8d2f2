#pragma once
// The shell's memory allocator: identifier lists are made and released through it, because the
// platform's shell calls hand out and take back lists of that allocator. It also counts the blocks
// it holds, so that tests can see every list given back.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// A block of size bytes, or nullptr; released with ShellFree.
void* ShellAlloc(std::size_t size);
void ShellFree(void* block);
// Blocks allocated through ShellAlloc, or adopted from the platform, and not yet freed.
long ShellBlocksHeld();
// Counts a block that the platform's shell allocated (and that is released with ShellFree).
void AdoptShellBlock(void* block);

// One block (an identifier list) owned and given back through ShellFree.
struct ShellBlockDeleter {
    void operator()(std::uint8_t* block) const { ShellFree(block); }
};
using ShellIdList = std::unique_ptr<std::uint8_t, ShellBlockDeleter>;

namespace detail {
// The backends' side of the count.
void CountShellBlock(int delta);
}  // namespace detail

}  // namespace platform

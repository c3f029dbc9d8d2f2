#pragma once
// Item identifier lists: the shell's variable-length names of namespace items. A list is a run of
// entries, each a 16-bit little-endian byte count (including the count's own two bytes) and that
// many bytes less two of the owning folder's data, ended by a zero count. Lists are allocated from
// the shell's allocator and zero-filled; whoever receives one from an operation here owns it.
//
// Lists from the platform's own calls are trusted; a list from anywhere else (a file, a message)
// is checked with IdValid against the bytes it came in first. The walks below stop at the
// platform's limit in any case, so a damaged list never makes them run on without end.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ShellMemory.h"

namespace shell {

using PItemIDList = std::uint8_t*;
using PCItemIDList = const std::uint8_t*;

// The most bytes a list may take: what a 16-bit count can frame, terminator included.
constexpr std::size_t MaxIdListSize = 0x10000;

PItemIDList IdAlloc(std::size_t size);
void IdFree(PItemIDList list);
PItemIDList IdNext(PItemIDList list);
PCItemIDList IdNext(PCItemIDList list);
// Zeroes the last entry's count, so that the list names the parent.
void IdStripLast(PItemIDList list);
int IdCount(PCItemIDList list);
// Bytes including the terminator; 0 for no list, or for one beyond the platform's limit.
std::size_t IdSize(PCItemIDList list);
PItemIDList IdClone(PCItemIDList list);
PItemIDList IdJoin(PCItemIDList a, PCItemIDList b);
PItemIDList IdLastItem(PCItemIDList list);

// Whether the bytes hold a well-formed list: every entry at least three bytes (a count and
// data), none running past the bytes, a terminator within them, within the platform's limit.
bool IdValid(PCItemIDList list, std::size_t available);

// Owns one list and frees it through the shell's allocator.
using IdListPtr = platform::ShellIdList;

// Every proper prefix of the list as a new list, shortest (the empty list) first; the lists are
// owned by the result. IdPrefixListFree gives them back before the result goes, where that matters.
std::vector<IdListPtr> IdPrefixList(PCItemIDList list);
void IdPrefixListFree(std::vector<IdListPtr>& lists);

}  // namespace shell

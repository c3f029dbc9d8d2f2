#include "shell/IdList.h"

#include <cstring>

#include "platform/ShellMemory.h"

namespace shell {

namespace {
std::size_t CountOf(PCItemIDList entry) { return static_cast<std::size_t>(entry[0] | (entry[1] << 8)); }

// Bytes before the terminator, walking at most up to the limit; nullopt-like -1 when beyond.
std::ptrdiff_t EntryBytes(PCItemIDList list) {
    std::size_t used = 0;
    for (PCItemIDList entry = list; CountOf(entry) != 0; entry += CountOf(entry)) {
        used += CountOf(entry);
        if (used + 2 > MaxIdListSize) return -1;
    }
    return static_cast<std::ptrdiff_t>(used);
}
}  // namespace

PItemIDList IdAlloc(std::size_t size) {
    auto* list = static_cast<PItemIDList>(platform::ShellAlloc(size));
    if (list) std::memset(list, 0, size);
    return list;
}

void IdFree(PItemIDList list) { platform::ShellFree(list); }

PItemIDList IdNext(PItemIDList list) { return list + CountOf(list); }
PCItemIDList IdNext(PCItemIDList list) { return list + CountOf(list); }

void IdStripLast(PItemIDList list) {
    if (!list || CountOf(list) == 0 || EntryBytes(list) < 0) return;
    PItemIDList last = list;
    for (PItemIDList next = IdNext(list); CountOf(next) != 0; next = IdNext(next)) last = next;
    last[0] = last[1] = 0;
}

int IdCount(PCItemIDList list) {
    if (!list || EntryBytes(list) < 0) return 0;
    int count = 0;
    for (PCItemIDList entry = list; CountOf(entry) != 0; entry = IdNext(entry)) ++count;
    return count;
}

std::size_t IdSize(PCItemIDList list) {
    if (!list) return 0;
    const std::ptrdiff_t bytes = EntryBytes(list);
    return bytes < 0 ? 0 : static_cast<std::size_t>(bytes) + 2;
}

PItemIDList IdClone(PCItemIDList list) {
    const std::size_t size = IdSize(list);
    if (size == 0) return nullptr;
    PItemIDList copy = IdAlloc(size);
    if (copy) std::memcpy(copy, list, size);
    return copy;
}

PItemIDList IdJoin(PCItemIDList a, PCItemIDList b) {
    const std::size_t sizeB = IdSize(b);
    if (sizeB == 0) return nullptr;
    const std::size_t headA = a ? IdSize(a) : 0;
    if (a && headA == 0) return nullptr;  // a list beyond the limit joins nothing
    const std::size_t bytesA = headA ? headA - 2 : 0;
    if (bytesA + sizeB > MaxIdListSize) return nullptr;
    PItemIDList joined = IdAlloc(bytesA + sizeB);
    if (!joined) return nullptr;
    if (bytesA) std::memcpy(joined, a, bytesA);
    std::memcpy(joined + bytesA, b, sizeB);
    return joined;
}

PItemIDList IdLastItem(PCItemIDList list) {
    if (!list || CountOf(list) == 0 || EntryBytes(list) < 0) return nullptr;
    PCItemIDList last = list;
    for (PCItemIDList next = IdNext(list); CountOf(next) != 0; next = IdNext(next)) last = next;
    const std::size_t count = CountOf(last);
    PItemIDList item = IdAlloc(count + 2);  // the terminator comes zeroed
    if (item) std::memcpy(item, last, count);
    return item;
}

std::vector<IdListPtr> IdPrefixList(PCItemIDList list) {
    std::vector<IdListPtr> prefixes;
    const int entries = IdCount(list);
    prefixes.reserve(static_cast<std::size_t>(entries));
    std::size_t bytes = 0;
    PCItemIDList entry = list;
    for (int i = 0; i < entries; ++i) {
        IdListPtr prefix(IdAlloc(bytes + 2));
        if (!prefix) break;
        if (bytes) std::memcpy(prefix.get(), list, bytes);
        prefixes.push_back(std::move(prefix));
        bytes += CountOf(entry);
        entry = IdNext(entry);
    }
    return prefixes;
}

void IdPrefixListFree(std::vector<IdListPtr>& lists) { lists.clear(); }

bool IdValid(PCItemIDList list, std::size_t available) {
    if (!list) return false;
    std::size_t at = 0;
    while (true) {
        if (at + 2 > available || at + 2 > MaxIdListSize) return false;
        const std::size_t count = CountOf(list + at);
        if (count == 0) return true;
        if (count < 3 || count > available - at) return false;
        at += count;
    }
}

}  // namespace shell

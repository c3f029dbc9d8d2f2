// Identifier lists: the operations on well-formed lists, their edge cases, and damaged lists.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ShellMemory.h"
#include "shell/IdList.h"

using namespace shell;

namespace {
// A list made of entries with the given data, each framed by its count, and the terminator.
std::vector<std::uint8_t> Framed(std::initializer_list<std::vector<std::uint8_t>> entries) {
    std::vector<std::uint8_t> bytes;
    for (const auto& data : entries) {
        const std::size_t count = data.size() + 2;
        bytes.push_back(static_cast<std::uint8_t>(count & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(count >> 8));
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::vector<std::uint8_t> Bytes(PCItemIDList list) { return {list, list + IdSize(list)}; }
}  // namespace

TEST(IdList, SizesCountsAndCopies) {
    const long before = platform::ShellBlocksHeld();
    auto three = Framed({{1, 2, 3}, {4}, {5, 6}});
    auto empty = Framed({});
    EXPECT_EQ(IdSize(nullptr), 0u);
    EXPECT_EQ(IdSize(empty.data()), 2u);
    EXPECT_EQ(IdCount(empty.data()), 0);
    EXPECT_EQ(IdSize(three.data()), 2u + 5 + 3 + 4);
    EXPECT_EQ(IdCount(three.data()), 3);
    EXPECT_EQ(IdNext(three.data()), three.data() + 5);
    {
        IdListPtr copy(IdClone(three.data()));
        ASSERT_TRUE(copy);
        EXPECT_EQ(Bytes(copy.get()), three);
        // Stripping the last entry names the parent; an empty list stays as it is.
        IdStripLast(copy.get());
        EXPECT_EQ(Bytes(copy.get()), Framed({{1, 2, 3}, {4}}));
        IdStripLast(empty.data());
        EXPECT_EQ(IdSize(empty.data()), 2u);
        IdStripLast(nullptr);
        // The last entry alone, and two lists joined.
        IdListPtr last(IdLastItem(three.data()));
        EXPECT_EQ(Bytes(last.get()), Framed({{5, 6}}));
        EXPECT_EQ(IdLastItem(empty.data()), nullptr);
        IdListPtr joined(IdJoin(copy.get(), last.get()));
        EXPECT_EQ(Bytes(joined.get()), three);
        IdListPtr onlySecond(IdJoin(nullptr, three.data()));
        EXPECT_EQ(Bytes(onlySecond.get()), three);
        IdListPtr withEmpty(IdJoin(empty.data(), three.data()));
        EXPECT_EQ(Bytes(withEmpty.get()), three);
        // Allocations come zeroed.
        IdListPtr fresh(IdAlloc(16));
        ASSERT_TRUE(fresh);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(fresh.get()[i], 0);
    }
    EXPECT_EQ(platform::ShellBlocksHeld(), before);  // every list went back to the allocator
}

TEST(IdList, PrefixListsHoldEveryProperPrefixShortestFirst) {
    const long before = platform::ShellBlocksHeld();
    auto three = Framed({{1, 2, 3}, {4}, {5, 6}});
    {
        auto prefixes = IdPrefixList(three.data());
        ASSERT_EQ(prefixes.size(), 3u);
        EXPECT_EQ(Bytes(prefixes[0].get()), Framed({}));
        EXPECT_EQ(Bytes(prefixes[1].get()), Framed({{1, 2, 3}}));
        EXPECT_EQ(Bytes(prefixes[2].get()), Framed({{1, 2, 3}, {4}}));
        EXPECT_TRUE(IdPrefixList(Framed({}).data()).empty());
        EXPECT_TRUE(IdPrefixList(nullptr).empty());
        auto one = IdPrefixList(Framed({{9}}).data());
        ASSERT_EQ(one.size(), 1u);
        EXPECT_EQ(IdSize(one[0].get()), 2u);
        IdPrefixListFree(prefixes);
        EXPECT_TRUE(prefixes.empty());
        EXPECT_EQ(platform::ShellBlocksHeld(), before + 1);  // only the one-entry result is left
    }
    EXPECT_EQ(platform::ShellBlocksHeld(), before);
}

TEST(IdList, DamagedListsAreRejectedAndNeverWalkedWithoutEnd) {
    const auto good = Framed({{1, 2, 3}, {4}});
    EXPECT_TRUE(IdValid(good.data(), good.size()));
    EXPECT_TRUE(IdValid(Framed({}).data(), 2));
    EXPECT_FALSE(IdValid(nullptr, 10));
    // The terminator cut off, an entry running past the bytes, entries too short to hold data.
    EXPECT_FALSE(IdValid(good.data(), good.size() - 1));
    std::vector<std::uint8_t> past = {9, 0, 1, 2, 0, 0};
    EXPECT_FALSE(IdValid(past.data(), past.size()));
    std::vector<std::uint8_t> bare = {2, 0, 0, 0};
    EXPECT_FALSE(IdValid(bare.data(), bare.size()));
    std::vector<std::uint8_t> one = {1, 0, 0, 0};
    EXPECT_FALSE(IdValid(one.data(), one.size()));
    // Longer than the platform allows, though every entry is well framed.
    std::vector<std::uint8_t> huge;
    for (int i = 0; i < 300; ++i) {
        huge.push_back(0xFF);
        huge.push_back(0x00);
        huge.insert(huge.end(), 253, static_cast<std::uint8_t>(i));
    }
    huge.push_back(0);
    huge.push_back(0);
    EXPECT_FALSE(IdValid(huge.data(), huge.size()));
    // The walks stop at the limit: such a list has no size, no count and makes no copy.
    EXPECT_EQ(IdSize(huge.data()), 0u);
    EXPECT_EQ(IdCount(huge.data()), 0);
    EXPECT_EQ(IdClone(huge.data()), nullptr);
    EXPECT_EQ(IdJoin(huge.data(), good.data()), nullptr);
    EXPECT_TRUE(IdPrefixList(huge.data()).empty());
}

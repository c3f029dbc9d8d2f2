// Every kept fuzz input (the seed corpus and each input that once found a fault) goes through its
// target once, so that a fixed fault stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FuzzTarget.h"

namespace {
std::vector<std::uint8_t> Bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
}  // namespace

TEST(FuzzReplay, EveryKeptInputHoldsItsTargetsProperties) {
    fuzz::SetFailuresThrow(true);
    int replayed = 0;
    for (const fuzz::NamedTarget& target : fuzz::AllTargets()) {
        int ofTarget = 0;
        for (const char* kind : {"corpus", "crashes"}) {
            const std::filesystem::path dir = std::filesystem::path(NIMBREL_FUZZ_DIR) / kind / target.Name;
            if (!std::filesystem::is_directory(dir)) continue;
            for (const auto& entry : std::filesystem::directory_iterator(dir)) {
                const std::vector<std::uint8_t> input = Bytes(entry.path());
                try {
                    target.Run(input.data(), input.size());
                } catch (const std::exception& e) {
                    ADD_FAILURE() << target.Name << " on " << entry.path() << ": " << e.what();
                }
                ++ofTarget;
            }
        }
        EXPECT_GT(ofTarget, 0) << "no kept input for " << target.Name;
        replayed += ofTarget;
    }
    fuzz::SetFailuresThrow(false);
    EXPECT_GT(replayed, 0);
}

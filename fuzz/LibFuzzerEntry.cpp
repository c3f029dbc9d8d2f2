// The libFuzzer entry of one target, named at build time.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::NIMBREL_FUZZ_TARGET(data, size);
    return 0;
}

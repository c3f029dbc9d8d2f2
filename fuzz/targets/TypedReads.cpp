// The binary file object: typed reads in any order over a file of any content never read or
// allocate past what the file holds.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzTarget.h"
#include "platform/Utf.h"
#include "util/FileObj.h"

namespace fuzz {
namespace {
// One scratch file per process, beside the others in the temporary folder.
const std::string& ScratchFile() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir && *dir ? dir : "/tmp") + "/nimbrel-fuzz-" + std::to_string(::getpid()) + ".bin";
    }();
    return path;
}
}  // namespace

void TypedReads(const std::uint8_t* data, std::size_t size) {
    // The first bytes choose the reads, the rest is the file.
    const std::size_t opCount = size == 0 ? 0 : std::min<std::size_t>(data[0] % 17, size - 1);
    const std::uint8_t* ops = data + 1;
    const std::size_t contentSize = size == 0 ? 0 : size - 1 - opCount;
    {
        std::FILE* out = std::fopen(ScratchFile().c_str(), "wb");
        if (!out) return;
        if (contentSize) std::fwrite(ops + opCount, 1, contentSize, out);
        std::fclose(out);
    }
    util::TFile file(platform::FromUtf8(ScratchFile()));
    Check(file.Open(64), "the scratch file does not open");
    const auto fileSize = static_cast<std::int64_t>(contentSize);
    // A seek may go past the end; reads never move the position past the end or the seek.
    std::int64_t limit = fileSize;
    for (std::size_t i = 0; i < opCount; ++i) {
        switch (ops[i] % 9) {
            case 0: file.ReadInt(); break;
            case 1: file.ReadInt64(); break;
            case 2: file.ReadFloat(); break;
            case 3: file.ReadDbl(); break;
            case 4: file.ReadBool(); break;
            case 5: file.ReadByte(); break;
            case 6: Check(static_cast<std::int64_t>(file.ReadStr().size()) * 2 <= fileSize, "a text longer than the file"); break;
            case 7: Check(static_cast<std::int64_t>(file.ReadAnsiStr().size()) <= fileSize, "a text longer than the file"); break;
            default:
                file.SetPos(ops[i] / 9);
                limit = std::max<std::int64_t>(fileSize, ops[i] / 9);
                break;
        }
        Check(file.Pos() >= 0 && file.Pos() <= limit, "a read went past the end");
    }
    file.Close();
}

}  // namespace fuzz

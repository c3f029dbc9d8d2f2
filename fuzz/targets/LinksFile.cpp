// The links reader: whatever a file holds, writing its lines back and reading them again gives the
// same lines in the same encoding, and reading it in pieces of any size gives the lines of the whole.
#include "FuzzTarget.h"
#include <algorithm>

#include "util/LinksFile.h"
#include "util/LinksStream.h"

namespace fuzz {

void LinksFile(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const util::LinksDocument first = util::ParseLinksText(bytes);
    for (const std::u16string& line : first.Lines)
        Check(line.find_first_of(u"\r\n") == std::u16string::npos, "a line holds a line break");
    const std::string written = util::FormatLinksText(first);
    const util::LinksDocument second = util::ParseLinksText(written);
    Check(second.Encoding == first.Encoding, "the encoding changed on the way back");
    Check(second.Lines == first.Lines, "the lines changed on the way back");
    Check(util::FormatLinksText(second) == written, "a second save wrote other bytes");

    util::LinksDecoder decoder;
    const std::size_t most = 1 + (size ? data[0] % 7 : 0);
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::span<char> room = decoder.Room();
        const std::size_t count = std::min({room.size(), rest.size(), most});
        std::copy_n(rest.data(), count, room.data());
        rest.remove_prefix(count);
        decoder.Filled(count);
    }
    const util::LinksDocument pieces = decoder.Finish();
    Check(pieces.Encoding == first.Encoding && pieces.Lines == first.Lines, "reading in pieces gave other lines");
}

}  // namespace fuzz

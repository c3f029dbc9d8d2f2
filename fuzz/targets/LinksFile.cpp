// The links reader: whatever a file holds, writing its lines back and reading them again gives the
// same lines in the same encoding.
#include "FuzzTarget.h"
#include "util/LinksFile.h"

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
}

}  // namespace fuzz

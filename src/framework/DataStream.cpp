#include "framework/DataStream.h"

#include "platform/CodePage.h"

namespace framework {

void WriteDataList(const ui::TStrings& lines, std::vector<std::uint8_t>& out) {
    out.push_back(vaList);
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string bytes = platform::ToAnsi(lines.Strings(i));
        if (bytes.size() <= 255) {
            out.push_back(vaString);
            out.push_back(static_cast<std::uint8_t>(bytes.size()));
        } else {
            out.push_back(vaLString);
            for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(bytes.size() >> (8 * b)));
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(vaNull);
}

bool ReadDataList(const std::vector<std::uint8_t>& in, std::size_t& pos, ui::TStrings& lines) {
    lines.Clear();
    if (pos >= in.size() || in[pos] != vaList) return false;
    std::size_t at = pos + 1;
    while (at < in.size()) {
        const std::uint8_t type = in[at++];
        if (type == vaNull) {
            pos = at;
            return true;
        }
        std::size_t length = 0;
        if (type == vaString) {
            if (at >= in.size()) return false;
            length = in[at++];
        } else if (type == vaLString) {
            if (in.size() - at < 4) return false;
            for (int b = 3; b >= 0; --b) length = (length << 8) | in[at + b];
            at += 4;
        } else {
            return false;
        }
        if (length > in.size() - at) return false;
        lines.Add(platform::FromAnsi(std::string(in.begin() + at, in.begin() + at + length)));
        at += length;
    }
    return false;
}

}  // namespace framework

#include "util/LinksStream.h"

#include <algorithm>
#include <cstring>

#include "util/TextCodec.h"

namespace util {

namespace {

bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

// Calls line(begin, end) for each line of a sequence of n units, where unit(i) gives unit i.
// Lines end at CR LF, a lone CR or a lone LF; a last line without an end counts the same.
template <class Unit, class Line>
void ForEachLine(std::size_t n, Unit unit, Line line) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = unit(i);
        if (!IsLineEnd(c)) continue;
        line(start, i);
        if (c == u'\r' && i + 1 < n && unit(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) line(start, n);
}

// The same for 8-bit text, with the platform's fast byte search: the common line is long and
// holds neither CR nor LF until its end.
template <class Line>
void ForEachByteLine(std::string_view bytes, Line line) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        if (const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)))) {
            line(p, cr);
            p = cr + 1;
            if (p < end && *p == '\n') ++p;
            continue;
        }
        line(p, stop);
        p = lf ? lf + 1 : end;
    }
}

}  // namespace

std::span<char> LinksDecoder::Room() {
    // As much as the file holds (and one byte more, to see its end) up to a piece.
    const std::size_t wanted =
        sizeKnown_ ? static_cast<std::size_t>(std::clamp<std::uint64_t>(expected_ + 1, 64, PieceSize)) : PieceSize;
    if (buffer_.size() < wanted)
        buffer_.resize(wanted);
    else if (used_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);  // a line longer than the room so far
    return {buffer_.data() + used_, buffer_.size() - used_};
}

void LinksDecoder::Filled(std::size_t count) {
    used_ += std::min(count, buffer_.size() - used_);
    DecodeLines(false);
}

void LinksDecoder::Take(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::span<char> room = Room();
        const std::size_t count = std::min(room.size(), bytes.size());
        std::memcpy(room.data(), bytes.data(), count);
        bytes.remove_prefix(count);
        Filled(count);
    }
}

LinksDocument LinksDecoder::Finish() {
    DecodeLines(true);
    std::string().swap(buffer_);
    used_ = searched_ = 0;
    return std::move(document_);
}

void LinksDecoder::DecodeLines(bool final) {
    std::size_t begin = 0;
    if (!detected_) {
        // The longest mark is three bytes; a shorter file is decided at its end.
        if (used_ < 3 && !final) return;
        std::size_t mark = 0;
        document_.Encoding = DetectEncoding(std::string_view(buffer_.data(), used_), mark);
        detected_ = true;
        begin = mark;
        searched_ = mark;
        decoded_ = mark;
    }
    const bool wide = document_.Encoding == TextEncoding::Utf16LE || document_.Encoding == TextEncoding::Utf16BE;
    const bool little = document_.Encoding == TextEncoding::Utf16LE;
    const std::size_t width = wide ? 2 : 1;
    const char* const base = buffer_.data() + begin;
    const std::size_t units = (used_ - begin) / width;
    const bool oddByte = wide && (used_ - begin) % 2 != 0;
    const auto unit = [&](std::size_t i) -> char16_t {
        if (!wide) return static_cast<unsigned char>(base[i]);
        if (i == units) return u'\xFFFD';  // the odd last byte of a UTF-16 file
        const unsigned a = static_cast<unsigned char>(base[2 * i]), b = static_cast<unsigned char>(base[2 * i + 1]);
        return static_cast<char16_t>(little ? (a | (b << 8)) : ((a << 8) | b));
    };

    // Complete lines end at the last line end, unless that is a CR last of all, which may be the
    // first half of a CR LF. Only units not searched before are looked at.
    std::size_t cut = units + (final && oddByte ? 1 : 0);
    std::size_t endless = cut;  // from cut to here no line end has been seen
    if (!final) {
        const std::size_t from = (searched_ - begin) / width;
        std::size_t k = units;
        while (k > from && !IsLineEnd(unit(k - 1))) --k;
        endless = units;
        if (k == units && k > from && unit(k - 1) == u'\r') {
            endless = --k;
            while (k > from && !IsLineEnd(unit(k - 1))) --k;
        }
        cut = k > from ? k : 0;  // before from there is no line end
    }

    if (cut > 0) {
        if (wide) {
            const auto* in = reinterpret_cast<const unsigned char*>(base);
            const int high = little ? 1 : 0;
            ForEachLine(cut, unit, [&](std::size_t from, std::size_t to) {
                std::u16string& line = document_.Lines.emplace_back(to - from, u'\xFFFD');
                const std::size_t whole = std::min(to, units);
                for (std::size_t i = from; i < whole; ++i)
                    line[i - from] = static_cast<char16_t>((in[2 * i + high] << 8) | in[2 * i + 1 - high]);
            });
        } else {
            const bool utf8 = document_.Encoding == TextEncoding::Utf8Bom;
            ForEachByteLine(std::string_view(base, cut), [&](const char* from, const char* to) {
                const std::string_view line(from, static_cast<std::size_t>(to - from));
                document_.Lines.push_back(utf8 ? FromUtf8(line) : FromAnsi(line));
            });
        }
        decoded_ += cut * width;
        ReserveLines(static_cast<std::size_t>(decoded_));
    }
    // What is left moves to the front of the buffer, for the bytes still to come.
    const std::size_t kept = final ? 0 : used_ - begin - cut * width;
    if (kept > 0 && (begin > 0 || cut > 0)) std::memmove(buffer_.data(), base + cut * width, kept);
    used_ = kept;
    searched_ = final ? 0 : (endless - cut) * width;
}

void LinksDecoder::ReserveLines(std::size_t decodedBytes) {
    // Room for as many lines as the first piece suggests the whole file holds, so the list is
    // rarely moved while it grows; never more than one line for every four bytes.
    if (reserved_ || !sizeKnown_ || expected_ <= decodedBytes || document_.Lines.empty()) return;
    reserved_ = true;
    const double estimate =
        static_cast<double>(document_.Lines.size()) * static_cast<double>(expected_) / static_cast<double>(decodedBytes);
    const double most = static_cast<double>(expected_ / 4 + 1);
    document_.Lines.reserve(static_cast<std::size_t>(std::min(estimate * 1.125 + 16, most)));
}

std::size_t LinksEncoder::RoomFor(std::size_t first) const {
    // The most the lines from first on can take, up to the room of a piece: a short document
    // gets no more than it needs.
    std::size_t most = 3;
    for (std::size_t i = first; i < document_.Lines.size() && most < Room; ++i) most += 3 * document_.Lines[i].size() + 4;
    return std::min(most, Room);
}

std::string_view LinksEncoder::Next() {
    std::string_view mark;
    if (!markDone_) {
        markDone_ = true;
        switch (document_.Encoding) {
            case TextEncoding::Ansi: break;
            case TextEncoding::Utf8Bom: mark = "\xEF\xBB\xBF"; break;
            case TextEncoding::Utf16LE: mark = "\xFF\xFE"; break;
            case TextEncoding::Utf16BE: mark = "\xFE\xFF"; break;
        }
    }
    const std::size_t lines = document_.Lines.size();
    if (document_.Encoding == TextEncoding::Ansi) {
        // The code page decides how many bytes a character takes, so the piece grows line by line.
        piece_.clear();
        if (piece_.capacity() < Room && next_ < lines) piece_.reserve(RoomFor(next_));
        while (next_ < lines && piece_.size() < PieceSize) {
            AppendAnsi(document_.Lines[next_++], piece_);
            piece_ += "\r\n";
        }
        return piece_;
    }
    // UTF-8 and UTF-16: each line written straight into room for the most it can take, so that
    // nothing is measured first and no room is cleared for bytes never written. A line longer
    // than the room makes the room larger.
    const bool utf8 = document_.Encoding == TextEncoding::Utf8Bom;
    const bool little = document_.Encoding == TextEncoding::Utf16LE;
    if (piece_.size() < Room) piece_.resize(RoomFor(next_));  // never less than a mark
    std::size_t used = mark.copy(piece_.data(), mark.size());
    while (next_ < lines && used < PieceSize) {
        const std::u16string& line = document_.Lines[next_];
        const std::size_t most = utf8 ? 3 * line.size() + 2 : 2 * line.size() + 4;
        if (most > piece_.size() - used) {
            if (used > mark.size()) break;
            piece_.resize(used + most);
        }
        char* out = piece_.data() + used;
        if (utf8) {
            out = EncodeUtf8(line, out);
            *out++ = '\r';
            *out++ = '\n';
        } else {
            const auto put = [&](char16_t c) {
                const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
                *out++ = little ? lo : hi;
                *out++ = little ? hi : lo;
            };
            for (const char16_t c : line) put(c);
            put(u'\r');
            put(u'\n');
        }
        used = static_cast<std::size_t>(out - piece_.data());
        ++next_;
    }
    return {piece_.data(), used};
}

}  // namespace util

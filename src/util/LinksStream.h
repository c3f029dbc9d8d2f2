#pragma once
// A links file's bytes decoded while they are read and encoded while they are written, a piece at
// a time: the file's bytes are never held whole beside its lines.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "util/LinksFile.h"
#include "util/WholeFile.h"

namespace util {

// Takes a links file's bytes in order and decodes each line as soon as its end has arrived.
class LinksDecoder final : public ReadSink {
public:
    static constexpr std::size_t PieceSize = std::size_t{1} << 18;

    void Expect(std::uint64_t total) override {
        expected_ = total;
        sizeKnown_ = true;
    }
    std::span<char> Room() override;
    void Filled(std::size_t count) override;
    // Room and Filled in one, for bytes already in memory.
    void Take(std::string_view bytes);
    // The document, with the last line whether it has an end or not.
    LinksDocument Finish();

private:
    void DecodeLines(bool final);
    void ReserveLines(std::size_t decodedBytes);

    std::string buffer_;
    std::size_t used_ = 0;
    // Bytes before this one, past the start of the buffer, hold no line end yet.
    std::size_t searched_ = 0;
    bool detected_ = false;
    bool reserved_ = false;
    bool sizeKnown_ = false;
    std::uint64_t expected_ = 0;
    std::uint64_t decoded_ = 0;
    LinksDocument document_;
};

// The bytes of a document a piece at a time, each a run of whole lines of about PieceSize bytes,
// the byte-order mark before the first. A piece stays valid until the next call; an empty piece
// is the end.
class LinksEncoder {
public:
    static constexpr std::size_t PieceSize = std::size_t{1} << 18;
    // What a piece is given room for: a full piece and then some more of the line that fills it.
    static constexpr std::size_t Room = PieceSize + PieceSize / 4;

    explicit LinksEncoder(const LinksDocument& document) : document_(document) {}
    std::string_view Next();

private:
    std::size_t RoomFor(std::size_t first) const;

    const LinksDocument& document_;
    std::size_t next_ = 0;
    bool markDone_ = false;
    std::string piece_;
};

}  // namespace util

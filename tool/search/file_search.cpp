// The block search of a byte-encoded file, and the choice of search by the file's byte order mark.
// A line longer than what is kept of it goes on as a stream, the buffer holding only what the
// search around a candidate needs, so memory is bounded whatever the file holds.
#include "file_search.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "block_loop.hpp"
#include "byte_order_mark.hpp"
#include "line_reader.hpp"
#include "utf16.hpp"
#include "utf16_search.hpp"
#include "vector_scan.hpp"

namespace tarvik {
namespace {

// The units of a byte-encoded file: bytes, decoded a line at a time as UTF-8 or in the code page.
struct ByteUnits {
    static constexpr std::size_t kBytes = 1;
    static constexpr bool kStreamsLongLines = true;

    const LegacyCodePage& legacy;

    static bool IsLineEndAt(const char* p) { return IsLineEndByte(*p); }

    static const char* FirstLineEnd(const char* begin, const char* end) {
        return FindEitherByte(begin, end, '\n', '\r');
    }

    // Eight bytes at a time, as a short backward scan runs once per block.
    static const char* AfterLastLineEnd(const char* begin, const char* end) {
        constexpr std::uint64_t kOnes = 0x0101010101010101u;
        constexpr std::uint64_t kHighs = 0x8080808080808080u;
        const auto hasZeroByte = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHighs) != 0; };
        while (end - begin >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, end - 8, 8);
            if (hasZeroByte(word ^ (kOnes * '\n')) || hasZeroByte(word ^ (kOnes * '\r'))) break;
            end -= 8;
        }
        while (end != begin && !IsLineEndByte(end[-1])) --end;
        return end;
    }

    // Any bytes are valid: a line that is not UTF-8 reads in the code page.
    static const char* CheckValid(const char* p, const char*, const char*, bool) { return p; }
    static void CheckFileEnd(std::size_t) {}

    SourcedText Decode(const char* begin, const char* end) const {
        return DecodeBytesLine(std::string(begin, end), legacy);
    }
};

}  // namespace

std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare,
                                                 CompareMode mode, const LegacyCodePage& legacy,
                                                 SearchLimits limits) {
    // Room for the longest byte order mark before anything is decided.
    Block block(reader, std::max<std::size_t>(limits.blockSize, 4));
    block.Refill(0);
    const ByteOrderMark mark = DetectByteOrderMark(std::string_view(block.data(), block.size()));
    const LineQuery query{compare, mode, legacy, limits.keptChars, limits.presence};
    if (mark.encoding != FileEncoding::Bytes)
        return FindFirstMatchingUtf16Line(block, reader, mark.encoding, query);
    std::optional<LinePattern> pattern =
        PatternInMatchingLines(compare, mode, FileEncoding::Bytes, legacy);
    const ByteUnits units{legacy};
    return BlockLoop<ByteUnits>(block, units, query, pattern ? &*pattern : nullptr, mark.size)
        .Run();
}

}  // namespace tarvik

// The compare string's code units, in the file's byte order, are scanned for as bytes, and only a
// hit's line is decoded. A match starts an even number of bytes after its line's start; a line
// ends at the unit LF or CR. Every unit up to the end of the matching line is checked to be valid
// UTF-16, as reading the file line by line checks it, and nothing after it. A line too long to
// keep is left, with the rest of the file, to the line-by-line search, which reads it in pieces.
#include "utf16_search.hpp"

#include <string>

#include "by_lines_search.hpp"
#include "general_failure.hpp"
#include "utf16.hpp"
#include "vector_scan.hpp"

namespace tarvik {
namespace {

// The units of a UTF-16 file in one byte order; the buffer starts an even number of bytes into the
// file, and every position given is a whole number of units from it.
class Utf16Units {
  public:
    static constexpr std::size_t kBytes = 2;
    static constexpr bool kStreamsLongLines = false;

    Utf16Units(bool little, Block& block, ByteReader& rest, const LineQuery& query)
        : little_(little), block_(block), rest_(rest), query_(query) {}

    bool IsLineEndAt(const char* p) const { return IsLineEnd(ReadUnit(p, little_)); }

    const char* FirstLineEnd(const char* begin, const char* end) const {
        while (begin != end && !IsLineEndAt(begin)) begin += 2;
        return begin;
    }

    const char* AfterLastLineEnd(const char* begin, const char* end) const {
        while (end != begin && !IsLineEndAt(end - 2)) end -= 2;
        return end;
    }

    // Checks that the units from p to `end` are valid UTF-16, reading the unit after a final high
    // surrogate when it lies before `limit`. Returns where the check ended: at or after `end`, or
    // at a final high surrogate whose partner is not read yet (unless `atEnd`, when it is
    // unpaired).
    const char* CheckValid(const char* p, const char* end, const char* limit, bool atEnd) const {
        while (p < end) {
            // Only a unit with a high byte of 0xD8 to 0xDF is a surrogate: skip to the next such
            // byte, and to the unit that holds it.
            const char* byte = FindSurrogateByte(p, end);
            if (byte == end) return end;
            p += static_cast<std::size_t>(byte - p) & ~std::size_t{1};
            const char32_t unit = ReadUnit(p, little_);
            if (!IsSurrogate(unit)) {
                p += 2;
                continue;
            }
            if (IsLowSurrogate(unit)) throw GeneralFailure("unpaired UTF-16 surrogate");
            if (limit - p < 4) {
                if (atEnd) throw GeneralFailure("unpaired UTF-16 surrogate");
                return p;
            }
            if (!IsLowSurrogate(ReadUnit(p + 2, little_)))
                throw GeneralFailure("unpaired UTF-16 surrogate");
            p += 4;
        }
        return p;
    }

    static void CheckFileEnd(std::size_t size) {
        if (size % 2 != 0) throw GeneralFailure("UTF-16 file with an odd number of bytes");
    }

    // The characters of checked units [begin, end).
    SourcedText Decode(const char* begin, const char* end) const {
        SourcedText line;
        line.chars.reserve(static_cast<std::size_t>(end - begin) / 2);
        for (const char* p = begin; p != end; p += 2) {
            char32_t unit = ReadUnit(p, little_);
            if (IsHighSurrogate(unit)) {
                p += 2;
                unit = FromSurrogatePair(unit, ReadUnit(p, little_));
            }
            line.chars += unit;
        }
        return line;
    }

    // From the line starting at `at` on, line by line: the bytes kept from there, behind a byte
    // order mark that says how to read them, then the rest of the file.
    std::optional<SourcedText> SearchOn(std::size_t at) const {
        std::string kept = little_ ? "\xFF\xFE" : "\xFE\xFF";
        kept.append(block_.data() + at, block_.size() - at);
        PrefixedReader reader(std::span<const char>(kept.data(), kept.size()), rest_);
        return FindFirstMatchingLineByLines(reader, query_.compare, query_.mode, query_.legacy,
                                            query_.keptChars);
    }

  private:
    bool little_;
    Block& block_;
    ByteReader& rest_;
    const LineQuery& query_;
};

}  // namespace

std::optional<SourcedText> FindFirstMatchingUtf16Line(Block& block, ByteReader& rest,
                                                      FileEncoding encoding,
                                                      const LineQuery& query) {
    const Utf16Units units(encoding == FileEncoding::Utf16LE, block, rest, query);
    std::optional<LinePattern> pattern =
        PatternInMatchingLines(query.compare, query.mode, encoding, query.legacy);
    if (!pattern) return units.SearchOn(2);
    return BlockLoop<Utf16Units>(block, units, query, &*pattern, 2).Run();
}

}  // namespace tarvik

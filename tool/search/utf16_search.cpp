// The compare string's code units, in the file's byte order, are scanned for as bytes, and only a
// hit's line is decoded. A match starts an even number of bytes after its line's start; a line
// ends at the unit LF or CR. Every unit up to the end of the matching line is checked to be valid
// UTF-16, as reading the file line by line checks it, and nothing after it. A line too long to
// keep is left, with the rest of the file, to the line-by-line search, which reads it in pieces.
#include "utf16_search.hpp"

#include <algorithm>
#include <string>

#include "general_failure.hpp"
#include "line_pattern.hpp"
#include "long_line.hpp"
#include "search_block.hpp"
#include "utf16.hpp"
#include "vector_scan.hpp"

namespace tarvik {
namespace {

class Units {
  public:
    explicit Units(bool little) : little_(little) {}

    char32_t At(const char* p) const { return ReadUnit(p, little_); }

    // The first line end in [begin, end), or end; both an even number of bytes apart.
    const char* FirstLineEnd(const char* begin, const char* end) const {
        for (; begin != end; begin += 2) {
            if (IsLineEnd(At(begin))) break;
        }
        return begin;
    }

    // Just after the last line end in [begin, end), or begin; both an even number of bytes apart.
    const char* AfterLastLineEnd(const char* begin, const char* end) const {
        while (end != begin && !IsLineEnd(At(end - 2))) end -= 2;
        return end;
    }

    // Checks that the units from p to `end` are valid UTF-16, reading the unit after a final high
    // surrogate when it lies before `limit`. Returns where the check ended: at or after `end`, or
    // at a final high surrogate whose partner is not read yet (unless `atEnd`, when it is
    // unpaired).
    const char* Check(const char* p, const char* end, const char* limit, bool atEnd) const {
        while (p < end) {
            // Only a unit with a high byte of 0xD8 to 0xDF is a surrogate: skip to the next such
            // byte, and to the unit that holds it.
            const char* byte = FindSurrogateByte(p, end);
            if (byte == end) return end;
            p += static_cast<std::size_t>(byte - p) & ~std::size_t{1};
            const char32_t unit = At(p);
            if (!IsSurrogate(unit)) {
                p += 2;
                continue;
            }
            if (IsLowSurrogate(unit)) throw GeneralFailure("unpaired UTF-16 surrogate");
            if (limit - p < 4) {
                if (atEnd) throw GeneralFailure("unpaired UTF-16 surrogate");
                return p;
            }
            const char32_t low = At(p + 2);
            if (!IsLowSurrogate(low)) throw GeneralFailure("unpaired UTF-16 surrogate");
            p += 4;
        }
        return p;
    }

    // The characters of checked units [begin, end).
    Text Decode(const char* begin, const char* end) const {
        Text chars;
        chars.reserve(static_cast<std::size_t>(end - begin) / 2);
        for (const char* p = begin; p != end; p += 2) {
            char32_t unit = At(p);
            if (IsHighSurrogate(unit)) {
                p += 2;
                unit = FromSurrogatePair(unit, At(p));
            }
            chars += unit;
        }
        return chars;
    }

  private:
    bool little_;
};

}  // namespace

std::optional<SourcedText> FindFirstMatchingUtf16Line(Block& block, ByteReader& rest,
                                                      FileEncoding encoding, TextView compare,
                                                      CompareMode mode,
                                                      const LegacyCodePage& legacy,
                                                      SearchLimits limits) {
    const bool little = encoding == FileEncoding::Utf16LE;
    // From the line starting at `at` on, line by line: the bytes kept from there, behind a byte
    // order mark that says how to read them, then the rest of the file.
    const auto byLines = [&](std::size_t at) {
        std::string kept = little ? "\xFF\xFE" : "\xFE\xFF";
        kept.append(block.data() + at, block.size() - at);
        PrefixedReader reader(std::span<const char>(kept.data(), kept.size()), rest);
        return FindFirstMatchingLineByLines(reader, compare, mode, legacy, limits.keptChars);
    };
    std::optional<LinePattern> pattern = PatternInMatchingLines(compare, mode, encoding, legacy);
    if (!pattern) return byLines(2);
    const Units units(little);
    const std::size_t reach = pattern->Width() - 1;
    const std::size_t kept = limits.keptChars + compare.size();
    const std::size_t headBytes = kMaxCharBytes * kept;

    // Positions in the buffer, which starts an even number of bytes into the file: `lineStart`
    // begins the line that holds `scan`; occurrences of the pattern starting before `scan` have
    // been ruled out, and the units before `valid` checked.
    std::size_t lineStart = 2, scan = 2, valid = 2;
    for (;;) {
        const char* const data = block.data();
        const char* const end = data + (block.size() & ~std::size_t{1});
        const bool atEnd = block.AtEnd();
        const bool oddByte = block.size() % 2 != 0;
        if (const char* hit = FindCandidate(*pattern, data + scan, end)) {
            const HitCheck check = CheckHit(*pattern, hit, data + lineStart, end);
            if (check == HitCheck::RuledOut) {
                scan = static_cast<std::size_t>(hit - data) + 1;
                continue;
            }
            const char* unit = hit - (static_cast<std::size_t>(hit - data) - lineStart) % 2;
            const char* begin = units.AfterLastLineEnd(data + lineStart, unit);
            const char* stop = units.FirstLineEnd(unit, end);
            if (stop != end || atEnd) {
                valid =
                    static_cast<std::size_t>(units.Check(data + valid, stop, end, atEnd) - data);
                if (stop == end && oddByte)
                    throw GeneralFailure("UTF-16 file with an odd number of bytes");
                if (check == HitCheck::MayMatch || HoldsEveryPart(*pattern, begin, stop)) {
                    const SourcedText line{units.Decode(begin, stop)};
                    if (auto found = CutMatchingLine(line, compare, mode, kept)) return found;
                }
                lineStart = scan = static_cast<std::size_t>(std::min(stop + 2, end) - data);
                valid = std::max(valid, lineStart);
                continue;
            }
            // The line goes on in the next block: keep all of it.
            lineStart = static_cast<std::size_t>(begin - data);
            scan = static_cast<std::size_t>(hit - data);
        } else {
            lineStart =
                static_cast<std::size_t>(units.AfterLastLineEnd(data + lineStart, end) - data);
            const auto size = static_cast<std::size_t>(end - data);
            scan = std::max({scan, lineStart, size - std::min(size, reach)});
        }
        valid = static_cast<std::size_t>(units.Check(data + valid, end, end, atEnd) - data);
        if (atEnd) {
            if (oddByte) throw GeneralFailure("UTF-16 file with an odd number of bytes");
            return std::nullopt;
        }
        if (block.size() - lineStart > headBytes) return byLines(lineStart);
        block.Refill(lineStart);
        ForgetSearchedBytes(*pattern);
        for (std::size_t* position : {&scan, &valid}) *position -= lineStart;
        lineStart = 0;
    }
}

}  // namespace tarvik

// The block search: the buffer starts at the beginning of the line being searched, so a match or
// line that straddles two reads is whole once the next read is appended. A line longer than what
// is kept of it goes on as a stream, the buffer holding only what the search around a candidate
// needs, so memory is bounded whatever the file holds.
#include "file_search.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "byte_order_mark.hpp"
#include "general_failure.hpp"
#include "line_pattern.hpp"
#include "line_reader.hpp"
#include "long_line.hpp"
#include "search_block.hpp"
#include "utf16.hpp"
#include "utf16_search.hpp"
#include "vector_scan.hpp"

namespace tarvik {
namespace {

// The first CR or LF in [begin, end), or end.
const char* FirstLineEnd(const char* begin, const char* end) {
    return FindEitherByte(begin, end, '\n', '\r');
}

// Just after the last CR or LF in [begin, end), or begin. Eight bytes at a time, as a short
// backward scan runs once per block.
const char* AfterLastLineEnd(const char* begin, const char* end) {
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

}  // namespace

std::optional<SourcedText> FindFirstMatchingLineByLines(ByteReader& reader, TextView compare,
                                                        CompareMode mode,
                                                        const LegacyCodePage& legacy,
                                                        std::size_t keptChars) {
    const std::size_t kept = keptChars + compare.size();
    LineReader lines(reader, legacy, kept);
    SourcedText line, piece;
    while (lines.Next(line)) {
        const std::optional<SourcedText> found = CutMatchingLine(line, compare, mode, kept);
        // The rest of a long line is searched with the end of what came before, so that no match
        // is missed.
        bool foundBeyond = false;
        Text window;
        if (lines.LineGoesOn())
            window = line.chars.substr(line.chars.size() - (compare.size() - 1));
        while (lines.LineGoesOn() && lines.Next(piece)) {
            if (found || foundBeyond) continue;
            window.erase(0, window.size() - std::min(window.size(), compare.size() - 1));
            window += piece.chars;
            foundBeyond = FindText(window, compare, mode) != TextView::npos;
        }
        if (foundBeyond) throw GeneralFailure("match beyond the kept characters of a line");
        if (found) return found;
    }
    return std::nullopt;
}

std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare,
                                                 CompareMode mode, const LegacyCodePage& legacy,
                                                 SearchLimits limits) {
    // Room for the longest byte order mark before anything is decided.
    Block block(reader, std::max<std::size_t>(limits.blockSize, 4));
    block.Refill(0);
    const std::size_t read = block.size();
    const ByteOrderMark mark = DetectByteOrderMark(std::string_view(block.data(), read));
    if (mark.encoding != FileEncoding::Bytes) {
        return FindFirstMatchingUtf16Line(block, reader, mark.encoding, compare, mode, legacy,
                                          limits);
    }

    std::optional<LinePattern> pattern =
        PatternInMatchingLines(compare, mode, FileEncoding::Bytes, legacy);
    const std::size_t reach = pattern ? pattern->Width() - 1 : 0;
    // The next place a match may hold: a hit of the pattern, or without one any byte of a line.
    const auto candidate = [&pattern](const char* from, const char* to) -> const char* {
        if (pattern) return FindCandidate(*pattern, from, to);
        while (from != to && IsLineEndByte(*from)) ++from;
        return from != to ? from : nullptr;
    };
    const std::size_t kept = limits.keptChars + compare.size();
    const std::size_t headBytes = kMaxCharBytes * kept;
    const std::size_t matchBytes = kMaxCharBytes * compare.size();
    // A long line is searched in stretches around its candidates; without a pattern every place is
    // one, and stretches this long keep the decoding cheap.
    const std::size_t minStretch = std::max(2 * matchBytes, pattern ? 0 : std::size_t{64 * 1024});

    // Positions in the buffer: `lineStart` begins the line that holds `scan`; occurrences of the
    // pattern starting before `scan` have been ruled out, and [lineStart, checked) holds no line
    // end. In a long line, matches starting before `ruledOut` have been searched for, and the bytes
    // before `taken` handed to it.
    std::size_t lineStart = mark.size;
    std::size_t scan = lineStart;
    std::size_t checked = lineStart;
    std::size_t ruledOut = 0;
    std::size_t taken = 0;
    std::optional<LongLine> longLine;
    for (;;) {
        const char* const data = block.data();
        const char* const end = data + block.size();
        std::size_t keep = lineStart;
        if (!longLine) {
            if (const char* hit = candidate(data + scan, end)) {
                // Most hits are ruled out where they lie, without finding their line.
                const HitCheck check =
                    pattern ? CheckHit(*pattern, hit, data + lineStart, end) : HitCheck::Unchecked;
                if (check == HitCheck::RuledOut) {
                    scan = static_cast<std::size_t>(hit - data) + 1;
                    continue;
                }
                const char* from = std::min(data + std::max(lineStart, checked), hit);
                const char* begin = AfterLastLineEnd(from, hit);
                if (begin == from) begin = data + lineStart;
                const char* stop = FirstLineEnd(hit, end);
                if (stop != end || block.AtEnd()) {
                    // A hit that held up where it lies is as good as any check of its line.
                    if (!pattern || check == HitCheck::MayMatch ||
                        HoldsEveryPart(*pattern, begin, stop)) {
                        const SourcedText line = DecodeBytesLine(std::string(begin, stop), legacy);
                        if (auto found = CutMatchingLine(line, compare, mode, kept)) return found;
                    }
                    lineStart = scan = checked = static_cast<std::size_t>(stop - data);
                    continue;
                }
                // The line goes on in the next block: keep all of it.
                lineStart = static_cast<std::size_t>(begin - data);
                scan = static_cast<std::size_t>(hit - data);
            } else {
                const char* from = data + std::max(lineStart, checked);
                const char* after = AfterLastLineEnd(from, end);
                if (after != from) lineStart = static_cast<std::size_t>(after - data);
                scan = std::max({scan, lineStart, block.size() - std::min(block.size(), reach)});
                if (block.AtEnd()) return std::nullopt;
            }
            keep = lineStart;
            if (block.size() - lineStart > headBytes) {
                longLine.emplace(compare, mode, legacy, kept,
                                 std::string(data + lineStart, headBytes));
                ruledOut = lineStart;
                taken = lineStart + headBytes;
            }
        }
        if (longLine) {
            const char* const lineEnd = FirstLineEnd(data + taken, end);
            longLine->Take(data + taken, lineEnd);
            taken = static_cast<std::size_t>(lineEnd - data);
            const bool ends = lineEnd != end || block.AtEnd();
            while (!longLine->Decided()) {
                const char* const hit = candidate(data + scan, lineEnd);
                if (hit == nullptr) {
                    scan = std::max(scan, taken - std::min(taken - ruledOut, reach));
                    break;
                }
                // Every match holding the hit lies in [hit - matchBytes, hit + matchBytes).
                const auto at = static_cast<std::size_t>(hit - data);
                const std::size_t from = std::max(ruledOut, at - std::min(at, matchBytes));
                std::size_t to = std::max(at + matchBytes, from + minStretch);
                if (to > taken) {
                    if (!ends) {
                        scan = at;
                        break;
                    }
                    to = taken;
                }
                longLine->Search(data + from, data + to);
                // Matches starting up to to - matchBytes lie wholly in the stretch, and all of them
                // when it runs to the line's end.
                ruledOut = scan = ends && to == taken
                                      ? taken
                                      : std::max(at + 1, to - std::min(to, matchBytes) + 1);
            }
            if (ends) {
                if (auto found = longLine->Finish()) return found;
                longLine.reset();
                lineStart = scan = checked = taken;
                continue;
            }
            keep =
                longLine->Decided() ? taken : std::max(ruledOut, scan - std::min(scan, matchBytes));
        }
        checked = block.size();
        block.Refill(keep);
        if (pattern) ForgetSearchedBytes(*pattern);
        for (std::size_t* position : {&lineStart, &scan, &checked, &ruledOut, &taken}) {
            *position = std::max(*position, keep) - keep;
        }
    }
}

}  // namespace tarvik

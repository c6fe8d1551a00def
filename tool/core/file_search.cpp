// The block search: the buffer always starts at the beginning of the line being searched, so a
// match or line that straddles two reads is whole once the next read is appended, and memory is
// one block plus the current line.
#include "file_search.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "line_pattern.hpp"
#include "line_reader.hpp"

namespace tarvik {
namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// The first CR or LF in [begin, end), or end.
const char* FirstLineEnd(const char* begin, const char* end) {
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
    if (lf == nullptr) lf = end;
    const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', static_cast<std::size_t>(lf - begin)));
    return cr != nullptr ? cr : lf;
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
    while (end != begin && !IsLineEnd(end[-1])) --end;
    return end;
}

// Hands out bytes already read before the rest of the file.
class PrefixedReader final : public ByteReader {
public:
    PrefixedReader(std::span<const char> prefix, ByteReader& rest) : prefix_(prefix), rest_(rest) {}
    std::size_t Read(std::span<char> buffer) override {
        if (prefix_.empty()) return rest_.Read(buffer);
        const std::size_t n = std::min(buffer.size(), prefix_.size());
        std::memcpy(buffer.data(), prefix_.data(), n);
        prefix_ = prefix_.subspan(n);
        return n;
    }

private:
    std::span<const char> prefix_;
    ByteReader& rest_;
};

// The read buffer: whole blocks appended behind the bytes still needed.
class Block {
public:
    Block(ByteReader& reader, std::size_t size) : reader_(reader), bytes_(size) {}

    const char* data() const { return bytes_.data(); }
    std::size_t size() const { return size_; }
    bool AtEnd() const { return atEnd_; }

    // Drops the bytes before `keep`, moving the rest to the front, then reads until the buffer is
    // full or the file ends. A buffer full of kept bytes doubles.
    void Refill(std::size_t keep) {
        std::memmove(bytes_.data(), bytes_.data() + keep, size_ - keep);
        size_ -= keep;
        if (size_ == bytes_.size()) bytes_.resize(bytes_.size() * 2);
        while (size_ < bytes_.size()) {
            const std::size_t got = reader_.Read(std::span<char>(bytes_.data() + size_, bytes_.size() - size_));
            if (got == 0) {
                atEnd_ = true;
                break;
            }
            size_ += got;
        }
    }

private:
    ByteReader& reader_;
    std::vector<char> bytes_;
    std::size_t size_ = 0;
    bool atEnd_ = false;
};

std::optional<SourcedText> MatchingLine(const char* begin, const char* end, TextView compare, CompareMode mode,
                                        const LegacyCodePage& legacy) {
    SourcedText line = DecodeBytesLine(std::string(begin, end), legacy);
    if (FindText(line.chars, compare, mode) == TextView::npos) return std::nullopt;
    return line;
}

}  // namespace

std::optional<SourcedText> FindFirstMatchingLineByLines(ByteReader& reader, TextView compare, CompareMode mode,
                                                        const LegacyCodePage& legacy) {
    LineReader lines(reader, legacy);
    SourcedText line;
    while (lines.Next(line)) {
        if (FindText(line.chars, compare, mode) != TextView::npos) return line;
    }
    return std::nullopt;
}

std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare, CompareMode mode,
                                                 const LegacyCodePage& legacy, std::size_t blockSize) {
    std::optional<LinePattern> pattern = PatternInMatchingLines(compare, mode, legacy);
    if (!pattern) return FindFirstMatchingLineByLines(reader, compare, mode, legacy);

    // Room for the longest byte order mark before anything is decided.
    Block block(reader, std::max<std::size_t>(blockSize, 4));
    block.Refill(0);
    const auto* head = reinterpret_cast<const unsigned char*>(block.data());
    const std::size_t read = block.size();
    if (read >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF))) {
        PrefixedReader whole(std::span<const char>(block.data(), read), reader);
        return FindFirstMatchingLineByLines(whole, compare, mode, legacy);
    }

    // Positions in the buffer: `lineStart` begins the line that holds `scan`; occurrences of the
    // pattern starting before `scan` have been ruled out, and [lineStart, checked) holds no line end.
    std::size_t lineStart = (read >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) ? 3 : 0;
    std::size_t scan = lineStart;
    std::size_t checked = lineStart;
    BytePattern& search = pattern->search;
    const std::size_t reach = search.size() - 1;
    for (;;) {
        const char* const data = block.data();
        const char* const end = data + block.size();
        if (const char* hit = search.Find(data + scan, end)) {
            const char* from = std::min(data + std::max(lineStart, checked), hit);
            const char* begin = AfterLastLineEnd(from, hit);
            if (begin == from) begin = data + lineStart;
            const char* stop = FirstLineEnd(hit + search.size(), end);
            if (stop != end || block.AtEnd()) {
                if (HoldsEveryPart(*pattern, begin, stop)) {
                    if (auto line = MatchingLine(begin, stop, compare, mode, legacy)) return line;
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
        checked = block.size();
        const std::size_t dropped = lineStart;
        block.Refill(dropped);
        lineStart -= dropped, scan -= dropped, checked -= dropped;
    }
}

}  // namespace tarvik

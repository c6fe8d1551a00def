// The byte pattern search finds every occurrence a plain scan finds, also after it has given up
// scanning for common bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "byte_search.hpp"
#include "vector_scan.hpp"

namespace tarvik {
namespace {

bool MatchesAt(const std::vector<ByteSet>& sets, const std::string& text, std::size_t pos) {
    for (std::size_t j = 0; j < sets.size(); ++j) {
        if (!sets[j][static_cast<unsigned char>(text[pos + j])]) return false;
    }
    return true;
}

// Texts over three letters with patterns of one to four bytes per place: hits are common and
// occurrences overlap, which drives the search through all its ways of searching, with each level
// of vector instructions.
TEST(BytePattern, FindsEveryOccurrenceAPlainScanFinds) {
    std::mt19937 random(77);
    const auto below = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const VectorLevel levels[] = {VectorLevel::Portable, VectorLevel::Sse2, VectorLevel::Avx2};
    for (int round = 0; round < 3000; ++round) {
        SetVectorLevel(levels[round % 3]);
        std::vector<ByteSet> sets(1 + below(8));
        for (ByteSet& set : sets) {
            set.set('a' + below(3));
            // Up to four bytes, a `d` that the text never holds among them.
            while (below(3) == 0) set.set('a' + below(4));
        }
        std::string text;
        const std::size_t length = below(3000);
        for (std::size_t i = 0; i < length; ++i)
            text += static_cast<char>('a' + below(below(2) == 0 ? 1 : 3));
        std::vector<std::size_t> expected, found;
        for (std::size_t pos = 0; pos + sets.size() <= text.size(); ++pos) {
            if (MatchesAt(sets, text, pos)) expected.push_back(pos);
        }
        BytePattern pattern(sets);
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        for (const char* from = begin; const char* hit = pattern.Find(from, end); from = hit + 1) {
            found.push_back(static_cast<std::size_t>(hit - begin));
        }
        EXPECT_EQ(found, expected) << text << " level " << round % 3;
    }
    SetVectorLevel(VectorLevel::Avx2);
}

// The single-pass scans agree with a plain scan at each level, from every start, whatever the
// alignment of the hit.
TEST(VectorScan, FindsTheFirstByteAPlainScanFinds) {
    std::mt19937 random(1209);
    const VectorLevel levels[] = {VectorLevel::Portable, VectorLevel::Sse2, VectorLevel::Avx2};
    for (int round = 0; round < 300; ++round) {
        SetVectorLevel(levels[round % 3]);
        std::string text(random() % 100, 'a');
        for (char& c : text)
            c = "abc\n\r\x80\xFF\xD8\xDF\xE0"[random() % (round % 2 == 0 ? 3 : 10)];
        const char* const end = text.data() + text.size();
        for (const char* from = text.data(); from <= end; ++from) {
            const auto isLineEnd = [](char c) { return c == '\n' || c == '\r'; };
            const auto isHigh = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
            EXPECT_EQ(FindEitherByte(from, end, '\n', '\r'), std::find_if(from, end, isLineEnd))
                << text << " level " << round % 3;
            EXPECT_EQ(FindNonAscii(from, end), std::find_if(from, end, isHigh))
                << text << " level " << round % 3;
            const auto isSurrogateByte = [](char c) {
                return static_cast<unsigned char>(c) >= 0xD8 &&
                       static_cast<unsigned char>(c) <= 0xDF;
            };
            EXPECT_EQ(FindSurrogateByte(from, end), std::find_if(from, end, isSurrogateByte))
                << text << " level " << round % 3;
        }
    }
    SetVectorLevel(VectorLevel::Avx2);
}

}  // namespace
}  // namespace tarvik

// The byte pattern search finds every occurrence a plain scan finds, also after it has given up
// scanning for common bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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
// occurrences overlap, which drives the search through all its ways of searching.
TEST(BytePattern, FindsEveryOccurrenceAPlainScanFinds) {
    std::mt19937 random(77);
    const auto below = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int round = 0; round < 3000; ++round) {
        std::vector<ByteSet> sets(1 + below(8));
        for (ByteSet& set : sets) {
            set.set('a' + below(3));
            // Up to four bytes, a `d` that the text never holds among them.
            while (below(3) == 0) set.set('a' + below(4));
        }
        if (std::none_of(sets.begin(), sets.end(), CanScanFor)) continue;
        std::string text;
        // A tenth of the texts are long enough for the search to plan from what lies ahead.
        const std::size_t length = round % 10 == 0 ? 5000 + below(20000) : below(3000);
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
        EXPECT_EQ(found, expected) << text;
    }
}

// Each level's scans agree with a plain scan, from every start, whatever the alignment of the hit
// and whether the range is narrower than a vector.
TEST(VectorScan, FindsTheFirstPlaceAPlainScanFinds) {
    std::mt19937 random(1209);
    const auto pick = [&random](const char* from) {
        return static_cast<unsigned char>(from[random() % std::strlen(from)]);
    };
    const auto byteIs = [](auto test) {
        return [test](char c) { return test(static_cast<unsigned char>(c)); };
    };
    const auto available = static_cast<int>(AvailableLevel());
    for (int round = 0; round < 600; ++round) {
        const auto level = static_cast<VectorLevel>(round % (available + 1));
        const ScanKernels& scans = KernelsFor(level);
        const char* const alphabet = round % 2 == 0 ? "abc" : "abc\n\r\x80\xFF\xD8\xDF\xE0";
        // Short texts take the narrow path and the last vector; long ones with few hits also the
        // steps of several vectors.
        const bool sparse = round % 3 == 0;
        std::string text(random() % (sparse ? 400 : 100), 'a');
        for (char& c : text) {
            if (!sparse || random() % 64 == 0) c = static_cast<char>(pick(alphabet));
        }
        // One to three places, each taking one byte, a letter in both cases or four bytes.
        PlaceFilter filter;
        filter.count = 1 + random() % PlaceFilter::kMaxPlaces;
        for (std::size_t i = 0; i < filter.count; ++i) {
            const unsigned char masks[] = {0, 0x20, 0x21};
            const unsigned char mask = masks[random() % 3];
            filter.places[i] = {random() % 4, mask,
                                static_cast<unsigned char>(pick(alphabet) | mask)};
        }
        const auto passes = [&filter](const char* p) {
            return std::all_of(filter.places.begin(), filter.places.begin() + filter.count,
                               [p](const PlaceTest& t) {
                                   return t.Passes(static_cast<unsigned char>(p[t.offset]));
                               });
        };
        const char* const end = text.data() + text.size();
        std::size_t reach = 0;
        for (std::size_t i = 0; i < filter.count; ++i)
            reach = std::max(reach, filter.places[i].offset);
        for (const char* from = text.data(); from <= end; ++from) {
            const std::string where = text + " from " + std::to_string(from - text.data()) +
                                      " level " + std::to_string(round % (available + 1));
            EXPECT_EQ(scans.findByte(from, end, '\r'), std::find(from, end, '\r')) << where;
            EXPECT_EQ(scans.findEitherByte(from, end, '\n', '\r'),
                      std::find_if(from, end, byteIs([](auto c) { return c == 10 || c == 13; })))
                << where;
            EXPECT_EQ(scans.findNonAscii(from, end),
                      std::find_if(from, end, byteIs([](auto c) { return c >= 0x80; })))
                << where;
            EXPECT_EQ(scans.findEitherByteOrNonAscii(from, end, '\n', '\r'),
                      std::find_if(from, end,
                                   byteIs([](auto c) { return c >= 0x80 || c == 10 || c == 13; })))
                << where;
            EXPECT_EQ(
                scans.findSurrogateByte(from, end),
                std::find_if(from, end, byteIs([](auto c) { return c >= 0xD8 && c <= 0xDF; })))
                << where;
            if (static_cast<std::size_t>(end - from) < reach) continue;
            const char* const last = end - reach;
            const char* p = from;
            while (p != last && !passes(p)) ++p;
            EXPECT_EQ(scans.findPlaces(from, last, filter), p) << where;
        }
    }
}

}  // namespace
}  // namespace tarvik

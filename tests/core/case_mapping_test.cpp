// Simple upper-case mapping: one code point to one, the same on every build.
#include <gtest/gtest.h>

#include "case_mapping.hpp"
#include "find.hpp"

namespace tarvik {
namespace {

TEST(CaseMapping, SimpleUpper) {
    const struct {
        char32_t from, to;
    } cases[] = {
        {U'a', U'A'},       {U'z', U'Z'},       {U'A', U'A'}, {U'1', U'1'},
        {U'é', U'É'},       {U'ÿ', U'Ÿ'},       {U'ß', U'ß'},  // no single-character upper case
        {U'ı', U'I'},       {U'ſ', U'S'},       {U'σ', U'Σ'}, {U'ς', U'Σ'},
        {U'ж', U'Ж'},       {0x212A, 0x212A},    // Kelvin sign is already upper case
        {0x1F600, 0x1F600}, {0x10428, 0x10400},  // Deseret, beyond the BMP
        {0xDCE9, 0xDCE9},                        // an escaped byte stays itself
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<std::uint32_t>(SimpleUpper(c.from)), static_cast<std::uint32_t>(c.to))
            << "U+" << std::hex << static_cast<std::uint32_t>(c.from);
    }
}

TEST(CaseMapping, ToUpperKeepsEveryPosition) {
    const Text text = U"grüße ǆ ﬁ ŉ";
    const Text upper = ToUpper(text);
    ASSERT_EQ(upper.size(), text.size());
    // Characters whose upper case is longer than one character stay as they are.
    EXPECT_EQ(upper, U"GRÜßE Ǆ ﬁ ŉ");
}

TEST(FindText, ExactAndIgnoringCase) {
    const struct {
        Text haystack;
        Text needle;
        CompareMode mode;
        std::size_t expected;
    } cases[] = {
        {U"ABCDEFGHIJK1234", U"gh", CompareMode::IgnoreCase, 6},
        {U"ABCDEFGHIJK1234", U"gh", CompareMode::Exact, Text::npos},
        {U"ABCDEFGHIJK1234", U"GH", CompareMode::Exact, 6},
        {U"Straße", U"STRASSE", CompareMode::IgnoreCase, Text::npos},
        {U"ÉCOLE école", U"école", CompareMode::IgnoreCase, 0},
        {U"ÉCOLE école", U"école", CompareMode::Exact, 6},
        {U"xxıd", U"ID", CompareMode::IgnoreCase, 2},
        {U"abc", U"abcd", CompareMode::IgnoreCase, Text::npos},
        {U"", U"a", CompareMode::Exact, Text::npos},
        // Partial matches that overlap the real one, and a compare string too long for the stack.
        {U"aabaabaaab", U"aabaaab", CompareMode::Exact, 3},
        {U"ABABABAC", U"abac", CompareMode::IgnoreCase, 4},
        {Text(100, U'a') + U"b", Text(70, U'A') + U"b", CompareMode::IgnoreCase, 30},
        {Text(100, U'a'), Text(70, U'a') + U"b", CompareMode::Exact, Text::npos},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.haystack, c.needle, c.mode), c.expected)
            << EncodeUtf8Lossless(c.haystack) << " / " << EncodeUtf8Lossless(c.needle);
    }
}

}  // namespace
}  // namespace tarvik

// The legacy code page: single bytes stay one-to-one, lead bytes pair with trail bytes, and the
// system's double-byte code pages decode as Windows defines them, whatever the current locale.
#include "legacy_table.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "ansi_code_page.hpp"
#include "general_failure.hpp"
#include "result_encoding.hpp"
#include "win32_platform.hpp"

namespace tarvik::win32 {
namespace {

bool SinglesOneToOne(const LegacyCodePage& page) {
    std::set<char32_t> seen;
    for (unsigned b = 0; b < 256; ++b) seen.insert(page.Single(static_cast<unsigned char>(b)));
    return seen.size() == 256;
}

const PairDecoder kNoPairs = [](unsigned char, unsigned char) { return std::optional<char32_t>(); };

TEST(LegacyTableTest, KeepsWhatEachByteDecodesTo) {
    // A Latin-1-like page: every byte decodes alone to a character of its own.
    const LegacyCodePage page = LegacyTableFrom(
        [](unsigned char b) { return char32_t{b} + (b >= 0x80 ? 0x100 : 0); }, {}, kNoPairs);
    EXPECT_EQ(page.Single(0x00), U'\0');
    EXPECT_EQ(page.Single(0x41), U'A');
    EXPECT_EQ(page.Single(0x80), char32_t{0x180});
    EXPECT_EQ(page.Single(0xFF), char32_t{0x1FF});
    EXPECT_TRUE(SinglesOneToOne(page));
}

TEST(LegacyTableTest, SecondByteWithTheSameCharacterIsEscaped) {
    const LegacyCodePage page = LegacyTableFrom(
        [](unsigned char b) { return b >= 0x80 ? U'?' : char32_t{b}; }, {}, kNoPairs);
    EXPECT_EQ(page.Single(0x3F), U'?');
    EXPECT_EQ(page.Single(0x80), kEscapedByteBase + 0x80);
    EXPECT_EQ(page.Single(0xFF), kEscapedByteBase + 0xFF);
    EXPECT_TRUE(SinglesOneToOne(page));
}

TEST(LegacyTableTest, LeadBytesPairWithTrailBytesButNeverWithALineEnd) {
    std::bitset<256> leads;
    leads.set(0x83);
    const LegacyCodePage page = LegacyTableFrom(
        [](unsigned char b) -> std::optional<char32_t> {
            if (b == 0x83) return std::nullopt;
            return char32_t{b};
        },
        leads,
        [](unsigned char lead, unsigned char trail) {
            return char32_t{0x10000u + lead * 256u + trail};
        });
    EXPECT_EQ(page.Single(0x83), kEscapedByteBase + 0x83);
    EXPECT_TRUE(page.IsLeadByte(0x83));
    EXPECT_FALSE(page.IsLeadByte(0x84));
    EXPECT_EQ(page.Pair(0x83, 0x7C), char32_t{0x1837C});
    EXPECT_EQ(page.Pair(0x83, '\n'), char32_t{0});
    EXPECT_EQ(page.Pair(0x83, '\r'), char32_t{0});
    EXPECT_EQ(page.Pair(0x84, 0x7C), char32_t{0});
    EXPECT_TRUE(SinglesOneToOne(page));
}

// The code pages of Windows itself, by number: lead bytes, trail bytes that are ASCII
// characters, half-width katakana, and pairs that no character stands for.
TEST(LegacyTableTest, SystemCodePagesDecodeDoubleByteCharacters) {
    const struct {
        unsigned codePage;
        std::string bytes;
        char32_t expected;  // 0: not one character
    } cases[] = {
        {932, "A", U'A'},         {932, "\x5C", U'\\'},     {932, "\xB1", U'ｱ'},
        {932, "\x83\x7C", U'ポ'}, {932, "\x83\x5C", U'ソ'}, {932, "\x95\x5C", U'表'},
        {932, "\x83\x0A", 0},     {932, "\x83\xFF", 0},     {936, "\xB0\xA1", U'啊'},
        {949, "\xB0\xA1", U'가'}, {950, "\xA5\x5C", U'功'}, {950, "\xA4\x40", U'一'},
        {1252, "\x80", U'€'},
    };
    for (const auto& c : cases) {
        const LegacyCodePage page = CodePageCharacters(c.codePage);
        const auto first = static_cast<unsigned char>(c.bytes[0]);
        char32_t decoded = 0;
        const std::size_t width = page.Decode(c.bytes, 0, decoded);
        if (c.expected == 0) {
            EXPECT_TRUE(page.IsLeadByte(first)) << c.codePage;
            EXPECT_EQ(width, 1u) << c.codePage;
            EXPECT_EQ(decoded, kEscapedByteBase + first) << c.codePage;
        } else {
            EXPECT_EQ(page.IsLeadByte(first), c.bytes.size() == 2) << c.codePage;
            EXPECT_EQ(width, c.bytes.size()) << c.codePage;
            EXPECT_EQ(decoded, c.expected)
                << c.codePage << " " << std::hex << static_cast<std::uint32_t>(decoded);
        }
    }
}

// Result lines for cmd reading in Windows' own code pages, the first the one they are written for:
// exact where the line fits and every reader keeps it apart, else UTF-8 where that is read safely,
// else refused. Á is C3 81, and 81 a lead byte of 932; Ⱡ is E2 B1 A0, and A0 a lead byte in the
// Chinese and Korean code pages, not in 932. 20127 reads C3 A6 as "C&", UTF-7 "+ACY-" as "&".
TEST(LegacyTableTest, ResultLinesForSystemCodePages) {
    const struct {
        std::vector<unsigned> readers;
        Text line;
        const char* bytes;  // nullptr: refused
    } cases[] = {
        {{932}, U"SET A=ポ^|", "SET A=\x83\x7C^|"},
        {{950}, U"SET A=功^&", "SET A=\xA5\x5C^&"},
        {{437}, U"SET A=Ω", "SET A=\xEA"},
        {{437}, U"SET A=Á^&", "SET A=\xC3\x81^&"},
        {{932}, U"SET A=Á^&", nullptr},
        {{932}, U"SET A=Ⱡ^&", "SET A=\xE2\xB1\xA0^&"},
        {{936}, U"SET A=Ⱡ^&", nullptr},
        {{949}, U"SET A=Ⱡ^&", nullptr},
        {{950}, U"SET A=Ⱡ^&", nullptr},
        {{936, 437}, U"SET A=亅x", "SET A=\xE4\xBA\x85x"},
        {{1361, 437}, U"SET A=갚x", "SET A=\xEA\xB0\x9Ax"},
        {{437, 932}, U"SET A=é^&", "SET A=\xC3\xA9^&"},
        {{65001, 932}, U"SET A=Á^&", nullptr},
        {{20127, 437}, U"SET A=xæ", nullptr},
        {{65000, 437}, U"SET A=+ACY-x", nullptr},
    };
    Win32Platform platform;
    for (const auto& c : cases) {
        const ResultLineEncoder encoder(platform, c.readers);
        if (c.bytes) {
            EXPECT_EQ(encoder.Encode(c.line), c.bytes) << c.readers.front();
        } else {
            EXPECT_THROW(encoder.Encode(c.line), GeneralFailure) << c.readers.front();
        }
    }
}

}  // namespace
}  // namespace tarvik::win32

// The legacy byte table stays one-to-one whatever the code page decodes.
#include "legacy_table.hpp"

#include <gtest/gtest.h>

#include <set>

namespace tarvik::win32 {
namespace {

bool OneToOne(const LegacyCodePage& table) {
    return std::set<char32_t>(table.begin(), table.end()).size() == table.size();
}

TEST(LegacyTableTest, KeepsWhatEachByteDecodesTo) {
    // A Latin-1-like page: every byte decodes alone to a character of its own.
    const LegacyCodePage table = LegacyTableFrom([](unsigned char b) { return char32_t{b} + (b >= 0x80 ? 0x100 : 0); });
    EXPECT_EQ(table[0x00], U'\0');
    EXPECT_EQ(table[0x41], U'A');
    EXPECT_EQ(table[0x80], char32_t{0x180});
    EXPECT_EQ(table[0xFF], char32_t{0x1FF});
    EXPECT_TRUE(OneToOne(table));
}

TEST(LegacyTableTest, LeadBytesStandForEscapedBytes) {
    // A double-byte page: 0x81..0x9F and 0xE0..0xFC start two-byte characters and do not decode alone.
    const LegacyCodePage table = LegacyTableFrom([](unsigned char b) -> std::optional<char32_t> {
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) return std::nullopt;
        return b < 0x80 ? char32_t{b} : char32_t{0xFF61} + (b - 0xA1u);
    });
    EXPECT_EQ(table[0x5C], U'\\');
    EXPECT_EQ(table[0x81], kEscapedByteBase + 0x81);
    EXPECT_EQ(table[0xFC], kEscapedByteBase + 0xFC);
    EXPECT_EQ(table[0xA1], char32_t{0xFF61});
    EXPECT_TRUE(OneToOne(table));
}

TEST(LegacyTableTest, SecondByteWithTheSameCharacterIsEscaped) {
    const LegacyCodePage table = LegacyTableFrom([](unsigned char b) { return b >= 0x80 ? U'?' : char32_t{b}; });
    EXPECT_EQ(table[0x3F], U'?');
    EXPECT_EQ(table[0x80], kEscapedByteBase + 0x80);
    EXPECT_EQ(table[0xFF], kEscapedByteBase + 0xFF);
    EXPECT_TRUE(OneToOne(table));
}

}  // namespace
}  // namespace tarvik::win32

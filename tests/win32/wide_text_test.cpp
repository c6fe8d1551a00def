// UTF-16 to Text and back: pairs combine, unpaired surrogates survive as themselves.
#include "wide_text.hpp"

#include <gtest/gtest.h>

#include "case_name.hpp"

namespace tarvik::win32 {
namespace {

struct WideCase {
    const char* name;
    std::wstring wide;
    Text text;
};

class WideTextTest : public testing::TestWithParam<WideCase> {};

TEST_P(WideTextTest, ConvertsBothWays) {
    EXPECT_EQ(FromWide(GetParam().wide), GetParam().text);
    EXPECT_EQ(ToWide(GetParam().text), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WideTextTest,
    testing::Values(
        WideCase{"empty", L"", U""}, WideCase{"ascii", L"/t:\"ABCD\"", U"/t:\"ABCD\""},
        WideCase{"latin_1_and_euro", L"Gr\u00FC\u00DFe \u20AC", U"Gr\u00FC\u00DFe \u20AC"},
        WideCase{"surrogate_pair", std::wstring{0xD83D, 0xDE00}, U"\U0001F600"},
        WideCase{"last_plane_pair_and_ascii", std::wstring{0xDBFF, 0xDFFF, L'x'}, U"\U0010FFFFx"},
        // Unpaired surrogates: alone, at the end, reversed, doubled.
        WideCase{"unpaired_high_alone", std::wstring{L'a', 0xD800, L'b'}, Text{U'a', 0xD800, U'b'}},
        WideCase{"unpaired_low_at_end", std::wstring{L'a', 0xDC80}, Text{U'a', 0xDC80}},
        WideCase{"reversed_pair", std::wstring{0xDE00, 0xD83D}, Text{0xDE00, 0xD83D}},
        WideCase{"doubled_high", std::wstring{0xD83D, 0xD83D, 0xDE00},
                 Text{0xD83D, U'\U0001F600'}}),
    test_support::CaseName());

TEST(WideTextTest, Utf8HelpersRoundTrip) {
    EXPECT_EQ(WideFromUtf8("Tarvik Version"), L"Tarvik Version");
    EXPECT_EQ(WideFromUtf8("\xC3\xA4\xF0\x9F\x98\x80"), (std::wstring{0x00E4, 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf8FromWide(std::wstring{0x00E4, 0xD83D, 0xDE00}), "\xC3\xA4\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace tarvik::win32

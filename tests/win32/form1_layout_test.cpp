// Form1's design figures in pixels at common screen resolutions.
#include "form1_layout.hpp"

#include <gtest/gtest.h>

#include "case_name.hpp"

namespace tarvik::win32 {

// Found by argument-dependent lookup, so it lives beside PixelRect's namespace, not in the
// anonymous one.
void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

struct LayoutCase {
    const char* name;
    int dpi;
    int clientWidth, clientHeight;
    PixelRect label1, text1;
    int label1Font, text1Font;
};

class Form1LayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(Form1LayoutTest, ScalesTwipsAndPointsToTheScreen) {
    const LayoutCase& c = GetParam();
    EXPECT_EQ(TwipsToPixels(kForm1ClientWidth, c.dpi), c.clientWidth);
    EXPECT_EQ(TwipsToPixels(kForm1ClientHeight, c.dpi), c.clientHeight);
    EXPECT_EQ(ToPixels(kLabel1Rect, c.dpi, c.dpi), c.label1);
    EXPECT_EQ(ToPixels(kText1Rect, c.dpi, c.dpi), c.text1);
    EXPECT_EQ(FontPixelHeight(kLabel1Font.hundredthsOfPoint, c.dpi), c.label1Font);
    EXPECT_EQ(FontPixelHeight(kText1Font.hundredthsOfPoint, c.dpi), c.text1Font);
    // The label reaches past the client area at every resolution.
    EXPECT_GT(c.label1.left + c.label1.width, c.clientWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, Form1LayoutTest,
    testing::Values(
        LayoutCase{"dpi_96", 96, 602, 339, {8, 8, 617, 73}, {8, 80, 585, 249}, 15, 16},
        LayoutCase{"dpi_120", 120, 753, 424, {10, 10, 771, 91}, {10, 100, 731, 311}, 19, 20},
        LayoutCase{"dpi_144", 144, 903, 509, {12, 12, 926, 110}, {12, 120, 878, 374}, 23, 24}),
    test_support::CaseName());

TEST(Form1LayoutTest, DifferentResolutionsAcrossAndDown) {
    EXPECT_EQ(ToPixels(kText1Rect, 96, 144), (PixelRect{8, 120, 585, 374}));
}

TEST(Form1LayoutTest, RoundsHalvesAwayFromZeroLikeMulDiv) {
    EXPECT_EQ(ScaleRounded(3, 1, 2), 2);
    EXPECT_EQ(ScaleRounded(-3, 1, 2), -2);
    EXPECT_EQ(ScaleRounded(5, 1, 4), 1);
    EXPECT_EQ(ScaleRounded(-5, 1, 4), -1);
    EXPECT_EQ(ScaleRounded(2'000'000'000, 144, 1440), 200'000'000);
}

}  // namespace
}  // namespace tarvik::win32

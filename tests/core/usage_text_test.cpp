// The usage texts: lengths, line structure and the composed title.
#include <gtest/gtest.h>

#include <algorithm>

#include "usage_text.hpp"

namespace tarvik::usage {
namespace {

std::size_t Count(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (auto pos = text.find(what); pos != std::string::npos;
         pos = text.find(what, pos + what.size()))
        ++n;
    return n;
}

TEST(UsageText, LabelIsFourLinesOf175Characters) {
    const std::string label = LabelText();
    EXPECT_EQ(label.size(), 175u);
    EXPECT_EQ(Count(label, "\r\n"), 3u);
    EXPECT_EQ(label.substr(label.size() - 5), "]\r\n  ");
    EXPECT_EQ(label.substr(0, 9), "Usage: \r\n");
}

TEST(UsageText, HelpIs26LinesOf1072Characters) {
    const std::string help = HelpText();
    EXPECT_EQ(help.size(), 1072u);
    EXPECT_EQ(Count(help, "\r\n"), 25u);
    EXPECT_NE(help.substr(help.size() - 2), "\r\n");
    // Line 13 is followed by an empty line 14.
    EXPECT_EQ(Count(help, "app path.\r\n\r\nExample:"), 1u);
    for (std::string_view line : kHelpLines)
        EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
    const std::size_t expectedLengths[26] = {34, 25, 24, 14, 44, 50, 47, 48, 56, 64, 43, 55, 84,
                                             0,  8,  26, 46, 67, 46, 32, 39, 25, 40, 20, 49, 36};
    for (std::size_t i = 0; i < kHelpLines.size(); ++i)
        EXPECT_EQ(kHelpLines[i].size(), expectedLengths[i]) << i + 1;
}

TEST(UsageText, HelpEndsWithTheLastExampleLine) {
    const std::string help = HelpText();
    const std::string_view last = "\r\n        Set RETU = WEQREEQRQWERRWQER";
    EXPECT_EQ(help.substr(help.size() - last.size()), last);
}

TEST(UsageText, TitleHasNoSpaceAndNoLeadingZeros) {
    EXPECT_EQ(Title(kDesignedTitle, 1, 0, 2), "Tarvik Version1.0.2");
    EXPECT_EQ(Title("X", 10, 20, 300), "X10.20.300");
}

}  // namespace
}  // namespace tarvik::usage

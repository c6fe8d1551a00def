// The usage texts against their golden files, and the composed title.
#include <gtest/gtest.h>

#include "golden_texts.hpp"
#include "usage_text.hpp"

namespace tarvik::usage {
namespace {

// An editor that adds a final line end or converts CR LF would change every level's expectation
// at once; the designed sizes catch that in the golden files themselves.
TEST(UsageText, GoldenFilesHaveTheDesignedSizes) {
    EXPECT_EQ(golden::kUsageLabel.size(), 175u);
    EXPECT_EQ(golden::kUsageHelp.size(), 1072u);
}

TEST(UsageText, LabelAndHelpAreTheGoldenTexts) {
    EXPECT_EQ(LabelText(), golden::kUsageLabel);
    EXPECT_EQ(HelpText(), golden::kUsageHelp);
}

TEST(UsageText, HelpLinesHaveNoTrailingBlanks) {
    for (std::string_view line : kHelpLines)
        EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
}

TEST(UsageText, TitleHasNoSpaceAndNoLeadingZeros) {
    EXPECT_EQ(Title(kDesignedTitle, 1, 0, 2), "Tarvik Version1.0.2");
    EXPECT_EQ(Title("X", 10, 20, 300), "X10.20.300");
}

}  // namespace
}  // namespace tarvik::usage

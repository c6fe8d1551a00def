// Numbers for "/S:" and "/L:": what counts as numeric and which 16-bit integer it becomes.
#include <gtest/gtest.h>

#include <optional>

#include "numeric.hpp"

namespace tarvik {
namespace {

TEST(Numeric, AcceptsAndConverts) {
    const struct {
        const char* text;
        std::optional<int> value;  // nullopt: not numeric
    } cases[] = {
        {"0", 0},
        {"00", 0},
        {"-4", -4},
        {"+7", 7},
        {"32767", 32767},
        {"-32768", -32768},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"2.50001", 3},
        {"2.4999", 2},
        {"1.", 1},
        {".5", 0},
        {".6", 1},
        {"-0.5", 0},
        {"007", 7},
        {"", std::nullopt},
        {"+", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"abc", std::nullopt},
        {"1a", std::nullopt},
        {"1 2", std::nullopt},
        {"1.2.3", std::nullopt},
        {"--1", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"١", std::nullopt},  // a non-ASCII digit is not a decimal digit here
    };
    for (const auto& c : cases) {
        const Text text = DecodeUtf8Lossless(c.text);
        EXPECT_EQ(IsNumeric(text), c.value.has_value()) << c.text;
        if (c.value) {
            EXPECT_EQ(NumericToInt16(text), *c.value) << c.text;
        }
    }
}

TEST(Numeric, OutsideTheRangeOverflows) {
    for (const char* text :
         {"32768", "-32769", "32767.5", "-32768.6", "99999999999999999999999", "40000"}) {
        const Text value = DecodeUtf8Lossless(text);
        ASSERT_TRUE(IsNumeric(value)) << text;
        EXPECT_THROW(NumericToInt16(value), GeneralFailure) << text;
    }
    // Rounding half to even keeps 32766.5 inside the range.
    EXPECT_EQ(NumericToInt16(U"32766.5"), 32766);
}

}  // namespace
}  // namespace tarvik

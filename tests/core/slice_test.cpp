// The slice arithmetic: start from the match and the offset, then the cut by the length.
#include "slice.hpp"

#include <gtest/gtest.h>

#include "case_name.hpp"

namespace tarvik {
namespace {

struct SliceCase {
    const char* name;
    Int16 matchPosition;
    std::size_t compareLength;
    Int16 offset;
    const char32_t* length;
    std::size_t targetLength;
    Slice expected;  // ignored when `overflows`
    bool overflows = false;
};

class CutSliceTest : public testing::TestWithParam<SliceCase> {};

TEST_P(CutSliceTest, StartsAndCutsByTheSixteenBitRules) {
    const SliceCase& c = GetParam();
    if (c.overflows) {
        EXPECT_THROW(CutSlice(c.matchPosition, c.compareLength, c.offset, c.length, c.targetLength),
                     GeneralFailure);
        return;
    }
    const Slice got =
        CutSlice(c.matchPosition, c.compareLength, c.offset, c.length, c.targetLength);
    EXPECT_EQ(got.failure, c.expected.failure);
    if (!c.expected.failure) {
        EXPECT_EQ(got.start, c.expected.start);
        EXPECT_EQ(got.count, c.expected.count);
    }
}

constexpr std::size_t kRest = Text::npos;

INSTANTIATE_TEST_SUITE_P(
    Cases, CutSliceTest,
    testing::Values(
        // "gh" at 7 in ABCDEFGHIJK1234, /s:-4 /L:3: CDE.
        SliceCase{"back_from_the_match", 7, 2, -4, U"3", 15, {.start = 2, .count = 3}},
        // "eee" at 5 in sdfseeeWEQREEQRQWERRWQER, /s:0: the rest from just after the match.
        SliceCase{"rest_after_the_match", 5, 3, 0, U"", 24, {.start = 7, .count = kRest}},
        SliceCase{"forward_past_the_match", 1, 1, 2, U"", 10, {.start = 3, .count = kRest}},
        SliceCase{"before_the_first_character_starts_at_it",
                  3,
                  1,
                  -10,
                  U"",
                  5,
                  {.start = 0, .count = kRest}},
        // The length counts from where the slice really starts.
        SliceCase{"length_from_the_first_character_after_a_start_before_it",
                  3,
                  2,
                  -100,
                  U"3",
                  7,
                  {.start = 0, .count = 3}},
        SliceCase{"length_zero_takes_the_rest", 1, 1, 0, U"0", 5, {.start = 1, .count = kRest}},
        SliceCase{"length_00_is_numeric_zero", 1, 1, 0, U"00", 5, {.start = 1, .count = 0}},
        SliceCase{
            "length_fraction_rounds_half_to_even", 3, 2, 0, U"2.5", 7, {.start = 4, .count = 2}},
        SliceCase{"length_exactly_what_is_left", 1, 1, 0, U"4", 5, {.start = 1, .count = 4}},
        SliceCase{"length_one_more_than_left",
                  1,
                  1,
                  0,
                  U"5",
                  5,
                  {.failure = ErrorKind::LengthOutOfRange}},
        SliceCase{"negative_length", 1, 1, 0, U"-1", 5, {.failure = ErrorKind::LengthOutOfRange}},
        SliceCase{"length_not_numeric", 1, 1, 0, U"x", 5, {.failure = ErrorKind::LengthNotNumeric}},
        // Past the end the slice is empty and the length is never looked at.
        SliceCase{"start_past_the_end", 4, 2, 0, U"x", 5, {.start = 5, .count = 0}},
        SliceCase{"start_beyond_32767_overflows", 32767, 1, 0, U"", 40000, {}, true},
        SliceCase{"offset_beyond_32767_overflows", 30000, 1, 3000, U"", 40000, {}, true},
        SliceCase{"offset_back_to_minus_32767_starts_at_1",
                  1,
                  1,
                  -32768,
                  U"",
                  5,
                  {.start = 0, .count = kRest}},
        // What is left of a line longer than 32767 characters is 16-bit too.
        SliceCase{"remaining_beyond_32767_overflows", 1, 1, -1, U"5", 40000, {}, true}),
    test_support::CaseName());

}  // namespace
}  // namespace tarvik

// ReadSwitchValue: the worked example, the further cases, and the 16-bit position limits.
#include <gtest/gtest.h>

#include "case_name.hpp"
#include "general_failure.hpp"
#include "switch_reader.hpp"

namespace tarvik {
namespace {

struct SwitchCase {
    const char* name;
    const char* commandLine;
    const char32_t* key;
    const char* expected;
};

std::string Utf8(TextView text) {
    return EncodeUtf8Lossless(text);
}

class SwitchReaderTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchReaderTest, ReadsValue) {
    const SwitchCase& c = GetParam();
    EXPECT_EQ(Utf8(ReadSwitchValue(DecodeUtf8Lossless(c.commandLine), c.key)), c.expected)
        << "command line: " << c.commandLine << "\nkey: " << Utf8(c.key);
}

constexpr const char* kExample = R"(/t:"ABCDEFGHIJK1234" /c:"gh" /s:-4 /L:3 /e:mystr /o:aa.cmd)";

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchReaderTest,
    testing::Values(
        // The worked example, every key.
        SwitchCase{"example_t", kExample, U"/T:", R"("ABCDEFGHIJK1234")"},
        SwitchCase{"example_f_absent", kExample, U"/F:", ""},
        SwitchCase{"example_c", kExample, U"/C:", R"("gh")"},
        SwitchCase{"example_s", kExample, U"/S:", "-4"},
        SwitchCase{"example_l", kExample, U"/L:", "3"},
        SwitchCase{"example_o", kExample, U"/O:", "aa.cmd"},
        SwitchCase{"example_e", kExample, U"/E:", "mystr"},
        // Further cases.
        SwitchCase{"file_example_f", R"(/f:ls.txt /c:"eee" /s:0)", U"/F:", "ls.txt"},
        SwitchCase{"file_example_c", R"(/f:ls.txt /c:"eee" /s:0)", U"/C:", R"("eee")"},
        SwitchCase{"file_example_s", R"(/f:ls.txt /c:"eee" /s:0)", U"/S:", "0"},
        SwitchCase{"file_example_l_absent", R"(/f:ls.txt /c:"eee" /s:0)", U"/L:", ""},
        SwitchCase{"value_ends_at_a_slash_in_a_path", "/F:C:/data/ls.txt", U"/F:", "C:"},
        SwitchCase{"t_ends_at_the_next_switch", "/T:x/c:y /C:z", U"/T:", "x"},
        SwitchCase{"c_right_after_a_value", "/T:x/c:y /C:z", U"/C:", "y"},
        SwitchCase{"slash_inside_quotes_ends_the_value", R"(/T:"x/c:y" /C:z)", U"/C:", R"(y")"},
        SwitchCase{"s_before_l_without_space", "/S:1/L:2", U"/S:", "1"},
        SwitchCase{"l_after_s_without_space", "/S:1/L:2", U"/L:", "2"},
        SwitchCase{"empty_e_before_o", "/E:/O:aa.cmd", U"/E:", ""},
        SwitchCase{"o_after_an_empty_e", "/E:/O:aa.cmd", U"/O:", "aa.cmd"},
        SwitchCase{"m_switch_ends_a_value", "/T:abc /M /C:b", U"/T:", "abc"},
        SwitchCase{"first_of_two_keys_wins", "/C:a /C:b", U"/C:", "a"},
        SwitchCase{"empty_value_at_the_end", "/T:abc /E:", U"/E:", ""},
        SwitchCase{"spaces_only_value_is_empty", "/E:   /O:aa.cmd", U"/E:", ""},
        // Only spaces are trimmed; tabs, quotes and inner spaces stay.
        SwitchCase{"tabs_and_inner_spaces_kept", "/E:\t a b \t/O:x", U"/E:", "\t a b \t"},
        SwitchCase{"quotes_and_inner_spaces_kept", R"(/C:" a b ")", U"/C:", R"(" a b ")"},
        // A key without its colon is not found; an empty command line gives nothing.
        SwitchCase{"key_without_colon_not_found", "/T abc", U"/T:", ""},
        SwitchCase{"empty_command_line", "", U"/T:", ""},
        // The key is upper-cased by simple case mapping; the value keeps its case.
        SwitchCase{"key_upper_cased_value_keeps_case", "/e:Grüße/o:x", U"/E:", "Grüße"}),
    test_support::CaseName());

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

TEST(SwitchReaderLimits, KeyAt32764IsStillRead) {
    const std::string line = Repeat('x', 32763) + "/E:ab";
    EXPECT_EQ(Utf8(ReadSwitchValue(DecodeUtf8Lossless(line), U"/E:")), "ab");
}

TEST(SwitchReaderLimits, OverflowBeyondTheLimits) {
    const struct {
        const char* what;
        std::string line;
    } cases[] = {
        {"key at 32765", Repeat('x', 32764) + "/E:ab"},
        {"key beyond 32767", Repeat('x', 40000) + "/E:ab"},
        {"ending slash at 32768", "/E:" + Repeat('a', 32764) + "/O:x"},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(ReadSwitchValue(DecodeUtf8Lossless(c.line), U"/E:"), GeneralFailure) << c.what;
    }
}

TEST(SwitchReaderLimits, EndingSlashAt32767IsRead) {
    const std::string line = "/E:" + Repeat('a', 32763) + "/O:x";
    EXPECT_EQ(ReadSwitchValue(DecodeUtf8Lossless(line), U"/E:").size(), 32763u);
}

}  // namespace
}  // namespace tarvik

// ReadSwitchValue: the worked example, the further cases, and the 16-bit position limits.
#include <gtest/gtest.h>

#include "general_failure.hpp"
#include "switch_reader.hpp"

namespace tarvik {
namespace {

struct SwitchCase {
    const char* commandLine;
    const char32_t* key;
    const char* expected;
};

std::string Utf8(TextView text) { return EncodeUtf8Lossless(text); }

class SwitchReaderTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchReaderTest, ReadsValue) {
    const SwitchCase& c = GetParam();
    EXPECT_EQ(Utf8(ReadSwitchValue(DecodeUtf8Lossless(c.commandLine), c.key)), c.expected)
        << "command line: " << c.commandLine << "\nkey: " << Utf8(c.key);
}

constexpr const char* kExample = R"(/t:"ABCDEFGHIJK1234" /c:"gh" /s:-4 /L:3 /e:mystr /o:aa.cmd)";

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchReaderTest,
    ::testing::Values(
        // The worked example, every key.
        SwitchCase{kExample, U"/T:", R"("ABCDEFGHIJK1234")"}, SwitchCase{kExample, U"/F:", ""},
        SwitchCase{kExample, U"/C:", R"("gh")"}, SwitchCase{kExample, U"/S:", "-4"},
        SwitchCase{kExample, U"/L:", "3"}, SwitchCase{kExample, U"/O:", "aa.cmd"},
        SwitchCase{kExample, U"/E:", "mystr"},
        // Further cases.
        SwitchCase{R"(/f:ls.txt /c:"eee" /s:0)", U"/F:", "ls.txt"},
        SwitchCase{R"(/f:ls.txt /c:"eee" /s:0)", U"/C:", R"("eee")"},
        SwitchCase{R"(/f:ls.txt /c:"eee" /s:0)", U"/S:", "0"},
        SwitchCase{R"(/f:ls.txt /c:"eee" /s:0)", U"/L:", ""},
        SwitchCase{"/F:C:/data/ls.txt", U"/F:", "C:"},
        SwitchCase{"/T:x/c:y /C:z", U"/T:", "x"}, SwitchCase{"/T:x/c:y /C:z", U"/C:", "y"},
        SwitchCase{R"(/T:"x/c:y" /C:z)", U"/C:", R"(y")"},
        SwitchCase{"/S:1/L:2", U"/S:", "1"}, SwitchCase{"/S:1/L:2", U"/L:", "2"},
        SwitchCase{"/E:/O:aa.cmd", U"/E:", ""}, SwitchCase{"/E:/O:aa.cmd", U"/O:", "aa.cmd"},
        SwitchCase{"/T:abc /M /C:b", U"/T:", "abc"}, SwitchCase{"/C:a /C:b", U"/C:", "a"},
        SwitchCase{"/T:abc /E:", U"/E:", ""}, SwitchCase{"/E:   /O:aa.cmd", U"/E:", ""},
        // Only spaces are trimmed; tabs, quotes and inner spaces stay.
        SwitchCase{"/E:\t a b \t/O:x", U"/E:", "\t a b \t"},
        SwitchCase{R"(/C:" a b ")", U"/C:", R"(" a b ")"},
        // A key without its colon is not found; an empty command line gives nothing.
        SwitchCase{"/T abc", U"/T:", ""}, SwitchCase{"", U"/T:", ""},
        // The key is upper-cased by simple case mapping; the value keeps its case.
        SwitchCase{"/e:Grüße/o:x", U"/E:", "Grüße"}));

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

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

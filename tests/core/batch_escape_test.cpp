// The result command file under the batch oracle: hostile values set exactly themselves and do
// nothing else, in both delayed-expansion modes; values no line can carry are refused.
#include <gtest/gtest.h>

#include <bitset>
#include <random>

#include "batch_escape.hpp"
#include "batch_oracle.hpp"
#include "fake_platform.hpp"
#include "general_failure.hpp"
#include "output_files.hpp"
#include "sourced_text.hpp"

namespace tarvik::test_doubles {
namespace {

// Variables a careless line would expand, each with a value no test value equals.
BatchEnvironment Decoys() {
    return {{"PATH", "C:\\Windows"}, {"A", "decoy-a"}, {"x", "decoy-x"}, {"~", "decoy"}};
}

std::string ResultFile(const std::string& name, const Text& value) {
    FakePlatform platform;
    return ResultFileBytes(platform, DecodeUtf8Lossless(name), value);
}

Text Typed(const std::string& utf8) {
    return DecodeUtf8Lossless(utf8);
}

// Runs the file in a decoy environment, read in a code page with these lead bytes; it must set
// exactly `name` to `value` and do nothing else.
void ExpectSetsExactly(const std::string& file, const std::string& name, const std::string& value,
                       bool delayed, const std::bitset<256>& leadBytes = {}) {
    BatchEnvironment environment = Decoys();
    const std::vector<std::string> hazards = RunResultFile(file, environment, delayed, leadBytes);
    EXPECT_TRUE(hazards.empty()) << "delayed=" << delayed << " file: " << file
                                 << " first hazard: " << hazards.front();
    BatchEnvironment expected = Decoys();
    if (value.empty()) {
        expected.erase(name);
    } else {
        expected[name] = value;
    }
    EXPECT_TRUE(SameVariables(environment, expected))
        << "delayed=" << delayed << " file: " << file << "\n"
        << testing::PrintToString(environment) << " vs " << testing::PrintToString(expected);
}

// The oracle must itself catch each fault an unescaped line has, or its verdicts mean nothing.
TEST(BatchOracle, CatchesWhatRawLinesDo) {
    struct Case {
        const char* line;
        bool delayed;
        const char* hazard;  // a hazard containing this, or "" for none
        const char* x;       // the value of X afterwards ("" when unset)
    };
    const Case cases[] = {
        {"SET X=x&del *.*", false, "separator &", ""},
        {"SET X=x & exit", false, "separator &", ""},
        {"SET X=a|b", false, "separator |", ""},
        {"SET X=a>x.txt", false, "redirection >", ""},
        {"SET X=a<in", false, "redirection <", ""},
        {"SET X=a^", false, "caret ends the line", ""},
        {"SET X=(a)", false, "parenthesis", ""},
        {"SET X=100%", false, "", "100"},
        {"SET X=%PATH%", false, "percent expansion %PATH%", "C:\\Windows"},
        {"SET X=%~dp0", false, "argument modifier", ""},
        {"SET X=%1", false, "argument %1", ""},
        {"SET X=a!PATH!b", false, "", "a!PATH!b"},
        {"SET X=a!PATH!b", true, "delayed expansion !PATH!", "aC:\\Windowsb"},
        {"SET X=a^^b!", true, "", "ab"},
        {"SET X=a^^b", true, "", "a^b"},
        {"SET X=a\"b&c", false, "", "a\"b&c"},
        {"SET \"X=a\" tail", false, "quoted form", "a"},
        {"SET X", false, "sets nothing", ""},
        {"ECHO hi", false, "runs command ECHO", ""},
        {"IF \"!!\"==\"\" SET X=on", false, "", ""},
        {"IF \"!!\"==\"\" SET X=on", true, "", "on"},
        {"IF NOT \"!!\"==\"\" SET X=off", false, "", "off"},
        {"IF NOT \"!!\"==\"\" SET X=off", true, "", ""},
        {"SET X=%%d^^^!", true, "", "%d!"},
    };
    for (const Case& c : cases) {
        BatchEnvironment environment{{"PATH", "C:\\Windows"}};
        const std::vector<std::string> hazards =
            RunBatchFile(std::string(c.line) + "\r\n", environment, c.delayed);
        const std::string joined = hazards.empty() ? "" : hazards.front();
        if (*c.hazard == '\0') {
            EXPECT_TRUE(hazards.empty()) << c.line << ": " << joined;
        } else {
            EXPECT_NE(joined.find(c.hazard), std::string::npos) << c.line << ": " << joined;
        }
        if (hazards.empty() || *c.x != '\0') {
            EXPECT_EQ(environment["X"], c.x) << c.line;
        }
    }
}

TEST(BatchEscape, WritesTheseExactLines) {
    struct Case {
        const char* value;
        const char* file;
    };
    const Case cases[] = {
        {"WEQREEQRQWERRWQER", "SET RETU=WEQREEQRQWERRWQER\r\n"},
        {" a = b;c,d@e:f~ ", "SET RETU= a = b;c,d@e:f~ \r\n"},
        {"", "SET RETU=\r\n"},
        {"x&del *.*", "SET RETU=x^&del *.*\r\n"},
        {"a>x.txt", "SET RETU=a^>x.txt\r\n"},
        {"100%", "SET RETU=100%%\r\n"},
        {"a^", "SET RETU=a^^\r\n"},
        {"x & exit", "SET RETU=x ^& exit\r\n"},
        {"\"(a|b)<c\"", "SET RETU=^\"^(a^|b^)^<c^\"\r\n"},
        {"%~dp0", "SET RETU=%%~dp0\r\n"},
        {"a!b^c",
         "SET RETU=a!b^^c\r\n"
         "IF \"!!\"==\"\" SET RETU=a^^^!b^^^^c\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ResultFile("RETU", Typed(c.value)), c.file) << c.value;
}

TEST(BatchEscape, EscapesTheNameToo) {
    EXPECT_EQ(ResultFile("a%b&c", Typed("v")), "SET a%%b^&c=v\r\n");
    const std::string file = ResultFile("n!", Typed("v"));
    EXPECT_EQ(file, "IF NOT \"!!\"==\"\" SET n!=v\r\nIF \"!!\"==\"\" SET n^^^!=v\r\n");
    ExpectSetsExactly(file, "n!", "v", false);
    ExpectSetsExactly(file, "n!", "v", true);
}

// The one place for what is refused; write_faults_test shows how a refused run ends.
TEST(BatchEscape, RefusesWhatNoLineCanCarry) {
    const std::string prefix = "SET RETU=";
    const std::string carry = "value holds a character no batch line can carry";
    const std::string name = "variable name SET cannot take";
    const std::string tooLong = "result line too long for a batch file";
    const struct {
        std::string name;
        std::string value;
        std::string reason;
    } refused[] = {
        {"RETU", std::string("a\0b", 3), carry},
        {"RETU", "a\rb", carry},
        {"RETU", "a\nb", carry},
        {"RETU", "a\x1A", carry},
        {"a\nb", "v", "variable name holds a character no batch line can carry"},
        {"a=b", "v", name},
        {"\"a", "v", name},
        {"\ta", "v", name},
        {";a", "v", name},
        {"/a", "v", name},
        {"RETU", std::string(kMaxBatchLineLength - prefix.size() + 1, 'v'), tooLong},
        // Doubling makes the line too long.
        {"RETU", std::string(kMaxBatchLineLength - prefix.size() - 1, 'v') + "%", tooLong},
        {"RETU", std::string(5000, '!'), tooLong},
    };
    for (const auto& c : refused) {
        try {
            ResultFile(c.name, Typed(c.value));
            ADD_FAILURE() << "not refused: " << c.name << "=" << c.value.substr(0, 20);
        } catch (const GeneralFailure& failure) {
            EXPECT_EQ(failure.what(), c.reason) << c.name << "=" << c.value.substr(0, 20);
        }
    }
    EXPECT_EQ(
        ResultFile("RETU", Typed(std::string(kMaxBatchLineLength - prefix.size(), 'v'))).size(),
        kMaxBatchLineLength + 2);
}

// Values from lines of a double-byte code page, whose trail bytes may be "^", "|" or "\\", read
// back in it: a caret goes before a character, never into one, and cmd sets exactly the value.
TEST(BatchEscape, NeverSplitsADoubleByteCharacter) {
    FakePlatform platform;
    SetUpJapaneseWindows(platform);
    const std::bitset<256> leadBytes = LeadBytesOf(ShiftJisSample());
    const auto file = [&](const std::string& bytes) {
        return ResultFileBytes(platform, U"RETU", FromLegacyBytes(bytes, ShiftJisSample()).chars);
    };
    // The oracle catches a caret inside a character.
    BatchEnvironment environment;
    EXPECT_FALSE(
        RunResultFile("SET RETU=\x83^|mkdir pwned\r\n", environment, false, leadBytes).empty());

    const std::pair<std::string, std::string> cases[] = {
        {"\x83\x7Cmkdir pwned", "SET RETU=\x83\x7Cmkdir pwned\r\n"},
        {"\x83\x5E|\x83\x5C&\xB1", "SET RETU=\x83\x5E^|\x83\x5C^&\xB1\r\n"},
        {"!\x83\x5E", "SET RETU=!\x83\x5E\r\nIF \"!!\"==\"\" SET RETU=^^^!\x83\x5E\r\n"},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(file(bytes), expected);

    const std::string pieces[] = {"\x83\x7C", "\x83\x5E", "\x83\x5C", "\x82\xA0", "\xB1", "^", "|",
                                  "!",        "%",        "&",        "\"",       "a",    " "};
    std::mt19937 random(20261209);
    for (int round = 0; round < 1000 && !testing::Test::HasFailure(); ++round) {
        std::string value;
        for (std::size_t n = random() % 12; n > 0; --n)
            value += pieces[random() % std::size(pieces)];
        for (const bool delayed : {false, true})
            ExpectSetsExactly(file(value), "RETU", value, delayed, leadBytes);
    }

    // A lead byte that formed no character would take the next byte written into its own: "|",
    // the line's CR or, from a name typed with an undecodable byte, the "=".
    for (const std::string broken : {"\x85|", "a\x85"}) {
        EXPECT_THROW(file(broken), GeneralFailure) << broken;
    }
    const Text loneLead{U'V', kEscapedByteBase + 0xE6};
    EXPECT_THROW(ResultFileBytes(platform, loneLead, U"a"), GeneralFailure);
    EXPECT_THROW(ResultFileBytes(platform, U"RETU", loneLead), GeneralFailure);
}

// Random values from an alphabet of everything cmd treats specially, plus ordinary and
// non-ASCII characters, for both kinds of caller.
TEST(BatchEscape, RandomValuesSetExactlyThemselves) {
    const std::string alphabet = "%!^&|<>()\" \t=;,@:~*?/\\.aAxPTH019";
    const std::string nameAlphabet = "%!^&|<>()\"AxPT_09.~";
    std::mt19937 random(20261208);
    const auto pick = [&](const std::string& from, std::size_t maxLength) {
        std::string out(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), ' ');
        for (char& c : out)
            c = from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
        return out;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::string name = std::string(1, "AxPT_%!^&("[round % 10]) + pick(nameAlphabet, 6);
        std::string value = pick(alphabet, 40);
        if (round % 5 == 0) value += "\xC3\xA9\xE2\x82\xAC";  // é €
        const std::string file = ResultFile(name, Typed(value));
        ExpectSetsExactly(file, name, value, false);
        ExpectSetsExactly(file, name, value, true);
        if (testing::Test::HasFailure()) break;
    }
}

}  // namespace
}  // namespace tarvik::test_doubles

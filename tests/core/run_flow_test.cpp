// The whole run flow through the fake platform: outcomes, files, messages and their order.
#include <gtest/gtest.h>

#include <map>

#include "case_name.hpp"
#include "fake_platform.hpp"
#include "fill.hpp"
#include "run_flow.hpp"
#include "worked_examples.hpp"

namespace tarvik {
namespace {

using test_doubles::FakePlatform;
using Files = std::map<std::string, std::string>;
using Events = std::vector<std::string>;
using namespace golden;

const std::string kLsTxt = "Hello boy\r\nsdfseeeWEQREEQRQWERRWQER\r\npp01\r\n";

struct RunResult {
    int status;
    Files files;
    Events events;
    std::string reason;                  // of a general failure, or why a report was incomplete
    Events loggedReasons = {};           // as the platform was given them
    std::vector<long long> sleeps = {};  // the waits for files in use, in ms
};

RunResult RunWith(const std::string& commandLine, const Files& files = {},
                  const std::function<void(FakePlatform&)>& setUp = {}) {
    FakePlatform platform;
    platform.commandLine = commandLine;
    for (const auto& [name, bytes] : files) platform.files[name] = bytes;
    if (setUp) setUp(platform);
    const Outcome outcome = Main(platform);
    return {ExitStatus(outcome),     Files(platform.files.begin(), platform.files.end()),
            platform.events,         outcome.reason,
            platform.failureReasons, platform.sleeps};
}

std::string Describe(const std::string& commandLine, const RunResult& r) {
    std::string text =
        "command line: " + commandLine + "\nexit status: " + std::to_string(r.status) + "\nfiles:";
    for (const auto& [name, bytes] : r.files) text += "\n  " + name + ": [" + bytes + "]";
    text += "\nevents:";
    for (const auto& e : r.events) text += "\n  " + e;
    return text + "\nreason: " + r.reason;
}

// Runs that end well or with a not-found report: exit status and files afterwards.
struct QuietCase {
    std::string name;
    std::string commandLine;
    Files before;
    int status;
    Files after;
};

class QuietRun : public testing::TestWithParam<QuietCase> {};

TEST_P(QuietRun, LeavesTheseFiles) {
    const QuietCase& c = GetParam();
    const RunResult r = RunWith(c.commandLine, c.before);
    EXPECT_EQ(r.status, c.status) << Describe(c.commandLine, r);
    EXPECT_EQ(r.files, c.after) << Describe(c.commandLine, r);
    for (const auto& e : r.events) {
        EXPECT_TRUE(e.rfind("message", 0) != 0 && e != "usage") << "no window expected\n"
                                                                << Describe(c.commandLine, r);
    }
}

std::vector<QuietCase> WorkedExampleCases() {
    std::vector<QuietCase> cases;
    for (const test_support::WorkedExample& e : test_support::WorkedExamples())
        cases.push_back({e.name, test_support::CommandLineOf(e), e.before, e.status, e.after});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, QuietRun, testing::ValuesIn(WorkedExampleCases()),
                         test_support::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Searching, QuietRun,
    testing::Values(
        // Not found in the file: the report names the file as typed.
        QuietCase{
            "not_found_in_file",
            R"(/f:ls.txt /c:"zzz" /s:0)",
            {{"ls.txt", kLsTxt}},
            1,
            {{"ls.txt", kLsTxt},
             {"error.txt", Report(kNotFoundInFile, {{"compare", "zzz"}, {"file", "ls.txt"}})}}},
        // A matching file line wins over /T:; without one, /T: is searched.
        QuietCase{"file_line_wins_over_target",
                  R"(/t:"xxeeeTT" /f:ls.txt /c:"eee" /e:V)",
                  {{"ls.txt", kLsTxt}},
                  0,
                  {{"ls.txt", kLsTxt}, {"Value.cmd", "SET V=WEQREEQRQWERRWQER\r\n"}}},
        QuietCase{"target_searched_without_a_file_match",
                  R"(/t:"xxzzzTT" /f:ls.txt /c:"zzz" /e:V)",
                  {{"ls.txt", kLsTxt}},
                  0,
                  {{"ls.txt", kLsTxt}, {"Value.cmd", "SET V=TT\r\n"}}},
        QuietCase{
            "not_found_in_file_or_target",
            R"(/t:"xxyyTT" /f:ls.txt /c:"zzz" /e:V)",
            {{"ls.txt", kLsTxt}},
            1,
            {{"ls.txt", kLsTxt},
             {"error.txt", Report(kNotFoundInString, {{"compare", "zzz"}, {"target", "xxyyTT"}})}}},
        // An empty target after quote removal counts as no target.
        QuietCase{
            "empty_target_counts_as_none",
            R"(/t:"" /f:ls.txt /c:"zzz" /e:V)",
            {{"ls.txt", kLsTxt}},
            1,
            {{"ls.txt", kLsTxt},
             {"error.txt", Report(kNotFoundInFile, {{"compare", "zzz"}, {"file", "ls.txt"}})}}},
        QuietCase{
            "empty_file",
            R"(/f:empty.txt /c:"a" /e:V)",
            {{"empty.txt", ""}},
            1,
            {{"empty.txt", ""},
             {"error.txt", Report(kNotFoundInFile, {{"compare", "a"}, {"file", "empty.txt"}})}}},
        // Presence tests: nothing written when found.
        QuietCase{"presence_test_in_target", R"(/t:"ABCD" /c:"bc")", {}, 0, {}},
        QuietCase{"presence_test_in_file",
                  R"(/f:ls.txt /c:"PP0")",
                  {{"ls.txt", kLsTxt}},
                  0,
                  {{"ls.txt", kLsTxt}}},
        // /M anywhere, in any case, makes the comparison exact.
        QuietCase{
            "match_case_switch_alone",
            R"(/t:"ABCD" /c:"bc" /m)",
            {},
            1,
            {{"error.txt", Report(kNotFoundInString, {{"compare", "bc"}, {"target", "ABCD"}})}}},
        QuietCase{
            "match_case_switch_after_a_quote",
            R"(/t:"ABCD" /c:"bc"/M)",
            {},
            1,
            {{"error.txt", Report(kNotFoundInString, {{"compare", "bc"}, {"target", "ABCD"}})}}},
        QuietCase{"match_case_finds_exact_case",
                  R"(/t:"aBCd" /c:"BC" /M /e:X)",
                  {},
                  0,
                  {{"Value.cmd", "SET X=d\r\n"}}},
        // Case-ignoring comparison beyond A to Z.
        QuietCase{"case_ignored_beyond_ascii",
                  R"(/t:"GRÜSSE aus KÖLN" /c:"köln" /s:-4 /l:3)",
                  {},
                  0,
                  {{"Value.cmd", "SET RETU=aus\r\n"}}},
        QuietCase{
            "compare_longer_than_target",
            R"(/t:"abc" /c:"abcd" /e:X)",
            {},
            1,
            {{"error.txt", Report(kNotFoundInString, {{"compare", "abcd"}, {"target", "abc"}})}}}),
    test_support::CaseName());

// The slice arithmetic itself is tested where it lives, in slice_test; the worked examples show
// it wired into the run. These are what the run adds: values as typed, characters, output names.
INSTANTIATE_TEST_SUITE_P(
    Values, QuietRun,
    testing::Values(
        // The run must not read the length before the slice knows it starts past the end.
        QuietCase{"start_past_the_end_length_not_read",
                  R"(/t:"ABCDEFG" /c:"cd" /s:10 /l:xyz)",
                  {},
                  0,
                  {{"Value.cmd", "SET RETU=\r\n"}}},
        // Values keep their case; quotes inside a target belong to it.
        QuietCase{"quotes_inside_the_target_kept",
                  R"(/t:"a"b"c" /c:"b" /E:myVar)",
                  {},
                  0,
                  {{"Value.cmd", "SET myVar=^\"c\r\n"}}},
        QuietCase{
            "spaces_kept", R"(/t:"  x  " /c:"x" /e:V)", {}, 0, {{"Value.cmd", "SET V=  \r\n"}}},
        // Non-ASCII characters count as one each.
        QuietCase{"non_ascii_counts_one_each",
                  R"(/t:"äöü€𝄞xyz" /c:"€" /s:0 /l:2)",
                  {},
                  0,
                  {{"Value.cmd", "SET RETU=𝄞x\r\n"}}},
        // A name with a directory is taken as given, under the tool directory.
        QuietCase{"output_in_a_subdirectory",
                  R"(/t:"ab" /c:"a" /o:sub\r.cmd)",
                  {},
                  0,
                  {{"sub\\r.cmd", "SET RETU=b\r\n"}}}),
    test_support::CaseName());

INSTANTIATE_TEST_SUITE_P(
    FileValues, QuietRun,
    testing::Values(
        // A legacy line keeps its bytes; a UTF-8 line its UTF-8; UTF-16 text is written as typed
        // text.
        QuietCase{"legacy_line_presence_test",
                  R"(/f:l.txt /c:"caf")",
                  {{"l.txt", "x\ncaf\xE9 au lait\n"}},
                  0,
                  {{"l.txt", "x\ncaf\xE9 au lait\n"}}},
        QuietCase{"utf8_line_after_byte_order_mark",
                  R"(/f:u.txt /c:"CAF" /e:V /l:2)",
                  {{"u.txt",
                    "\xEF\xBB\xBF"
                    "caf\xC3\xA9!\n"}},
                  0,
                  {{"u.txt",
                    "\xEF\xBB\xBF"
                    "caf\xC3\xA9!\n"},
                   {"Value.cmd", "SET V=\xC3\xA9!\r\nIF \"!!\"==\"\" SET V=\xC3\xA9^^^!\r\n"}}},
        QuietCase{"utf16_written_as_typed_text",
                  R"(/f:w.txt /c:"b" /e:V)",
                  {{"w.txt", std::string("\xFF\xFE"
                                         "a\0b\0\xE9\0\r\0\n\0",
                                         12)}},
                  0,
                  {{"w.txt", std::string("\xFF\xFE"
                                         "a\0b\0\xE9\0\r\0\n\0",
                                         12)},
                   {"Value.cmd", "SET V=\xC3\xA9\r\n"}}}),
    test_support::CaseName());

// The result file is written for the code page its caller reads it in: the console's, else the
// OEM one. A line goes in that code page when all of it fits, else in UTF-8, and only where every
// code page cmd may read it in keeps what cmd acts on apart; else the run fails.
TEST(Encodings, EachLineForTheCodePageItIsReadIn) {
    const std::string kNoSafeEncoding = "result line has no encoding every reader keeps apart: ";
    enum class Host { Linux, Western, Japanese };
    const struct {
        Host host;
        unsigned console;  // 0: none
        const char* commandLine;
        std::string file;  // l.txt
        int status;
        std::string written;  // Value.cmd, or error.txt for status 1
    } cases[] = {
        // Japanese Windows, no console: the OEM code page 932.
        {Host::Japanese, 0, R"(/f:l.txt /c:"ID" /s:0)", "ID\x83\x7Cmkdir pwned\r\n", 0,
         "SET RETU=\x83\x7Cmkdir pwned\r\n"},
        {Host::Japanese, 0, R"(/f:l.txt /c:"\" /s:0)",
         "a\x83\x5C"
         "b\\c\r\n",
         0, "SET RETU=c\r\n"},
        {Host::Japanese, 0, R"(/f:l.txt /c:"ポm" /s:-1 /l:2 /e:ソ)", "ID\x83\x7Cmkdir\r\n", 0,
         "SET \x83\x5C=D\x83\x7C\r\n"},
        {Host::Japanese, 0, R"(/f:l.txt /c:"ID" /s:0)", "ID\xE3\x81\x82\r\n", 0,
         "SET RETU=\x82\xA0\r\n"},
        // Not in the code page: UTF-8 where no lead byte takes an ASCII byte, else refused.
        {Host::Japanese, 0, R"(/f:l.txt /c:"ID" /s:0)", "ID\xE2\x82\xAC\r\n", 0, "SET RETU=€\r\n"},
        {Host::Japanese, 0, R"(/f:l.txt /c:"name=" /s:0)", "name=Á&mkdir PWNED\r\n", 19, ""},
        {Host::Japanese, 0, R"(/f:l.txt /c:"name=" /s:0)", "name=ß^&x\r\n", 19, ""},
        {Host::Japanese, 0, R"(/t:"xΩ" /c:"x" /s:0 /e:ポ)", "", 19, ""},
        {Host::Japanese, 0, R"(/f:l.txt /c:"ID" /s:0)", "ID\x85|\r\n", 19, ""},
        {Host::Japanese, 0, R"(/f:l.txt /c:"ID" /s:0)", "IDx\x85\r\n", 19, ""},
        // A lone lead byte before a non-ASCII byte takes nothing cmd acts on.
        {Host::Japanese, 0, R"(/f:l.txt /c:"ID" /s:0)", "ID\x83\x83\x7C\r\n", 0,
         "SET RETU=\x83\xE3\x83\x9D\r\n"},
        // The error file is for editors: the ANSI code page where it fits.
        {Host::Japanese, 0, R"(/t:"ポ" /c:"Ω")", "", 1,
         Report(kNotFoundInString, {{"compare", "Ω"}, {"target", "\x83\x7C"}})},
        // The console switched to UTF-8, or to a single-byte code page: cmd may still read in the
        // OEM code page (see cmd_reading_test for more).
        {Host::Japanese, 65001, R"(/t:"xΩ" /c:"x" /s:0 /e:ポ)", "", 19, ""},
        {Host::Japanese, 65001, R"(/t:"xΩ" /c:"x" /s:0)", "", 0, "SET RETU=Ω\r\n"},
        {Host::Japanese, 437, R"(/t:"Café" /c:"Caf" /s:-3)", "", 0, "SET RETU=Caf\xC3\xA9\r\n"},
        {Host::Japanese, 437, R"(/f:l.txt /c:"ID" /s:0)", "ID\x83\x7C&\r\n", 19, ""},
        // Western Windows: ANSI like Latin-1, console 437.
        {Host::Western, 0, R"(/t:"Café au lait" /c:"Caf" /s:-3)", "", 0,
         "SET RETU=Caf\x82 au lait\r\n"},
        {Host::Western, 0, R"(/f:l.txt /c:"M" /s:-1)", "M\xC3\xBCller=1\r\n", 0,
         "SET RETU=M\x81ller=1\r\n"},
        {Host::Western, 0, R"(/f:l.txt /c:"M" /s:-1)", "M\xFCller=1\r\n", 0,
         "SET RETU=M\x81ller=1\r\n"},
        {Host::Western, 0, R"(/f:l.txt /c:"a" /s:0)",
         std::string("\xFF\xFE"
                     "a\0\xA9\x03\r\0\n\0",
                     10),
         0, "SET RETU=\xEA\r\n"},
        {Host::Western, 0, R"(/t:"x€" /c:"x" /s:0)", "", 0, "SET RETU=€\r\n"},
        // Linux: UTF-8 throughout.
        {Host::Linux, 0, R"(/t:"xΩ" /c:"x" /s:0 /e:Käse)", "", 0, "SET Käse=Ω\r\n"},
        {Host::Linux, 0, R"(/f:l.txt /c:"caf" /s:-3)", "caf\xE9\r\n", 0, "SET RETU=café\r\n"},
    };
    for (const auto& c : cases) {
        const RunResult r =
            RunWith(c.commandLine, {{"l.txt", c.file}}, [&c](FakePlatform& platform) {
                if (c.host == Host::Japanese) test_doubles::SetUpJapaneseWindows(platform);
                if (c.host == Host::Western) {
                    platform.ansi = Latin1CodePage();
                    platform.oemCodePage = 437;
                    platform.ansiCodePage = 1252;
                    platform.codePages = {{437, test_doubles::Oem437Sample()},
                                          {1252, Latin1CodePage()}};
                }
                platform.consoleCodePage = c.console;
            });
        EXPECT_EQ(r.status, c.status) << Describe(c.commandLine, r);
        EXPECT_EQ(r.reason.substr(0, kNoSafeEncoding.size()), c.status == 19 ? kNoSafeEncoding : "")
            << Describe(c.commandLine, r);
        const auto written = r.files.find(c.status == 1 ? "error.txt" : "Value.cmd");
        EXPECT_EQ(written == r.files.end() ? "" : written->second, c.written)
            << Describe(c.commandLine, r);
    }
}

// Failure reports: error file, then message box, then usage window, in that order.
struct FailureCase {
    const char* name;
    const char* commandLine;
    int kind;
    std::string message;  // lines joined with CR LF
    Files before = {};
    const char* reason = "";  // of a general failure
};

// The general failure: its one fixed message, and the reason kept for the developer.
FailureCase General(const char* name, const char* commandLine, const char* reason,
                    Files before = {}) {
    return {name, commandLine, 9, std::string(kGeneralFailure), std::move(before), reason};
}

class FailureRun : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureRun, ReportsKindMessageThenUsage) {
    const FailureCase& c = GetParam();
    const RunResult r = RunWith(c.commandLine, c.before);
    EXPECT_EQ(r.status, 10 + c.kind) << Describe(c.commandLine, r);
    ASSERT_TRUE(r.files.count("error.txt")) << Describe(c.commandLine, r);
    EXPECT_EQ(r.files.at("error.txt"), c.message + "\r\n") << Describe(c.commandLine, r);
    EXPECT_EQ(r.files.size(), c.before.size() + 1) << "nothing else written\n"
                                                   << Describe(c.commandLine, r);
    const Events tail(r.events.end() - std::min<std::ptrdiff_t>(3, std::ssize(r.events)),
                      r.events.end());
    EXPECT_EQ(tail, (Events{"write error.txt", "message " + c.message, "usage"}))
        << Describe(c.commandLine, r);
    // The user sees the fixed message; the developer gets the reason.
    EXPECT_EQ(r.reason, c.reason) << Describe(c.commandLine, r);
    EXPECT_EQ(r.loggedReasons, *c.reason ? Events{c.reason} : Events{})
        << Describe(c.commandLine, r);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FailureRun,
    testing::Values(
        FailureCase{"kind_1_file_missing", R"(/f:nope.txt /c:"a")", 1,
                    Fill(kFileNotFound, {{"file", "nope.txt"}, {"dir", "C:\\Tools"}})},
        FailureCase{"kind_2_no_compare_string", R"(/t:"abc")", 2, Fill(kCommandError)},
        FailureCase{"kind_2_no_target", R"(/c:"abc")", 2, Fill(kCommandError)},
        FailureCase{"kind_2_empty_compare_string", R"(/t:"abc" /c:"")", 2, Fill(kCommandError)},
        FailureCase{"kind_2_no_search_switch", R"(/e:x)", 2, Fill(kCommandError)},
        FailureCase{"kind_3_start_not_numeric", R"(/t:"abc" /c:"b" /s:abc)", 3,
                    Fill(kStartNotNumeric, {{"start", "abc"}})},
        FailureCase{"kind_3_start_with_inner_space", R"(/t:"abc" /c:"b" /s: 1 2 )", 3,
                    Fill(kStartNotNumeric, {{"start", "1 2"}})},
        FailureCase{"kind_5_length_not_numeric", R"(/t:"abc" /c:"a" /l:x)", 5,
                    Fill(kLengthNotNumeric, {{"length", "x"}})},
        FailureCase{"kind_6_negative_length", R"(/t:"abc" /c:"a" /l:-1)", 6,
                    Fill(kLengthOutOfRange, {{"length", "-1"}})},
        FailureCase{"kind_6_length_beyond_the_rest", R"(/t:"abc" /c:"a" /l:3)", 6,
                    Fill(kLengthOutOfRange, {{"length", "3"}})},
        FailureCase{"kind_7_compare_without_quotes", R"(/t:"abc" /c:b)", 7,
                    Fill(kCompareNotQuoted)},
        FailureCase{"kind_7_compare_without_closing_quote", R"(/t:"abc" /c:"b)", 7,
                    Fill(kCompareNotQuoted)},
        FailureCase{"kind_8_target_without_quotes", R"(/t:abc /c:"b")", 8, Fill(kTargetNotQuoted)},
        FailureCase{"kind_8_neither_quoted", R"(/t:abc /c:b)", 8, Fill(kTargetNotQuoted)},
        FailureCase{"kind_8_target_without_closing_quote", R"(/t:"abc /c:"b")", 8,
                    Fill(kTargetNotQuoted)},
        // General failures: overflows, a lone quote, an unreadable or malformed file.
        General("kind_9_lone_quote_as_target", R"(/t:" /c:"b")", "quoted value of one character"),
        General("kind_9_start_overflows", R"(/t:"abc" /c:"b" /s:40000)", "16-bit overflow"),
        General("kind_9_start_beyond_32767", R"(/t:"abc" /c:"b" /s:32767)", "16-bit overflow"),
        General("kind_9_length_overflows", R"(/t:"abc" /c:"b" /l:70000)", "16-bit overflow"),
        // Sized: the bytes hold NULs.
        General("kind_9_invalid_utf16_file", R"(/f:w.txt /c:"b" /e:v)", "unpaired UTF-16 surrogate",
                {{"w.txt", std::string("\xFF\xFE"
                                       "b\0\x00\xDC",
                                       6)}})),
    test_support::CaseName());

TEST(FailureRun, PositionsBeyond32767Overflow) {
    const std::string line = std::string(32766, 'x') + "b";
    const RunResult atLimit = RunWith(R"(/f:f.txt /c:"b" /s:-1 /e:v)", {{"f.txt", line}});
    EXPECT_EQ(atLimit.status, 0) << Describe("match at 32767", atLimit);
    const RunResult startBeyond = RunWith(R"(/f:f.txt /c:"b" /e:v)", {{"f.txt", line}});
    EXPECT_EQ(startBeyond.status, 19) << Describe("start at 32768", startBeyond);
    EXPECT_EQ(startBeyond.reason, "16-bit overflow");
    const RunResult matchBeyond = RunWith(R"(/f:f.txt /c:"b" /s:-1 /e:v)", {{"f.txt", "x" + line}});
    EXPECT_EQ(matchBeyond.status, 19) << Describe("match at 32768", matchBeyond);
    EXPECT_EQ(matchBeyond.reason, "16-bit overflow");
    // The rest of a long line is cut by position alone; a length needs 16-bit arithmetic on it.
    // (The rest is kept short enough for one batch line.)
    const std::string longLine = "ab" + std::string(40000, 'x');
    const RunResult rest = RunWith(R"(/f:f.txt /c:"b" /s:32700 /e:v)", {{"f.txt", longLine}});
    EXPECT_EQ(rest.status, 0) << Describe("rest of a long line", rest);
    const RunResult withLength =
        RunWith(R"(/f:f.txt /c:"b" /s:-1 /l:1 /e:v)", {{"f.txt", longLine}});
    EXPECT_EQ(withLength.status, 19) << Describe("remaining beyond 32767", withLength);
    EXPECT_EQ(withLength.reason, "16-bit overflow");
}

// A presence test needs only the match: a long line is not read on, although its reading is not
// known yet (`é` reads as `Ã©` in the code page), while a result line needs its characters.
TEST(PresenceTest, ReadsALongLineOnlyAsFarAsTheMatch) {
    const Files file = {{"f.txt", "\xC3\xA9 needle" + std::string(1 << 20, 'x')}};
    const auto failLate = [](FakePlatform& p) { p.failReadAfter = 1 << 19; };
    EXPECT_EQ(RunWith(R"(/f:f.txt /c:"needle")", file, failLate).status, 0);
    EXPECT_EQ(RunWith(R"(/f:f.txt /c:"needle" /e:v)", file, failLate).reason,
              "injected read fault");
}

TEST(FailureRun, FailureMessagesQuoteValuesAfterQuoteRemoval) {
    const RunResult r = RunWith(R"(/f:"my file.txt" /c:"a")");
    EXPECT_EQ(r.files.at("error.txt"),
              Report(kFileNotFound, {{"file", "\"my file.txt\""}, {"dir", "C:\\Tools"}}));
}

TEST(UsageOnly, EmptyOrQuestionMarkShowsUsageAndClearsOldOutput) {
    const Files stale = {{"ERROR.TXT", "old"}, {"VALUE.CMD", "old"}, {"aa.cmd", "kept"}};
    for (const char* commandLine : {"", "   ", "?", R"(/t:"a?b" /c:"a")", "/?"}) {
        const RunResult r = RunWith(commandLine, stale);
        EXPECT_EQ(r.status, 0) << Describe(commandLine, r);
        EXPECT_EQ(r.files, (Files{{"aa.cmd", "kept"}})) << Describe(commandLine, r);
        EXPECT_EQ(r.events, (Events{"remove ERROR.txt", "remove Value.cmd", "usage"}))
            << Describe(commandLine, r);
    }
}

TEST(StaleFiles, ClearedBeforeEveryRunWhateverOutputIsNamed) {
    const RunResult r =
        RunWith(R"(/t:"ab" /c:"a" /o:other.cmd)", {{"error.txt", "old"}, {"value.cmd", "old"}});
    EXPECT_EQ(r.files, (Files{{"other.cmd", "SET RETU=b\r\n"}})) << Describe("/o:other.cmd", r);
    const RunResult failed = RunWith(R"(/t:abc)", {{"Value.cmd", "old"}});
    EXPECT_EQ(failed.files.count("Value.cmd"), 0u);
}

TEST(Faults, UnwritableResultIsAGeneralFailure) {
    const RunResult r = RunWith(R"(/t:"ab" /c:"a")"
                                " /e:x",
                                {}, [](FakePlatform& p) { p.failWrite = {"Value.cmd"}; });
    EXPECT_EQ(r.status, 19) << Describe("write fault", r);
    EXPECT_EQ(r.files, (Files{{"error.txt", std::string(kGeneralFailure) + "\r\n"}}));
}

TEST(Faults, ReportThatCannotBeWrittenStillShowsTheMessage) {
    const RunResult r =
        RunWith(R"(/t:abc)", {}, [](FakePlatform& p) { p.failWrite = {"error.txt"}; });
    EXPECT_EQ(r.status, 28) << Describe("error.txt fault", r);
    EXPECT_EQ(r.events, (Events{"message " + Fill(kTargetNotQuoted), "usage"}));
}

TEST(Faults, NotFoundReportThatCannotBeWrittenBecomesAGeneralFailure) {
    const RunResult r =
        RunWith(R"(/t:"ab" /c:"x")", {}, [](FakePlatform& p) { p.failWrite = {"error.txt"}; });
    EXPECT_EQ(r.status, 29) << Describe("error.txt fault", r);
    EXPECT_EQ(r.events, (Events{"message " + std::string(kGeneralFailure), "usage"}));
}

TEST(Faults, FailuresBeforeAndDuringTheSearchAreGeneralFailures) {
    const struct {
        const char* what;
        std::function<void(FakePlatform&)> setUp;
    } cases[] = {
        {"clean-up fails", [](FakePlatform& p) { p.failRemove = {"ERROR.txt"}; }},
        {"open fails", [](FakePlatform& p) { p.failOpen = {"ls.txt"}; }},
        {"read fails midway", [](FakePlatform& p) { p.failReadAfter = 12; }},
    };
    for (const auto& c : cases) {
        const RunResult r =
            RunWith(R"(/f:ls.txt /c:"pp" /e:v)", {{"ls.txt", kLsTxt}, {"ERROR.txt", ""}}, c.setUp);
        EXPECT_EQ(r.status, 19) << c.what << "\n" << Describe("", r);
        EXPECT_EQ(r.files.count("Value.cmd"), 0u) << c.what;
        // Only a file in use is tried again.
        EXPECT_TRUE(r.sleeps.empty()) << c.what;
    }
}

TEST(Faults, UsageWindowFailureEndsTheRunAfterTheMessage) {
    const RunResult r = RunWith("", {}, [](FakePlatform& p) { p.failUsage = true; });
    EXPECT_EQ(r.status, 29) << Describe("usage fault", r);
    EXPECT_EQ(r.files.at("error.txt"), std::string(kGeneralFailure) + "\r\n");
}

// Where nobody can see a window, each run ends by itself with its files and its status. A file
// another program holds is tried again after 1, 2, 4 ... ms, at most 250 ms apart, until 2 s in all
// have passed in the whole run; then the general failure.
TEST(Unattended, EndsByItselfAndRidesOutFilesInUse) {
    const std::string general = std::string(kGeneralFailure) + "\r\n";
    const struct {
        const char* commandLine;
        std::map<std::string, int> inUse;
        bool visible;
        int status;
        std::vector<long long> sleeps;
        std::string errorFile = "";  // "": none
    } cases[] = {
        {"?", {}, false, 0, {}},
        {R"(/t:ABCD /c:"B")", {}, false, 18, {}, Report(kTargetNotQuoted)},
        {R"(/t:"ABCD" /c:"B" /s:40000)", {}, false, 19, {}, general},
        {R"(/t:"ABCD" /c:"B" /s:0)", {{"remove Value.cmd", 3}}, true, 0, {1, 2, 4}},
        {R"(/f:ls.txt /c:"pp" /s:0)",
         {{"exists ls.txt", 1}, {"open ls.txt", 2}},
         true,
         0,
         {1, 2, 4}},
        {R"(/t:"ABCD" /c:"B" /s:0 /o:o.cmd)",
         {{"write o.cmd", 9}},
         false,
         0,
         {1, 2, 4, 8, 16, 32, 64, 128, 250}},
        {R"(/t:"ABCD" /c:"X")",
         {{"remove ERROR.txt", 1}, {"write error.txt", 1}},
         true,
         1,
         {1, 2},
         Report(kNotFoundInString, {{"compare", "X"}, {"target", "ABCD"}})},
        {R"(/t:"ABCD" /c:"B" /s:0)",
         {{"remove ERROR.txt", 5}, {"write Value.cmd", 99}},
         false,
         19,
         {1, 2, 4, 8, 16, 32, 64, 128, 250, 250, 250, 250, 250, 250, 245},
         general},
    };
    for (const auto& c : cases) {
        const RunResult r = RunWith(c.commandLine, {{"ls.txt", kLsTxt}}, [&](FakePlatform& p) {
            p.inUse = c.inUse;
            p.windowsVisible = c.visible;
        });
        EXPECT_EQ(r.status, c.status) << Describe(c.commandLine, r);
        EXPECT_EQ(r.sleeps, c.sleeps) << Describe(c.commandLine, r);
        const auto error = r.files.find("error.txt");
        EXPECT_EQ(error == r.files.end() ? "" : error->second, c.errorFile)
            << Describe(c.commandLine, r);
        const bool shown = std::any_of(r.events.begin(), r.events.end(), [](const auto& e) {
            return e == "usage" || e.starts_with("message");
        });
        EXPECT_EQ(shown, c.visible && c.status >= 10) << Describe(c.commandLine, r);
        const bool gaveUp =
            r.reason.find("in use; still in use after 2000 ms") != std::string::npos;
        EXPECT_EQ(gaveUp, c.status == 19 && !c.sleeps.empty()) << Describe(c.commandLine, r);
    }
}

}  // namespace
}  // namespace tarvik

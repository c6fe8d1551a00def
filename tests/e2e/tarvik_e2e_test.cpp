// The native tarvik end to end: exit status, files left in its directory, terminal output.
#include <gtest/gtest.h>

#include <cstdlib>

#include "case_name.hpp"
#include "fill.hpp"
#include "posix/tool_sandbox.hpp"
#include "worked_examples.hpp"

namespace tarvik::e2e {
namespace {

using test_support::Files;
using test_support::ToolRun;
using test_support::ToolSandbox;

const std::string kLsTxt = "Hello boy\r\nsdfseeeWEQREEQRQWERRWQER\r\npp01\r\n";
// A window's text as the terminal shows it: LF line ends, and one after the last line.
std::string OnTerminal(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) != "\r\n") out += text[i];
    }
    return out + '\n';
}

// The usage window: the title, then the golden texts.
std::string UsageOutput() {
    return TARVIK_VERSION_TITLE "\n" + OnTerminal(golden::kUsageLabel) +
           OnTerminal(golden::kUsageHelp);
}

struct Case {
    std::string name;
    std::vector<std::string> arguments;
    Files before;
    int status;
    Files after;             // every file afterwards, fixtures included
    std::string stderrText;  // exactly: the message box
    bool usage;              // whether the usage text is printed
};

class TarvikRun : public testing::TestWithParam<Case> {};

TEST_P(TarvikRun, EndsAsExpected) {
    const Case& c = GetParam();
    ToolSandbox sandbox;
    for (const auto& [name, bytes] : c.before) sandbox.Write(name, bytes);
    const ToolRun r = sandbox.Run(c.arguments);
    EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.Describe();
    EXPECT_EQ(r.files, c.after) << c.name << "\n" << r.Describe();
    EXPECT_EQ(r.err, c.stderrText) << c.name << "\n" << r.Describe();
    EXPECT_EQ(r.out, c.usage ? UsageOutput() : "") << c.name << "\n" << r.Describe();
}

std::vector<Case> WorkedExampleCases() {
    std::vector<Case> cases;
    for (const test_support::WorkedExample& e : test_support::WorkedExamples())
        cases.push_back({e.name, e.arguments, e.before, e.status, e.after, "", false});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, TarvikRun, testing::ValuesIn(WorkedExampleCases()),
                         test_support::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Reports, TarvikRun,
    testing::Values(
        Case{"usage_only", {}, {{"ERROR.txt", "old"}, {"Value.cmd", "old"}}, 0, {}, "", true},
        Case{"usage_for_a_question_mark", {"/t:\"a\"", "?"}, {}, 0, {}, "", true},
        Case{"target_without_quotes",
             {"/t:ABCD", R"(/c:"B")"},
             {},
             18,
             {{"error.txt", golden::Report(golden::kTargetNotQuoted)}},
             OnTerminal(golden::kTargetNotQuoted),
             true},
        Case{"overflow",
             {R"(/t:"ABCD")", R"(/c:"B")", "/s:99999"},
             {},
             19,
             {{"error.txt", golden::Report(golden::kGeneralFailure)}},
             OnTerminal(golden::kGeneralFailure),
             true},
        Case{"not_found_in_file",
             {"/f:ls.txt", R"(/c:"zz")"},
             {{"ls.txt", kLsTxt}},
             1,
             {{"ls.txt", kLsTxt},
              {"error.txt",
               golden::Report(golden::kNotFoundInFile, {{"compare", "zz"}, {"file", "ls.txt"}})}},
             "",
             false},
        Case{"presence_test",
             {"/f:ls.txt", R"(/c:"PP")"},
             {{"ls.txt", kLsTxt}},
             0,
             {{"ls.txt", kLsTxt}},
             "",
             false}),
    test_support::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Text, TarvikRun,
    testing::Values(Case{"utf_8_arguments",
                         {R"(/t:"Grüße aus Köln")", R"(/c:"KÖLN")", "/s:-4", "/l:3", "/e:Gruß"},
                         {},
                         0,
                         {{"Value.cmd", "SET Gruß=aus\r\n"}},
                         "",
                         false},
                    Case{"legacy_line_written_in_utf_8",
                         {"/f:l.txt", R"(/c:"caf")", "/e:v"},
                         {{"l.txt", "caf\xE9.\n"}},
                         0,
                         {{"l.txt", "caf\xE9.\n"}, {"Value.cmd", "SET v=\xC3\xA9.\r\n"}},
                         "",
                         false},
                    Case{"utf_16_written_as_utf_8",
                         {"/f:w.txt", R"(/c:"b")", "/e:v"},
                         {{"w.txt", std::string("\xFF\xFE"
                                                "b\0\xE9\0\n\0",
                                                8)}},
                         0,
                         {{"w.txt", std::string("\xFF\xFE"
                                                "b\0\xE9\0\n\0",
                                                8)},
                          {"Value.cmd", "SET v=\xC3\xA9\r\n"}},
                         "",
                         false},
                    Case{"unix_line_ends",
                         {"/f:u.txt", R"(/c:"two")", "/e:v"},
                         {{"u.txt", "one\ntwo.\nthree\n"}},
                         0,
                         {{"u.txt", "one\ntwo.\nthree\n"}, {"Value.cmd", "SET v=.\r\n"}},
                         "",
                         false}),
    test_support::CaseName());

// Without TARVIK_DEBUG the overflow case above prints the message alone.
TEST(TarvikRun, PrintsTheReasonOfAGeneralFailureWhenAsked) {
    ToolSandbox sandbox;
    ::setenv("TARVIK_DEBUG", "1", 1);
    const ToolRun r = sandbox.Run({R"(/t:"ABCD")", R"(/c:"B")", "/s:99999"});
    ::unsetenv("TARVIK_DEBUG");
    EXPECT_EQ(r.err, "tarvik: 16-bit overflow\n" + std::string(golden::kGeneralFailure) + "\n")
        << r.Describe();
}

TEST(TarvikFiles, ClearsEverySpellingOfTheOldOutput) {
    ToolSandbox sandbox;
    for (const char* name : {"ERROR.txt", "error.txt", "Error.TXT", "Value.cmd", "value.cmd",
                             "VALUE.CMD", "keep.cmd"}) {
        sandbox.Write(name, "old");
    }
    const ToolRun r = sandbox.Run({});
    EXPECT_EQ(r.files, (Files{{"keep.cmd", "old"}})) << r.Describe();
}

TEST(TarvikFiles, UsesItsOwnDirectoryNotTheWorkingDirectory) {
    ToolSandbox tool, elsewhere;
    tool.Write("ls.txt", "in the tool directory\n");
    elsewhere.Write("ls.txt", "in the working directory\n");
    const ToolRun r =
        tool.Run({"/f:ls.txt", R"(/c:"the")", "/e:v"}, {.workingDirectory = elsewhere.directory()});
    EXPECT_EQ(r.files.at("Value.cmd"), "SET v= tool directory\r\n") << r.Describe();
}

TEST(TarvikFiles, MissingFileMessageNamesTheToolDirectory) {
    ToolSandbox sandbox;
    sandbox.MakeDirectory("sub");
    for (const char* name : {"nope.txt", "sub"}) {
        const ToolRun r = sandbox.Run({std::string("/f:") + name, R"(/c:"B")"});
        EXPECT_EQ(r.status, 11) << r.Describe();
        EXPECT_EQ(
            r.files.at("error.txt"),
            golden::Report(golden::kFileNotFound, {{"file", name}, {"dir", sandbox.directory()}}))
            << r.Describe();
    }
}

TEST(TarvikFiles, LeavesNoTemporaryFiles) {
    ToolSandbox sandbox;
    sandbox.Write("Value.cmd", "SET old=1\r\n");
    const ToolRun r = sandbox.Run({R"(/t:"abc")", R"(/c:"b")", "/e:v"});
    EXPECT_EQ(r.files, (Files{{"Value.cmd", "SET v=c\r\n"}})) << r.Describe();
}

}  // namespace
}  // namespace tarvik::e2e

// The three worked examples of the usage text, which every level of test runs as they are
// written there: the switches as a batch script passes them, the files beside the tool before,
// and the exit status and every file beside it afterwards.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fill.hpp"

namespace test_support {

struct WorkedExample {
    std::string name;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> before;  // name beside the tool -> bytes
    int status;
    std::map<std::string, std::string> after;  // fixtures included
};

// A function, not a variable: case lists built at static initialisation read it.
inline std::vector<WorkedExample> WorkedExamples() {
    const std::pair<const std::string, std::string> lsTxt{
        "ls.txt", "Hello boy\r\nsdfseeeWEQREEQRQWERRWQER\r\npp01\r\n"};
    return {
        {"example_1_not_found_in_string",
         {R"(/t:"ABCD")", R"(/c:"BB")"},
         {},
         1,
         {{"error.txt",
           golden::Report(golden::kNotFoundInString, {{"compare", "BB"}, {"target", "ABCD"}})}}},
        {"example_2_slice_before_the_match",
         {R"(/t:"ABCDEFGHIJK1234")", R"(/c:"gh")", "/s:-4", "/L:3", "/e:mystr", "/o:aa.cmd"},
         {},
         0,
         {{"aa.cmd", "SET mystr=CDE\r\n"}}},
        {"example_3_line_of_a_file",
         {"/f:ls.txt", R"(/c:"eee")", "/s:0"},
         {lsTxt},
         0,
         {lsTxt, {"Value.cmd", "SET RETU=WEQREEQRQWERRWQER\r\n"}}},
    };
}

// The arguments as one command line, the way cmd hands them over.
inline std::string CommandLineOf(const WorkedExample& example) {
    std::string line;
    for (const std::string& argument : example.arguments) {
        if (!line.empty()) line += ' ';
        line += argument;
    }
    return line;
}

}  // namespace test_support

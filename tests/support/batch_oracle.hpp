// A small model of how cmd runs one line of a batch file, written from its documented parse
// phases and independent of the escaping code: it tells what a result command file would do.
//
// Modelled: phase 1 (%% and %VAR%, batch arguments), phase 2 (carets, quotes, the command
// separators, pipes and redirections, parentheses, a caret ending the line), phase 5 (!VAR! and
// its caret rule, when delayed expansion is on and the token holds "!"), and the commands SET
// and IF [NOT] a==b. Anything else a line would do is reported as a hazard.
#pragma once

#include <bitset>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::test_doubles {

// Variable names compare without regard to ASCII case, as in cmd.
struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
using BatchEnvironment = std::map<std::string, std::string, NoCaseLess>;

// The same variables with the same values; the letter case a name was last created in does not
// matter to cmd.
bool SameVariables(const BatchEnvironment& a, const BatchEnvironment& b);

// Runs each CR LF-terminated line of `file` in turn. Returns the hazards met: every expansion,
// live special character, continued line, unknown command or SET that sets nothing.
std::vector<std::string> RunBatchFile(std::string_view file, BatchEnvironment& environment,
                                      bool delayedExpansion);

// Runs a result command file as its caller does. For callers with delayed expansion, a first line
// that another line follows may expand variables into the value it sets, since the next line sets
// the exact value afterwards; every other hazard counts.
std::vector<std::string> RunResultFile(std::string_view file, BatchEnvironment& environment,
                                       bool delayedExpansion);

// The same read in a double-byte code page: each of `leadBytes` takes the byte after it, whatever
// that is, into one character.
std::vector<std::string> RunResultFile(std::string_view file, BatchEnvironment& environment,
                                       bool delayedExpansion, const std::bitset<256>& leadBytes);

}  // namespace tarvik::test_doubles

// Runs the worked examples of the usage window with the native tool and shows each run: the
// command line, the exit status and the files it wrote (CR LF shown as line ends). Ends with
// status 1 when a run differs from what the tests expect of it.
#include <iostream>

#include "posix/tool_sandbox.hpp"
#include "worked_examples.hpp"

namespace {

void Show(const std::string& name, const std::string& bytes) {
    std::cout << "-- " << name << ":\n";
    for (const char c : bytes) {
        if (c != '\r') std::cout << c;
    }
}

bool RunAndShow(const test_support::WorkedExample& example) {
    const test_support::ToolSandbox sandbox;
    for (const auto& [name, bytes] : example.before) sandbox.Write(name, bytes);
    const test_support::ToolRun run = sandbox.Run(example.arguments);
    std::cout << "== tarvik " << test_support::CommandLineOf(example)
              << "\nexit status: " << run.status << '\n';
    for (const auto& [name, bytes] : run.files) {
        if (!example.before.contains(name)) Show(name, bytes);
    }
    const bool expected = run.status == example.status && run.files == example.after;
    std::cout << (expected ? "(as expected)" : "NOT AS EXPECTED\n" + run.Describe()) << "\n\n";
    return expected;
}

}  // namespace

int main() {
    bool allExpected = true;
    for (const test_support::WorkedExample& example : test_support::WorkedExamples()) {
        allExpected = RunAndShow(example) && allExpected;
    }
    return allExpected ? 0 : 1;
}

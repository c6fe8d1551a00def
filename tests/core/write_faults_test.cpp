// Runs whose result cannot be written, through the fake platform: a refused value and failing
// writes end in the general failure, leave no result file and keep older output. Which values are
// refused, and why, batch_escape_test says.
#include <gtest/gtest.h>

#include "fake_platform.hpp"
#include "golden_texts.hpp"
#include "run_flow.hpp"

namespace tarvik::test_doubles {
namespace {

using golden::kGeneralFailure;

struct FaultCase {
    const char* what;
    std::string commandLine;
    std::string fileBytes;  // f.txt
    std::vector<std::string> failWrite;
    int status;
    std::string reason;
};

TEST(WriteFaults, EndInTheGeneralFailureAndKeepOlderOutput) {
    const std::string carry = "value holds a character no batch line can carry";
    const std::string injected = "injected write fault";
    const FaultCase cases[] = {
        {"NUL in the value",
         R"(/f:f.txt /c:"a" /o:out.cmd)",
         std::string("a\0b\n", 4),
         {},
         19,
         carry},
        {"result not writable", R"(/t:"ab" /c:"a" /o:out.cmd)", "", {"out.cmd"}, 19, injected},
        {"neither result nor report writable",
         R"(/t:"ab" /c:"a" /o:out.cmd)",
         "",
         {"out.cmd", "error.txt"},
         29,
         injected + "; error file: " + injected},
        {"refused and report not writable",
         R"(/f:f.txt /c:"a" /o:out.cmd)",
         std::string("a\0", 2),
         {"error.txt"},
         29,
         carry + "; error file: " + injected},
    };
    for (const FaultCase& c : cases) {
        FakePlatform platform;
        platform.commandLine = c.commandLine;
        platform.files["f.txt"] = c.fileBytes;
        platform.files["out.cmd"] = "SET RETU=old\r\n";
        platform.failWrite = c.failWrite;
        const Outcome outcome = Main(platform);
        EXPECT_EQ(ExitStatus(outcome), c.status) << c.what;
        EXPECT_EQ(outcome.reason, c.reason) << c.what;
        EXPECT_EQ(platform.files.at("out.cmd"), "SET RETU=old\r\n") << c.what;
        const bool reportWritten = c.status == 19;
        EXPECT_EQ(platform.files.count("error.txt"), reportWritten ? 1u : 0u) << c.what;
        if (reportWritten) {
            EXPECT_EQ(platform.files.at("error.txt"), std::string(kGeneralFailure) + "\r\n")
                << c.what;
        }
        // Even when no file could be written, the user is told.
        EXPECT_EQ(platform.events.back(), "usage") << c.what;
        EXPECT_EQ(platform.events.end()[-2], "message " + std::string(kGeneralFailure)) << c.what;
    }
}

}  // namespace
}  // namespace tarvik::test_doubles

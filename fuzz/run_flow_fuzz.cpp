// The whole run over the fake platform: the input is a command line, a NUL byte and the bytes of
// f.txt. A command line that starts with byte 0E runs on Windows whose ANSI and OEM code page is
// the double-byte sample, and its result file is read in that code page. Every run ends in a
// defined outcome, and any result command file it writes sets its variable and does nothing else,
// for callers with and without delayed expansion.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "batch_oracle.hpp"
#include "fake_platform.hpp"
#include "fuzz_check.hpp"
#include "run_flow.hpp"

namespace {

void CheckResultFile(const std::string& file, const std::bitset<256>& leadBytes) {
    for (const bool delayed : {false, true}) {
        tarvik::test_doubles::BatchEnvironment environment{{"PATH", "C:\\Windows"}};
        const std::vector<std::string> hazards =
            tarvik::test_doubles::RunResultFile(file, environment, delayed, leadBytes);
        FUZZ_CHECK(hazards.empty());
        FUZZ_CHECK(environment.size() <= 2);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    tarvik::test_doubles::FakePlatform platform;
    platform.commandLine = std::string(input.substr(0, split));
    if (split != std::string_view::npos)
        platform.files["f.txt"] = std::string(input.substr(split + 1));
    platform.readChunk = 7;  // buffer edges inside lines
    std::bitset<256> leadBytes;
    if (!input.empty() && input.front() == '\x0E') {
        tarvik::test_doubles::SetUpJapaneseWindows(platform);
        leadBytes = tarvik::test_doubles::LeadBytesOf(*platform.ansi);
    }

    const tarvik::Outcome outcome = tarvik::Main(platform);
    const int status = tarvik::ExitStatus(outcome);
    FUZZ_CHECK(status == 0 || status == 1 || (status >= 11 && status <= 18) || status == 19);
    for (const auto& [name, bytes] : platform.files) {
        if (name == "f.txt" || name == "error.txt") continue;
        FUZZ_CHECK(outcome.ending == tarvik::Ending::ResultWritten);
        CheckResultFile(bytes, leadBytes);
    }
    if (status >= 11) FUZZ_CHECK(platform.events.back() == "usage");
    return 0;
}

// ReadSwitchValue on any command line: it returns a value or throws GeneralFailure, nothing else,
// and what it returns has no slash and no space at either end.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.hpp"
#include "general_failure.hpp"
#include "switch_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static constexpr const char32_t* kKeys[] = {U"/T:", U"/F:", U"/C:", U"/S:",
                                                U"/L:", U"/O:", U"/E:"};
    const char32_t* key = kKeys[data[0] % 7];
    const tarvik::Text commandLine = tarvik::DecodeUtf8Lossless(
        std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    try {
        const tarvik::Text value = tarvik::ReadSwitchValue(commandLine, key);
        FUZZ_CHECK(value.find(U'/') == tarvik::Text::npos);
        FUZZ_CHECK(value.empty() || (value.front() != U' ' && value.back() != U' '));
        // Every value is a piece of the command line.
        FUZZ_CHECK(commandLine.find(value) != tarvik::Text::npos);
    } catch (const tarvik::GeneralFailure&) {
        // Positions beyond 32767 overflow; only a line that long can reach them.
        FUZZ_CHECK(commandLine.size() > 32764);
    }
    return 0;
}

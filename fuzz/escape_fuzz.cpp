// The escaping round trip: any name and value either are refused for a reason the caller can
// see, or the written lines set exactly that variable to exactly that value and do nothing else,
// whatever the caller's delayed expansion. Input: one byte of flags, the name length, the name,
// the value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "batch_escape.hpp"
#include "batch_oracle.hpp"
#include "fake_platform.hpp"
#include "fuzz_check.hpp"
#include "general_failure.hpp"
#include "output_files.hpp"

namespace {

using tarvik::test_doubles::BatchEnvironment;

bool HasUncarriable(std::string_view bytes) { return bytes.find_first_of(std::string_view("\0\r\n\x1A", 4)) != std::string_view::npos; }

// The name rules SET imposes, stated independently of the escaping code.
bool NameSetCannotTake(std::string_view name) {
    return name.empty() || name.find('=') != std::string_view::npos ||
           std::string_view(" \t,;\v\f\"/").find(name.front()) != std::string_view::npos;
}

BatchEnvironment Decoys() { return {{"PATH", "C:\\Windows"}, {"A", "decoy"}}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool legacy = (data[0] & 1) != 0;
    const std::size_t nameLength = std::min<std::size_t>(data[1], size - 2);
    const std::string name(reinterpret_cast<const char*>(data + 2), nameLength);
    const std::string value(reinterpret_cast<const char*>(data + 2 + nameLength), size - 2 - nameLength);

    tarvik::SourcedText sourced;
    if (legacy) {
        sourced.source = tarvik::TextSource::FileLegacy;
        sourced.legacyBytes = value;
        for (const char b : value) sourced.chars += static_cast<unsigned char>(b);
    } else {
        sourced.chars = tarvik::DecodeUtf8Lossless(value);
    }
    tarvik::test_doubles::FakePlatform platform;
    std::string file;
    try {
        file = tarvik::ResultFileBytes(platform, tarvik::DecodeUtf8Lossless(name), sourced);
    } catch (const tarvik::GeneralFailure&) {
        // Escaping at most quadruples a character; shorter input has no length to be refused for.
        const bool mayBeTooLong = 24 + 4 * (name.size() + value.size()) > tarvik::kMaxBatchLineLength;
        FUZZ_CHECK(HasUncarriable(name) || HasUncarriable(value) || NameSetCannotTake(name) || mayBeTooLong);
        return 0;
    }
    for (const bool delayed : {false, true}) {
        BatchEnvironment environment = Decoys();
        FUZZ_CHECK(tarvik::test_doubles::RunResultFile(file, environment, delayed).empty());
        BatchEnvironment expected = Decoys();
        if (value.empty()) {
            expected.erase(name);
        } else {
            expected[name] = value;
        }
        FUZZ_CHECK(tarvik::test_doubles::SameVariables(environment, expected));
    }
    return 0;
}

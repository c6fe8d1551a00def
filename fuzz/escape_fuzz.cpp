// The escaping round trip: any name and value either are refused for a reason the caller can
// see, or the written lines set exactly that variable to exactly that value and do nothing else,
// whatever the caller's delayed expansion. Input: one byte of flags (1: the value is a legacy
// line's; 2: with 1, on Windows whose ANSI and OEM code page is the double-byte sample, which the
// caller reads in; 4: with 2, from a console switched to the single-byte sample, the file then
// being safe, not exact, in both code pages), the name length, the name, the value.
#include <algorithm>
#include <bitset>
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
#include "sourced_text.hpp"

namespace {

using tarvik::test_doubles::BatchEnvironment;

bool HasUncarriable(std::string_view bytes) {
    return bytes.find_first_of(std::string_view("\0\r\n\x1A", 4)) != std::string_view::npos;
}

// The name rules SET imposes, stated independently of the escaping code.
bool NameSetCannotTake(std::string_view name) {
    return name.empty() || name.find('=') != std::string_view::npos ||
           std::string_view(" \t,;\v\f\"/").find(name.front()) != std::string_view::npos;
}

// A lead byte that forms no character with the byte after it, or a byte the code page gives no
// character of its own.
bool HasByteWithoutCharacter(std::string_view bytes, const tarvik::LegacyCodePage& page,
                             const std::bitset<256>& leadBytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (!leadBytes[b]) {
            if (page.Single(b) >= tarvik::kEscapedByteBase && page.Single(b) <= 0xDFFF) return true;
            continue;
        }
        if (i + 1 == bytes.size() || page.Pair(b, static_cast<unsigned char>(bytes[i + 1])) == 0)
            return true;
        ++i;
    }
    return false;
}

std::string Utf8FromLatin1(std::string_view bytes) {
    std::string utf8;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            utf8 += c;
        } else {
            utf8 += {static_cast<char>(0xC0 | (b >> 6)), static_cast<char>(0x80 | (b & 0x3F))};
        }
    }
    return utf8;
}

BatchEnvironment Decoys() {
    return {{"PATH", "C:\\Windows"}, {"A", "decoy"}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool legacy = (data[0] & 1) != 0;
    const std::size_t nameLength = std::min<std::size_t>(data[1], size - 2);
    const std::string name(reinterpret_cast<const char*>(data + 2), nameLength);
    const std::string value(reinterpret_cast<const char*>(data + 2 + nameLength),
                            size - 2 - nameLength);

    tarvik::test_doubles::FakePlatform platform;
    std::bitset<256> leadBytes;
    // A caller reading UTF-8 gets a Latin-1 value's characters in UTF-8; one reading the
    // double-byte code page gets a legacy value's own bytes, when all of them are characters
    // there, and may be refused it otherwise. The name is ASCII then, as the expected bytes of a
    // non-ASCII one would depend on the code page.
    std::string expectedValue = legacy ? Utf8FromLatin1(value) : value;
    bool exact = true;
    if (legacy && (data[0] & 2) != 0) {
        if (std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; })) return 0;
        tarvik::test_doubles::SetUpJapaneseWindows(platform);
        leadBytes = tarvik::test_doubles::LeadBytesOf(*platform.ansi);
        expectedValue = value;
        exact = !HasByteWithoutCharacter(value, *platform.ansi, leadBytes);
    }
    const tarvik::Text chars =
        legacy ? tarvik::FromLegacyBytes(value, platform.LegacyCharacters()).chars
               : tarvik::DecodeUtf8Lossless(value);
    const bool switchedConsole = legacy && (data[0] & 6) == 6;
    if (switchedConsole) {
        platform.consoleCodePage = 437;
        exact = false;
    }
    std::string file;
    try {
        file = tarvik::ResultFileBytes(platform, tarvik::DecodeUtf8Lossless(name), chars);
    } catch (const tarvik::GeneralFailure&) {
        // Escaping at most quadruples a character; shorter input has no length to be refused for.
        const bool mayBeTooLong =
            24 + 4 * (name.size() + value.size()) > tarvik::kMaxBatchLineLength;
        FUZZ_CHECK(HasUncarriable(name) || HasUncarriable(value) || NameSetCannotTake(name) ||
                   mayBeTooLong || !exact);
        return 0;
    }
    for (const bool delayed : {false, true}) {
        BatchEnvironment environment = Decoys();
        FUZZ_CHECK(
            tarvik::test_doubles::RunResultFile(file, environment, delayed, leadBytes).empty());
        if (switchedConsole) {
            BatchEnvironment inConsole = Decoys();
            FUZZ_CHECK(tarvik::test_doubles::RunResultFile(file, inConsole, delayed).empty());
            FUZZ_CHECK(inConsole.size() <= Decoys().size() + 1);
        }
        // A broken character sends the line to UTF-8, which the caller reads as other characters.
        if (!exact) {
            FUZZ_CHECK(environment.size() <= Decoys().size() + 1);
            continue;
        }
        BatchEnvironment expected = Decoys();
        if (value.empty()) {
            expected.erase(name);
        } else {
            expected[name] = expectedValue;
        }
        FUZZ_CHECK(tarvik::test_doubles::SameVariables(environment, expected));
    }
    return 0;
}

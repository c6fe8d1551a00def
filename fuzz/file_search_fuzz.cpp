// The block search of a file gives the run what decoding and searching every line gives, a failure
// included: the line's characters, or for a presence test that there is one. The input: a flags
// byte (bit 0 ignores case, bit 1 the double-byte sample code page, bit 2 a presence test, the rest
// the block size), the compare string in UTF-8, a NUL byte and the file's bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fake_platform.hpp"
#include "file_search.hpp"
#include "fuzz_check.hpp"
#include "general_failure.hpp"

namespace {

using tarvik::SourcedText;

// What the run takes from a search, as text: the line's characters (a line settled before its end
// takes the reading of the bytes so far, which gives the same characters), or only that there is
// one; nothing, or a failure.
template <typename Search>
std::string Outcome(Search search, bool presence) {
    try {
        const std::optional<SourcedText> line = search();
        if (!line) return "none";
        return presence ? "line" : tarvik::EncodeUtf8Lossless(line->chars);
    } catch (const tarvik::GeneralFailure&) {
        return "failure";
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    if (input.empty() || split == std::string_view::npos) return 0;
    const auto flags = static_cast<unsigned char>(input.front());
    const tarvik::Text compare = tarvik::DecodeUtf8Lossless(input.substr(1, split - 1));
    if (compare.empty()) return 0;
    const auto mode = flags & 1 ? tarvik::CompareMode::IgnoreCase : tarvik::CompareMode::Exact;
    const tarvik::LegacyCodePage& legacy =
        flags & 2 ? tarvik::test_doubles::ShiftJisSample() : tarvik::Latin1CodePage();
    // Small blocks and few kept characters put block edges and cut lines everywhere. The streamed
    // rest of a long line is read from any byte, which in a double-byte code page can be a trail
    // byte: lines there are kept whole.
    const bool presence = (flags & 4) != 0;
    const std::size_t small = flags >> 3;
    const tarvik::SearchLimits limits{4 + small, flags & 2 ? std::size_t{1} << 20 : 8 + small,
                                      presence};

    tarvik::test_doubles::FakePlatform platform;
    platform.files["f"] = std::string(input.substr(split + 1));
    platform.readChunk = 5;
    const std::string byBlocks = Outcome(
        [&] {
            const auto reader = platform.OpenForReading(U"f");
            return tarvik::FindFirstMatchingLine(*reader, compare, mode, legacy, limits);
        },
        presence);
    const std::string byLines = Outcome(
        [&] {
            const auto reader = platform.OpenForReading(U"f");
            return tarvik::FindFirstMatchingLineByLines(*reader, compare, mode, legacy,
                                                        limits.keptChars);
        },
        presence);
    FUZZ_CHECK(byBlocks == byLines);
    return 0;
}

// Line splitting and encodings of the line reader.
#include <gtest/gtest.h>

#include "fake_platform.hpp"
#include "general_failure.hpp"
#include "line_reader.hpp"

namespace tarvik {
namespace {

using namespace std::string_literals;
using test_doubles::FakePlatform;

std::vector<std::string> ReadAll(const std::string& bytes, std::size_t chunk,
                                 std::vector<TextSource>* sources = nullptr) {
    FakePlatform platform;
    platform.files["f"] = bytes;
    platform.readChunk = chunk;
    auto reader = platform.OpenForReading(U"f");
    LineReader lines(*reader, platform.LegacyCharacters());
    std::vector<std::string> out;
    SourcedText line;
    while (lines.Next(line)) {
        out.push_back(EncodeUtf8Lossless(line.chars));
        if (sources) sources->push_back(line.source);
    }
    return out;
}

using Lines = std::vector<std::string>;

TEST(LineReader, SplitsAtEveryLineEnd) {
    const struct {
        std::string bytes;
        Lines expected;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
        {"\xEF\xBB\xBFHello\r\n", {"Hello"}},
        {"\xEF\xBB\xBF", {}},
        {"Gr\xC3\xBC\xC3\x9F"
         "e\n",
         {"Grüße"}},
        {"\xFF\xFE"
         "a\0\r\0\n\0b\0"s,
         {"a", "b"}},
        {"\xFE\xFF\0a\0\r\0b"s, {"a", "b"}},
        {"\xFF\xFE\x3D\xD8\x00\xDE\n\0"s, {"\U0001F600"}},
    };
    for (const auto& c : cases) {
        for (std::size_t chunk : {1u, 2u, 3u, 1000u}) {
            EXPECT_EQ(ReadAll(c.bytes, chunk), c.expected)
                << "chunk " << chunk << ", bytes: " << c.bytes;
        }
    }
}

TEST(LineReader, EachLineIsUtf8OrOneBytePerCharacter) {
    std::vector<TextSource> sources;
    const Lines lines = ReadAll("caf\xC3\xA9\ncaf\xE9\nplain\n", 4, &sources);
    EXPECT_EQ(lines, (Lines{"café", "café", "plain"}));
    EXPECT_EQ(sources, (std::vector<TextSource>{TextSource::FileUtf8, TextSource::FileLegacy,
                                                TextSource::FileUtf8}));
}

TEST(LineReader, InvalidUtf16IsAFailure) {
    for (std::string bytes : {"\xFF\xFE"
                              "a\0b"s,
                              "\xFF\xFE\x00\xDC"s,
                              "\xFF\xFE\x3D\xD8"
                              "a\0"s}) {
        EXPECT_THROW(ReadAll(bytes, 3), GeneralFailure);
    }
}

}  // namespace
}  // namespace tarvik

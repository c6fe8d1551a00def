// The block search of a file finds the same line as decoding and searching every line, for any
// block and read sizes.
#include <gtest/gtest.h>

#include <random>

#include "fake_platform.hpp"
#include "file_search.hpp"
#include "general_failure.hpp"
#include "line_reader.hpp"
#include "text.hpp"

namespace tarvik {
namespace {

using namespace std::string_literals;
using test_doubles::FakePlatform;

// A code page that puts non-ASCII characters on ASCII bytes and case variants of ASCII letters on
// high bytes, so that no byte can be taken for the character of its value.
LegacyCodePage Scrambled() {
    std::array<char32_t, 256> singles{};
    for (std::size_t b = 0; b < singles.size(); ++b) singles[b] = static_cast<char32_t>(b);
    singles[0x5C] = U'¥', singles[0xA5] = U'\\';
    singles[0xFD] = U'ı', singles[0xDD] = U'İ', singles[0xFE] = U'ſ';
    return LegacyCodePage(singles);
}

struct Found {
    TextSource source;
    std::string utf8;
    bool operator==(const Found&) const = default;
};

std::optional<Found> Describe(const std::optional<SourcedText>& line) {
    if (!line) return std::nullopt;
    return Found{line->source, EncodeUtf8Lossless(line->chars)};
}

std::optional<std::string> Utf8Of(const std::optional<Found>& found) {
    if (!found) return std::nullopt;
    return found->utf8;
}

// Lines held whole, as a reference.
constexpr std::size_t kWhole = 1 << 30;

// With a block size the block search, without one the line-by-line search.
std::optional<Found> Search(const std::string& bytes, TextView compare, CompareMode mode,
                            std::size_t chunk, std::optional<std::size_t> blockSize,
                            const LegacyCodePage& legacy, std::size_t keptChars = kKeptLineChars,
                            bool presence = false) {
    FakePlatform platform;
    platform.files["f"] = bytes;
    platform.readChunk = chunk;
    const auto reader = platform.OpenForReading(U"f");
    if (!blockSize)
        return Describe(FindFirstMatchingLineByLines(*reader, compare, mode, legacy, keptChars));
    return Describe(
        FindFirstMatchingLine(*reader, compare, mode, legacy, {*blockSize, keptChars, presence}));
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x"s + hex[b >> 4] + hex[b & 15];
        }
    }
    return out;
}

std::string Summary(const std::optional<Found>& found) {
    if (!found) return "no line";
    return std::to_string(static_cast<int>(found->source)) + " " + Printable(found->utf8);
}

// The outcome of a search as text, a failure included: random files may be invalid UTF-16.
std::string Summary(const std::string& bytes, TextView compare, CompareMode mode, std::size_t chunk,
                    std::optional<std::size_t> blockSize, const LegacyCodePage& legacy,
                    std::size_t keptChars = kKeptLineChars, bool presence = false) {
    try {
        return Summary(Search(bytes, compare, mode, chunk, blockSize, legacy, keptChars, presence));
    } catch (const GeneralFailure&) {
        return "failure";
    }
}

// What the run takes from a summary: the line's characters (the reading of a line settled before
// its end is that of the bytes so far), or for a presence test only that there is one.
std::string RunTakes(const std::string& summary, bool presence) {
    if (summary == "no line" || summary == "failure") return summary;
    return presence ? "a line" : summary.substr(summary.find(' ') + 1);
}

// What a search keeping `keptChars` must give: the line found by holding every line whole, cut to
// keptChars + the compare string's length, or a failure when its first match does not lie there.
std::string CutSummary(const std::string& bytes, TextView compare, CompareMode mode,
                       const LegacyCodePage& legacy, std::size_t keptChars) {
    try {
        auto found = Search(bytes, compare, mode, 1 << 20, std::nullopt, legacy, kWhole);
        if (!found) return "no line";
        const Text chars = DecodeUtf8Lossless(found->utf8);
        const std::size_t kept = keptChars + compare.size();
        if (FindText(chars, compare, mode) + compare.size() > kept) return "failure";
        found->utf8 = EncodeUtf8Lossless(chars.substr(0, kept));
        return Summary(found);
    } catch (const GeneralFailure&) {
        return "failure";
    }
}

// The text as UTF-16 with a byte order mark; escaped bytes become the characters of their values.
std::string Utf16(const std::string& utf8, bool little) {
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    const auto unit = [&](unsigned u) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += little ? lo : hi;
        out += little ? hi : lo;
    };
    for (char32_t c : DecodeUtf8Lossless(utf8)) {
        if (c >= kEscapedByteBase + 0x80 && c <= kEscapedByteBase + 0xFF) c -= kEscapedByteBase;
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(static_cast<unsigned>(c));
        }
    }
    return out;
}

constexpr CompareMode kExact = CompareMode::Exact;
constexpr CompareMode kIgnore = CompareMode::IgnoreCase;

TEST(FileSearch, FindsTheFirstMatchingLine) {
    const struct {
        std::string bytes;
        Text compare;
        CompareMode mode;
        std::optional<std::string> line;  // UTF-8 of the line found
    } cases[] = {
        {"needle at the start\nother", U"needle", kExact, "needle at the start"},
        {"a\r\nb\r\nlast has the needle", U"needle", kExact, "last has the needle"},
        {"a\r\nneedle\r\n", U"needle", kExact, "needle"},
        {"a\nneedle\nb", U"needle", kExact, "needle"},
        {"a\rneedle\rb", U"needle", kExact, "needle"},
        {"abc\r\nxneedle", U"needle", kExact, "xneedle"},
        {"\n\n\r\n\r\rneedle\n\n", U"needle", kExact, "needle"},
        {"first needle\nsecond needle", U"needle", kExact, "first needle"},
        {"need\nle\nneedle", U"needle", kExact, "needle"},
        {"nee\rdle", U"needle", kExact, std::nullopt},
        {"a\nb", U"a\nb", kExact, std::nullopt},
        {"xbbba", U"bba", kExact, "xbbba"},
        {"", U"needle", kExact, std::nullopt},
        {"\xEF\xBB\xBFneedle\n", U"needle", kExact, "needle"},
        {"\xEF\xBB\xBFx", U"\uFEFFx", kExact, std::nullopt},
        {"x\n\xEF\xBB\xBFx", U"\uFEFFx", kExact, "\xEF\xBB\xBFx"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e\nStra\xC3\x9F"
         "e",
         U"ße", kExact, "Grüße"},
        {"\xE6\x97\xA5\xE6\x9C\xAC\n", U"本", kExact, "日本"},
        {"caf\xE9 au lait", U"é", kExact, "café au lait"},
        {"caf\xE9 au lait", U"FÉ", kIgnore, "café au lait"},
        {"\xFF\xFE"
         "a\0\n\0n\0e\0e\0d\0"s,
         U"NEE", kIgnore, "need"},
        {"\xFE\xFF\0a\0\r\0n\0e\0e\0d"s, U"eed", kExact, "need"},
        {"Hello WORLD\n", U"world", kIgnore, "Hello WORLD"},
        {"Hello WORLD\n", U"world", kExact, std::nullopt},
        {"DiSk QuOtA\n", U"disk quota", kIgnore, "DiSk QuOtA"},
        {"th\xC4\xB1s\n", U"THIS", kIgnore, "thıs"},
        {"th\xC4\xB1s\n", U"this", kExact, std::nullopt},
        {"\xC5\xBFtop\n", U"STOP", kIgnore, "ſtop"},
        {"\xC5\xBFtop\n", U"stop", kIgnore, "ſtop"},
        {"stop\n", U"ſtop", kIgnore, "stop"},
        {"is\nIS\n", U"ıſ", kIgnore, "is"},
        {"x\xC4\xB1"
         "a\n",
         U"ıa", kIgnore, "xıa"},
        {"\xE6\x97\xA5\xC4\xB1"
         "a\n",
         U"日ıa", kIgnore, "日ıa"},
        {"Mi\xC5\xBFsing\n", U"missing", kIgnore, "Miſsing"},
    };
    const LegacyCodePage& latin1 = Latin1CodePage();
    for (const auto& c : cases) {
        const auto expected = Search(c.bytes, c.compare, c.mode, 1 << 20, std::nullopt, latin1);
        EXPECT_EQ(Utf8Of(expected), c.line) << Printable(c.bytes);
        for (const std::size_t block : {4u, 5u, 7u, 8u, 13u, 64u}) {
            for (const std::size_t chunk : {1u, 3u, 1000u}) {
                EXPECT_EQ(Search(c.bytes, c.compare, c.mode, chunk, block, latin1), expected)
                    << Printable(c.bytes) << " block " << block << " chunk " << chunk;
            }
        }
    }
}

TEST(FileSearch, ReadsALineThatIsNotUtf8InTheCodePage) {
    const auto found = Search("plain\ncaf\xE9\n", U"café", kExact, 2, 4, Latin1CodePage());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->source, TextSource::FileLegacy);
    EXPECT_EQ(found->utf8, "café");
}

TEST(FileSearch, UsesTheCodePageForLinesThatAreNotUtf8) {
    const LegacyCodePage scrambled = Scrambled();
    const LegacyCodePage& sjis = test_doubles::ShiftJisSample();
    const struct {
        std::string bytes;
        Text compare;
        CompareMode mode;
        const LegacyCodePage& page;
        std::optional<std::string> line;
    } cases[] = {
        {"a\\b\xFF\nc\xA5"
         "d\xFF\n",
         U"\\", kExact, scrambled, "c\\d\u00FF"},
        {"a\\b\n", U"\\", kExact, scrambled, "a\\b"},
        {"a\\b\xFF\n", U"¥", kExact, scrambled, "a¥b\u00FF"},
        {"th\xFDs\xFF\n", U"THIS", kIgnore, scrambled, "thıs\u00FF"},
        {"\xDD\xFF\n", U"i", kIgnore, scrambled, std::nullopt},  // İ has no simple case partner
        {"\xFEtop\xFF\n", U"stop", kIgnore, scrambled, "ſtop\u00FF"},
        // Double-byte characters: typed text matches them, and their trail bytes are no ASCII.
        {"x\x83\x7C\nID\x83\x7Cmkdir\n", U"Dポm", kExact, sjis, "IDポmkdir"},
        {"\x83\x5C\n\x83\x7C\\\n", U"\\", kExact, sjis, "ポ\\"},
        {"\x83\x5E\x83\x5C\n", U"^", kExact, sjis, std::nullopt},
        {"\x82\x81\xB1\x82\xA0\n", U"Ａｱあ", kIgnore, sjis, "ａｱあ"},
        {"\x82\x60\n", U"ａ", kExact, sjis, std::nullopt},
        {"\x83\x5C\x83\n", Text{U'ソ', kEscapedByteBase + 0x83}, kExact, sjis, "ソ\x83"},
    };
    for (const auto& c : cases) {
        for (const std::size_t block : {4u, 6u, 64u}) {
            EXPECT_EQ(Utf8Of(Search(c.bytes, c.compare, c.mode, 3, block, c.page)), c.line)
                << Printable(c.bytes) << " block " << block;
        }
    }
}

TEST(FileSearch, StopsReadingAtTheMatchingLine) {
    FakePlatform platform;
    platform.files["f"] = "x\nneedle\n" + std::string(100, 'y');
    platform.failReadAfter = 16;
    const auto reader = platform.OpenForReading(U"f");
    EXPECT_TRUE(FindFirstMatchingLine(*reader, U"needle", kExact, Latin1CodePage(), {16}));
}

// A long line is read only until the rest of it can change nothing the run takes from it: its
// readings as UTF-8 and in the code page both hold a match and cut the line alike, or for a
// presence test agree on whether its kept characters hold one.
TEST(FileSearch, StopsReadingALongLineOnceTheRestCanChangeNothing) {
    const std::string as(200, 'a');
    const struct {
        std::string head;
        Text compare;
        bool presence;
        const char* outcome;  // "read on" when the search reads past the head
    } cases[] = {
        {"x needle " + as, U"needle", false, "x needle aaaaa"},
        {"x needle " + as, U"needle", true, "x needle aaaaa"},
        {"\xC3\xA9 needle " + as, U"needle", true, "é needle aaaa"},
        {"\xC3\xA9 needle " + as, U"needle", false, "read on"},  // Ã© in the code page
        {"\xC3\xA9 " + as, U"é", true, "read on"},               // only UTF-8 matches
        {as + "needle", U"needle", true, "failure"},             // first matches past the kept
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.files["f"] = c.head + std::string(1000, 'z');
        platform.failReadAfter = c.head.size() + 64;
        const auto reader = platform.OpenForReading(U"f");
        std::string outcome;
        try {
            const auto found = FindFirstMatchingLine(*reader, c.compare, kExact, Latin1CodePage(),
                                                     {16, 8, c.presence});
            outcome = found ? EncodeUtf8Lossless(found->chars) : "no line";
        } catch (const GeneralFailure& e) {
            outcome = std::string(e.what()) == "injected read fault" ? "read on" : "failure";
        }
        EXPECT_EQ(outcome, c.outcome) << Printable(c.head) << (c.presence ? " presence" : "");
    }
}

// Invalid UTF-16 fails the search when it is read, and only then: a stray last byte after the
// matching line's end, CR or LF, is never looked at.
TEST(FileSearch, InvalidUtf16FailsWhereItIsRead) {
    const std::pair<std::string, const char*> cases[] = {
        {"\xFF\xFE\x00\xDC"s, "failure"},         // an unpaired surrogate
        {"\xFF\xFEq\0\r\0x"s, "0 q"},             // the matching line ends in CR, then a stray byte
        {"\xFF\xFEq\0\n\0x"s, "0 q"},             // the same with LF
        {"\xFE\xFF\0q\0\rx"s, "0 q"},             // big-endian
        {"\xFF\xFEz\0\r\0x"s, "failure"},         // no match: the stray byte is read
        {"\xFF\xFE\x00\xD8\n\0q\0"s, "failure"},  // a high surrogate ends a line before the match
        {"\xFF\xFEzzzzzz\x00\xDC\n\0q\0"s, "failure"},  // a low one alone in an earlier line
        {"\xFF\xFEq\0\n\0\x00\xDC"s, "0 q"},            // an unpaired surrogate after the match
        {"\xFF\xFE=\xD8\x00\xDEq\0"s, R"(0 \xF0\x9F\x98\x80q)"},  // a pair before the match
        // the same after four units (a word that the check takes at once)
        {"\xFF\xFEzzzzzzzz=\xD8\x00\xDEq\0"s,
         R"(0 \xE7\xA9\xBA\xE7\xA9\xBA\xE7\xA9\xBA\xE7\xA9\xBA\xF0\x9F\x98\x80q)"},
    };
    for (const auto& [bytes, summary] : cases) {
        for (const std::size_t block : {8u, 64u}) {
            EXPECT_EQ(Summary(bytes, U"q", kExact, 1, block, Latin1CodePage()), summary)
                << Printable(bytes) << " block " << block;
        }
    }
}

// Random files over pieces that stress line ends, UTF-8 and its errors, and the letters whose
// case variants are not ASCII; the block search must agree with the line-by-line search.
TEST(FileSearch, AgreesWithTheLineByLineSearchOnRandomFiles) {
    // clang-format off
    const std::vector<std::string> pieces = {
        "a", "b", "i", "I", "s", "S", "k", " ", "\r", "\n", "\r\n", "\xC3\xA9", "\xC3\x89",
        "\xC4\xB1", "\xC5\xBF", "\xE9", "\xC4", "\xFF", "\xFD", "\xFE", "\xA5", "\\",
        "\xEF\xBB\xBF", "\xD0\xB6", "\xD0\x96", "\x83\x5C", "\x83\x7C", "\x83", "|",
        "\x82\x60", "\x82\x81", "\xB1", "\xF0\x90\x90\x80", "\xF0\x90\x90\xA8",
    };
    // clang-format on
    const Text letters = U"abisIASk \\éÉıſ¥жソポ|Ａａｱ𐐀";
    const LegacyCodePage pages[] = {Latin1CodePage(), Scrambled(), test_doubles::ShiftJisSample()};
    std::mt19937 random(20261208);
    const auto below = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = below(8) == 0 ? "\xEF\xBB\xBF" : "";
        const std::size_t count = below(below(4) == 0 ? 300 : 60);
        // A quarter of the files have long lines, for searches keeping few characters.
        const bool longLines = below(4) == 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::string& piece = pieces[below(pieces.size())];
            bytes += longLines && piece.find_first_of("\r\n") != std::string::npos && below(8) != 0
                         ? "a"
                         : piece;
        }
        const LegacyCodePage& legacy = pages[below(3)];
        // A third of the compare strings are cut from a line of the file, so that lines match; a
        // third come from two letters, so that candidates overlap.
        Text compare;
        const std::size_t length = 1 + below(4);
        const std::size_t kind = below(3);
        if (kind == 0) {
            const std::size_t lineStart = below(bytes.size() + 1);
            const std::size_t lineEnd =
                std::min(bytes.find_first_of("\r\n", lineStart), bytes.size());
            const Text line =
                DecodeBytesLine(bytes.substr(lineStart, lineEnd - lineStart), legacy).chars;
            compare = line.substr(below(line.size() + 1), length);
        }
        for (std::size_t i = compare.size(); i < length; ++i)
            compare += letters[below(kind == 1 ? 2 : letters.size())];
        const CompareMode mode = below(2) == 0 ? kExact : kIgnore;
        const std::size_t block = 4 + below(24);
        const std::size_t chunk = 1 + below(20);
        EXPECT_EQ(Summary(bytes, compare, mode, chunk, block, legacy),
                  Summary(bytes, compare, mode, chunk, std::nullopt, legacy))
            << Printable(bytes) << " compare " << EncodeUtf8Lossless(compare) << " block " << block
            << " chunk " << chunk << (mode == kExact ? " exact" : " ignoring case");
        // Keeping only a few characters of each line, also of UTF-16 files, for a result line or
        // a presence test. The reference cuts a legacy line by bytes, as the search does, so only
        // single-byte code pages compare.
        if (&legacy == &pages[2]) continue;
        const std::size_t keptChars = below(12);
        const bool presence = below(2) == 0;
        if (below(4) == 0) bytes = Utf16(bytes, below(2) == 0);
        EXPECT_EQ(RunTakes(Summary(bytes, compare, mode, chunk, block, legacy, keptChars, presence),
                           presence),
                  RunTakes(CutSummary(bytes, compare, mode, legacy, keptChars), presence))
            << Printable(bytes) << " compare " << EncodeUtf8Lossless(compare) << " block " << block
            << " chunk " << chunk << " kept " << keptChars << (presence ? " presence" : "")
            << (mode == kExact ? " exact" : " ignoring case");
    }
}

// Files full of the compare string's rarest bytes, so that the search gives up scanning for one of
// them and skips through the block instead.
TEST(FileSearch, AgreesWithTheLineByLineSearchWhenHitsAreCommon) {
    const std::vector<std::string> pieces = {"q", "u", "o", "t", "a", " ",  "e",
                                             "x", "c", "d", "Q", "X", "\n", "\r"};
    const Text compares[] = {U"quota exceeded", U"QUOTA EXCEEDED", U"a quota", U"exceeded"};
    const LegacyCodePage& latin1 = Latin1CodePage();
    std::mt19937 random(8122026);
    const auto below = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int i = 0; i < 3000; ++i)
            bytes += below(500) == 0 ? "quota exceeded" : pieces[below(pieces.size())];
        const Text& compare = compares[below(4)];
        const CompareMode mode = below(2) == 0 ? kExact : kIgnore;
        const std::size_t block = 4 + below(600);
        EXPECT_EQ(Summary(bytes, compare, mode, 4096, block, latin1),
                  Summary(bytes, compare, mode, 4096, std::nullopt, latin1))
            << Printable(bytes) << " compare " << EncodeUtf8Lossless(compare) << " block " << block;
    }
}

}  // namespace
}  // namespace tarvik

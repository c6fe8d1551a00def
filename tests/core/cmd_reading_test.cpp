// Result lines read as every cmd that may read them: the console's code page, the OEM one and the
// ANSI one. A line goes in the console's code page, else in UTF-8, only where each reading keeps
// what cmd acts on where the escaping put it.
#include <gtest/gtest.h>

#include "fake_platform.hpp"
#include "general_failure.hpp"
#include "output_files.hpp"

namespace tarvik::test_doubles {
namespace {

// Shaped like 936: lead bytes 81..FE, and 乛 (81 5E) and 亅 (81 7C), whose trail bytes are "^"
// and "|".
LegacyCodePage GbkSample() {
    std::array<char32_t, 256> singles{};
    for (std::size_t b = 0; b < singles.size(); ++b) singles[b] = static_cast<char32_t>(b);
    LegacyCodePage page(singles);
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        page.AddLeadByte(static_cast<unsigned char>(lead));
    page.AddPair(0x81, 0x5E, U'乛');
    page.AddPair(0x81, 0x7C, U'亅');
    return page;
}

// 20127 as Windows reads it: bytes 80..FF stand for 00..7F. With `asciiOnly`, UTF-7's table:
// ASCII alone, each byte itself.
LegacyCodePage AsciiSample(bool asciiOnly) {
    std::array<char32_t, 256> singles{};
    for (std::size_t b = 0; b < singles.size(); ++b) {
        singles[b] = b < 0x80    ? static_cast<char32_t>(b)
                     : asciiOnly ? kEscapedByteBase + static_cast<char32_t>(b)
                                 : static_cast<char32_t>(b & 0x7F);
    }
    return LegacyCodePage(singles);
}

std::string ResultFileFor(unsigned console, unsigned oem, unsigned ansi, const std::string& name,
                          const std::string& value) {
    FakePlatform platform;
    platform.consoleCodePage = console;
    platform.oemCodePage = oem;
    platform.ansiCodePage = ansi;
    platform.codePages = {{437, Oem437Sample()},       {932, ShiftJisSample()},
                          {936, GbkSample()},          {1252, Latin1CodePage()},
                          {20127, AsciiSample(false)}, {65000, AsciiSample(true)}};
    // UTF-7 reads "+ACY-" as "&".
    platform.readers[65000] = [](std::string_view bytes) {
        std::string read(bytes);
        for (std::size_t at; (at = read.find("+ACY-")) != std::string::npos;)
            read.replace(at, 5, "&");
        return DecodeUtf8Lossless(read);
    };
    return ResultFileBytes(platform, DecodeUtf8Lossless(name), DecodeUtf8Lossless(value));
}

TEST(CmdReading, EveryReaderKeepsWhatCmdActsOn) {
    const struct {
        unsigned console, oem, ansi;
        const char* name;
        const char* value;
        const char* written;  // nullptr: refused, with the UTF-8 bytes parting in `partsIn`
        unsigned partsIn = 0;
    } cases[] = {
        // The console's double-byte characters read in a single-byte OEM code page, and the other
        // way round: 81 7C is 亅 in 936 and "ü|" in 437; 82 5E is é^ in 437 and one character in
        // 932.
        {936, 437, 1252, "RETU", "亅mkdir x", "SET RETU=\xE4\xBA\x85mkdir x\r\n"},
        {936, 437, 1252, "RETU", "乛&mkdir x", nullptr, 936},
        {932, 437, 1252, "RETU", "ポ|x", nullptr, 932},
        {932, 932, 932, "RETU", "ポ|x", "SET RETU=\x83\x7C^|x\r\n"},
        {437, 932, 932, "RETU", "é&mkdir x", "SET RETU=\xC3\xA9^&mkdir x\r\n"},
        {65001, 932, 932, "RETU", "Á&mkdir x", nullptr, 932},
        // The name and both lines of a value with "!".
        {437, 932, 932, "ポ", "v", nullptr, 932},
        {437, 932, 932, "n!", "é",
         "IF NOT \"!!\"==\"\" SET n!=\xC3\xA9\r\nIF \"!!\"==\"\" SET n^^^!=\xC3\xA9\r\n"},
        // Code pages that read other bytes as ASCII: UTF-7, and 20127 for each character cmd
        // acts on (UTF-8's C2 A6 reads "B&").
        {65000, 437, 1252, "RETU", "+ACY-mkdir x", nullptr, 65000},
        {20127, 437, 1252, "RETU", "xæmkdir", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x¥", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x¡", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x\u07B1", nullptr, 20127},  // DE: "^"
        {20127, 437, 1252, "RETU", "x¦", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x¼", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x¾", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x¨", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x©", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x¢", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x½", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x\u008D", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x\u008A", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x\u0080", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x\u009A", nullptr, 20127},
        {20127, 437, 1252, "RETU", "x¶ b", "SET RETU=x\xC2\xB6 b\r\n"},  // "B6 b"
    };
    for (const auto& c : cases) {
        const std::string what =
            std::to_string(c.console) + "/" + std::to_string(c.oem) + " " + c.name + "=" + c.value;
        try {
            const std::string file = ResultFileFor(c.console, c.oem, c.ansi, c.name, c.value);
            EXPECT_EQ(file, c.written ? c.written : "(refused)") << what;
        } catch (const GeneralFailure& failure) {
            const std::string parting =
                "in UTF-8: code page " + std::to_string(c.partsIn) + " reads";
            EXPECT_EQ(c.written, nullptr) << what << ": " << failure.what();
            EXPECT_NE(std::string(failure.what()).find(parting), std::string::npos)
                << what << ": expected " << parting << ", got " << failure.what();
        }
    }
}

}  // namespace
}  // namespace tarvik::test_doubles

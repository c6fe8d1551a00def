// An in-memory platform for the run-flow tests: files in a map, every call recorded in order, and
// faults injectable on any file operation.
#pragma once

#include <bitset>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform.hpp"
#include "result_encoding.hpp"

namespace tarvik::test_doubles {

class FakePlatform final : public Platform {
  public:
    // Names compare without regard to ASCII case, as on Windows.
    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    std::string commandLine;  // UTF-8
    std::string toolDirectory = "C:\\Tools";
    std::map<std::string, std::string, NameLess> files;  // name -> bytes
    std::vector<std::string> events;  // "remove NAME", "write NAME", "message TEXT", "usage"
    std::vector<std::string> failureReasons;  // as logged

    // Faults: a name here makes that operation throw.
    std::vector<std::string> failWrite, failRemove, failOpen;
    // After this many bytes, reads of any file throw.
    std::optional<std::size_t> failReadAfter;
    bool failMessageBox = false;
    bool failUsage = false;
    // Operations ("remove NAME", "exists NAME", "open NAME", "write NAME") that find the file in
    // use that many times before they go through.
    std::map<std::string, int> inUse;
    // False: a window station nobody sees.
    bool windowsVisible = true;
    std::vector<long long> sleeps;  // in ms, as the run waited

    Text CommandLineTail() override;
    Text ToolDirectory() override;
    bool FileExists(const Text& name) override;
    void RemoveIfExists(const Text& name) override;
    std::unique_ptr<ByteReader> OpenForReading(const Text& name) override;
    void WriteFile(const Text& name, std::string_view bytes) override;
    std::string EncodeText(TextView text) override;
    const LegacyCodePage& LegacyCharacters() override;
    unsigned ConsoleCodePage() override;
    unsigned OemCodePage() override;
    unsigned AnsiCodePage() override;
    const LegacyCodePage& CodePageCharacters(unsigned codePage) override;
    Text ReadInCodePage(unsigned codePage, std::string_view bytes) override;
    void ShowMessageBox(const Text& message) override;
    void LogFailureReason(std::string_view reason) noexcept override;
    void Sleep(std::chrono::milliseconds duration) override;
    bool CanShowWindows() override;
    void ShowUsageWindow() override;

    // Reads hand out at most this many bytes per call, to exercise buffer edges.
    std::size_t readChunk = 1 << 20;

    // When set, as on Windows: legacy lines are read in this code page, and the error file is
    // written in it when every character has an exact form there, else in UTF-8. When not, as on
    // Linux: Latin-1 lines and UTF-8 text.
    std::optional<LegacyCodePage> ansi;
    // The console the tool was started from (0: none), the OEM and ANSI code pages, and the code
    // pages by number, read byte by byte with their lead bytes, or by a reader of their own where
    // bytes depend on what came before them (UTF-7). UTF-8 by default, as on Linux.
    unsigned consoleCodePage = 0;
    unsigned oemCodePage = kUtf8CodePage;
    unsigned ansiCodePage = kUtf8CodePage;
    std::map<unsigned, LegacyCodePage> codePages;
    std::map<unsigned, std::function<Text(std::string_view)>> readers;

  private:
    void ThrowIfInUse(const std::string& operation);

    std::optional<CodePageSpellings> ansiSpellings_;  // built from `ansi` on first use
};

// A small double-byte code page shaped like Shift-JIS: ASCII, the half-width katakana ｱ (B1), lead
// bytes 81..9F and E0..FC, and the pairs 83 5C ソ, 83 5E ゾ, 83 7C ポ, 82 A0 あ, 82 60 Ａ, 82 81
// ａ.
const LegacyCodePage& ShiftJisSample();

// A single-byte code page shaped like 437: ASCII, and ü (81), é (82), Ü (9A), ß (E1), Θ (E9) and
// Ω (EA).
const LegacyCodePage& Oem437Sample();

// Windows in Japan: ANSI and OEM code page 932 (the sample above), with the sample 437 at hand for
// a console switched to it.
void SetUpJapaneseWindows(FakePlatform& platform);

// The lead bytes of a code page, for the batch oracle to read a result file in it.
std::bitset<256> LeadBytesOf(const LegacyCodePage& page);

}  // namespace tarvik::test_doubles

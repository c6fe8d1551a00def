// An in-memory platform for the run-flow tests: files in a map, every call recorded in order, and
// faults injectable on any file operation.
#pragma once

#include <bitset>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform.hpp"

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

    // Faults: a name here makes that operation throw.
    std::vector<std::string> failWrite, failRemove, failOpen;
    // After this many bytes, reads of any file throw.
    std::optional<std::size_t> failReadAfter;
    bool failMessageBox = false;
    bool failUsage = false;

    Text CommandLineTail() override;
    Text ToolDirectory() override;
    bool FileExists(const Text& name) override;
    void RemoveIfExists(const Text& name) override;
    std::unique_ptr<ByteReader> OpenForReading(const Text& name) override;
    void WriteFile(const Text& name, std::string_view bytes) override;
    EncodedText EncodeText(TextView text) override;
    const LegacyCodePage& LegacyCharacters() override;
    void ShowMessageBox(const Text& message) override;
    void ShowUsageWindow() override;

    // Reads hand out at most this many bytes per call, to exercise buffer edges.
    std::size_t readChunk = 1 << 20;

    // When set, as on Windows: legacy lines are read in this code page, and typed text is written
    // in it when every character has an exact form there, else in UTF-8. When not, as on Linux:
    // Latin-1 lines and UTF-8 text.
    std::optional<LegacyCodePage> ansi;
    // Whether the last text encoded went into the code page rather than UTF-8: a result line is in
    // the encoding of the last EncodeText call made for it.
    bool lastTextInCodePage = true;

  private:
    EncodedText Encode(TextView text);

    std::map<char32_t, std::string> ansiSpellings_;  // built from `ansi` on first use
};

// A small double-byte code page shaped like Shift-JIS: ASCII, the half-width katakana ｱ (B1), lead
// bytes 81..9F and E0..FC, and the pairs 83 5C ソ, 83 5E ゾ, 83 7C ポ, 82 A0 あ, 82 60 Ａ, 82 81
// ａ.
const LegacyCodePage& ShiftJisSample();

// The lead bytes of a code page, for the batch oracle to read a result file in it.
std::bitset<256> LeadBytesOf(const LegacyCodePage& page);

}  // namespace tarvik::test_doubles

// An in-memory platform for the run-flow tests: files in a map, every call recorded in order, and
// faults injectable on any file operation.
#pragma once

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
    std::string EncodeText(TextView text) override;
    const LegacyCodePage& LegacyCharacters() override;
    void ShowMessageBox(const Text& message) override;
    void ShowUsageWindow() override;

    // Reads hand out at most this many bytes per call, to exercise buffer edges.
    std::size_t readChunk = 1 << 20;
};

}  // namespace tarvik::test_doubles

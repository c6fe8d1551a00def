// The tool on Linux and other POSIX systems: arguments joined into one command line, files beside
// the executable, the message box and the usage window printed on the terminal.
#pragma once

#include <string>
#include <vector>

#include "platform.hpp"
#include "tool_directory.hpp"

namespace tarvik {

class PosixPlatform final : public Platform {
  public:
    PosixPlatform(int argc, char** argv);

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

  private:
    std::string PathOf(const Text& name) const;

    std::vector<std::string> arguments_;
    posix::ExecutableDirectory directory_;
};

}  // namespace tarvik

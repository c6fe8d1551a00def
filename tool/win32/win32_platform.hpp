// The tool on Windows: wide-character Win32 APIs behind the platform interface.
#pragma once

#include <map>
#include <string>

#include "platform.hpp"

namespace tarvik::win32 {

class Win32Platform final : public Platform {
  public:
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
    const std::wstring& Directory();
    // Tool directory + "\" + name, in the "\\?\" form when that is too long for the plain one; a
    // name with a drive or directory of its own is joined the same.
    std::wstring PathOf(const Text& name);

    std::wstring directory_;
    std::map<unsigned, LegacyCodePage> codePages_;  // built on first use: 932's takes a while
};

}  // namespace tarvik::win32

// Wires the platform interface to the Win32 pieces, converting names and texts to UTF-16.
#include "win32_platform.hpp"

#include <windows.h>

#include "ansi_code_page.hpp"
#include "code_page_reading.hpp"
#include "command_line.hpp"
#include "console_code_page.hpp"
#include "file_system.hpp"
#include "long_path.hpp"
#include "module_path.hpp"
#include "usage_window.hpp"
#include "visible_station.hpp"
#include "wide_text.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {

Text Win32Platform::CommandLineTail() {
    return FromWide(win32::CommandLineTail(GetCommandLineW(), ModulePath()));
}

Text Win32Platform::ToolDirectory() {
    return FromWide(Directory());
}

const std::wstring& Win32Platform::Directory() {
    if (directory_.empty()) directory_ = ToolDirectoryPath();
    return directory_;
}

std::wstring Win32Platform::PathOf(const Text& name) {
    return LongPathSafe(Directory() + L"\\" + ToWide(name));
}

bool Win32Platform::FileExists(const Text& name) {
    return IsOrdinaryFile(PathOf(name));
}

// Windows matches names without regard to case, so one deletion clears every spelling.
void Win32Platform::RemoveIfExists(const Text& name) {
    DeleteIfPresent(PathOf(name));
}

std::unique_ptr<ByteReader> Win32Platform::OpenForReading(const Text& name) {
    return OpenFileForReading(PathOf(name));
}

void Win32Platform::WriteFile(const Text& name, std::string_view bytes) {
    WriteWholeFile(PathOf(name), bytes);
}

std::string Win32Platform::EncodeText(TextView text) {
    return EncodeForFiles(text);
}

const LegacyCodePage& Win32Platform::LegacyCharacters() {
    return CodePageCharacters(GetACP());
}

unsigned Win32Platform::ConsoleCodePage() {
    return ParentConsoleCodePage();
}

unsigned Win32Platform::OemCodePage() {
    return GetOEMCP();
}

unsigned Win32Platform::AnsiCodePage() {
    return GetACP();
}

const LegacyCodePage& Win32Platform::CodePageCharacters(unsigned codePage) {
    auto found = codePages_.find(codePage);
    if (found == codePages_.end())
        found = codePages_.emplace(codePage, win32::CodePageCharacters(codePage)).first;
    return found->second;
}

Text Win32Platform::ReadInCodePage(unsigned codePage, std::string_view bytes) {
    return win32::ReadInCodePage(codePage, bytes);
}

void Win32Platform::Sleep(std::chrono::milliseconds duration) {
    ::Sleep(static_cast<DWORD>(duration.count()));
}

bool Win32Platform::CanShowWindows() {
    return WindowStationIsVisible();
}

void Win32Platform::ShowMessageBox(const Text& message) {
    if (MessageBoxW(nullptr, ToWide(message).c_str(), L"Error", MB_OK | MB_ICONERROR) == 0) {
        ThrowLastError("MessageBoxW");
    }
}

// A debugger or DebugView shows it; nothing else in a windowed program would.
void Win32Platform::LogFailureReason(std::string_view reason) noexcept {
    try {
        OutputDebugStringW((L"Tarvik: " + WideFromUtf8(reason) + L"\n").c_str());
    } catch (...) {
        // Only the developer's view of the failure is lost.
    }
}

void Win32Platform::ShowUsageWindow() {
    win32::ShowUsageWindow();
}

}  // namespace tarvik::win32

// Wires the platform interface to the POSIX pieces, with names as UTF-8 paths in the tool's
// directory.
#include "posix_platform.hpp"

#include <string>
#include <thread>

#include "command_line.hpp"
#include "file_system.hpp"
#include "general_failure.hpp"
#include "legacy_code_page.hpp"
#include "result_encoding.hpp"
#include "terminal_output.hpp"

namespace tarvik {

PosixPlatform::PosixPlatform(int argc, char** argv)
    : arguments_(argv + (argc > 0 ? 1 : 0), argv + argc) {}

Text PosixPlatform::CommandLineTail() {
    return posix::CommandLineTail(arguments_);
}

Text PosixPlatform::ToolDirectory() {
    return DecodeUtf8Lossless(directory_.Path());
}

std::string PosixPlatform::PathOf(const Text& name) const {
    return directory_.Path() + "/" + EncodeUtf8Lossless(name);
}

bool PosixPlatform::FileExists(const Text& name) {
    return posix::IsOrdinaryFile(PathOf(name));
}

void PosixPlatform::RemoveIfExists(const Text& name) {
    posix::RemoveEverySpelling(directory_.Path(), name);
}

std::unique_ptr<ByteReader> PosixPlatform::OpenForReading(const Text& name) {
    return posix::OpenFileForReading(PathOf(name));
}

void PosixPlatform::WriteFile(const Text& name, std::string_view bytes) {
    const std::string path = PathOf(name);
    posix::WriteWholeFile(directory_.Path(), path, bytes);
}

std::string PosixPlatform::EncodeText(TextView text) {
    return EncodeUtf8Lossless(text);
}

// No code page is configured on Linux: one byte per character, each its own code point.
const LegacyCodePage& PosixPlatform::LegacyCharacters() {
    return Latin1CodePage();
}

// Every file the tool writes is UTF-8 here.
unsigned PosixPlatform::ConsoleCodePage() {
    return kUtf8CodePage;
}

unsigned PosixPlatform::OemCodePage() {
    return kUtf8CodePage;
}

unsigned PosixPlatform::AnsiCodePage() {
    return kUtf8CodePage;
}

const LegacyCodePage& PosixPlatform::CodePageCharacters(unsigned codePage) {
    throw GeneralFailure("no code page " + std::to_string(codePage) + " on this system");
}

Text PosixPlatform::ReadInCodePage(unsigned codePage, std::string_view bytes) {
    if (codePage != kUtf8CodePage)
        throw GeneralFailure("no code page " + std::to_string(codePage) + " on this system");
    return DecodeUtf8Lossless(bytes);
}

// Files here have no mandatory locks, so nothing is ever in use; the wait is there all the same.
void PosixPlatform::Sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

// The message box and the usage window are printed, which needs nobody to close them.
bool PosixPlatform::CanShowWindows() {
    return true;
}

void PosixPlatform::ShowMessageBox(const Text& message) {
    posix::PrintMessage(message);
}

void PosixPlatform::LogFailureReason(std::string_view reason) noexcept {
    posix::PrintFailureReason(reason);
}

void PosixPlatform::ShowUsageWindow() {
    posix::PrintUsage();
}

}  // namespace tarvik

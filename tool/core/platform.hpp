// Everything the tool needs from the world, behind one small interface: the run flow is the same
// on every platform and is tested through a fake one.
//
// File names are relative to the tool directory; the platform joins them to it. Any operation
// that fails throws (GeneralFailure or another std::exception), which the run reports as the
// general failure.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "legacy_code_page.hpp"
#include "text.hpp"

namespace tarvik {

// Reads a file's bytes in order.
class ByteReader {
  public:
    virtual ~ByteReader() = default;
    // Fills the front of `buffer`; returns how many bytes were read, 0 only at the end of the file.
    virtual std::size_t Read(std::span<char> buffer) = 0;
};

// Typed text as the files the tool writes hold it.
struct EncodedText {
    std::string bytes;
    // True when `bytes` spell the text in the legacy code page too, so that bytes from a legacy
    // line may share a line with them; else they are UTF-8.
    bool inLegacyCodePage = false;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // All text after the program name, exactly as typed.
    virtual Text CommandLineTail() = 0;
    // The directory of the executable, as messages show it.
    virtual Text ToolDirectory() = 0;

    // True for an ordinary file (not a directory) of that name.
    virtual bool FileExists(const Text& name) = 0;
    // Removes a previous run's output file of that name, however its letters are cased.
    virtual void RemoveIfExists(const Text& name) = 0;
    virtual std::unique_ptr<ByteReader> OpenForReading(const Text& name) = 0;
    // Replaces the whole file: afterwards it holds either its old content or `bytes`, never a part.
    virtual void WriteFile(const Text& name, std::string_view bytes) = 0;

    // Bytes for typed and fixed text in the files the tool writes.
    virtual EncodedText EncodeText(TextView text) = 0;
    // The code page of file lines that are not UTF-8.
    virtual const LegacyCodePage& LegacyCharacters() = 0;

    // Modal: each returns when the user has closed it.
    virtual void ShowMessageBox(const Text& message) = 0;
    virtual void ShowUsageWindow() = 0;
};

}  // namespace tarvik

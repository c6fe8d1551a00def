// Everything the tool needs from the world, behind one small interface: the run flow is the same
// on every platform and is tested through a fake one.
//
// File names are relative to the tool directory; the platform joins them to it. Any operation
// that fails throws (GeneralFailure or another std::exception), which the run reports as the
// general failure; FileInUse where another program holds the file for now, which the run retries.
#pragma once

#include <chrono>
#include <memory>
#include <string_view>

#include "byte_reader.hpp"
#include "general_failure.hpp"
#include "text.hpp"
#include "text_encoding.hpp"

namespace tarvik {

// A file operation refused because another program (a virus scanner, an indexer, a backup agent)
// has the file open without the sharing the operation needs, or is deleting it: this passes.
class FileInUse : public GeneralFailure {
  public:
    using GeneralFailure::GeneralFailure;
};

// Besides the world outside, the text encoding of the files the tool reads and writes.
class Platform : public TextEncoding {
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

    // Tells the developer why a run failed, where the platform has a place for that; never throws.
    virtual void LogFailureReason(std::string_view reason) noexcept = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;

    // False where nobody can see a window: a window station without visible display surfaces (a
    // scheduled task run without a logged-on user, a service), or none at all.
    virtual bool CanShowWindows() = 0;
    // Modal: each returns when the user has closed it.
    virtual void ShowMessageBox(const Text& message) = 0;
    virtual void ShowUsageWindow() = 0;
};

}  // namespace tarvik

// Per-case directories for the launcher's Windows tests, and small file helpers. The tests work
// with ANSI paths and environment strings, as the launcher's own C runtime calls do.
#pragma once

#include <string>

#include "win32/scratch_dir.hpp"

namespace norlak::wine_tests {

// A fresh directory under %TEMP% with subdirectories home (holds a copy of the launcher), work
// (the working directory), bin (for PATH) and io (captured streams). Removed afterwards.
class Sandbox {
    test_support::ScratchDir scratch_;

  public:
    explicit Sandbox(const std::string& launcher);

    std::string root, home, work, bin, io, launcher;
};

// Conversions between ANSI strings and the wide API.
std::wstring Wide(const std::string& ansi);
std::string Ansi(const std::wstring& wide);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
void CopyFileOrThrow(const std::string& from, const std::string& to);

}  // namespace norlak::wine_tests

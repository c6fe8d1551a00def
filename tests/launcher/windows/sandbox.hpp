// Per-case directories for the launcher's Windows tests, and small file helpers (ANSI paths).
#pragma once

#include <string>

namespace norlak::testing {

// A fresh directory under %TEMP% with subdirectories home (holds a copy of the launcher), work
// (the working directory), bin (for PATH) and io (captured streams). Removed afterwards.
class Sandbox {
public:
    explicit Sandbox(const std::string& launcher);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    std::string root, home, work, bin, io, launcher;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
void CopyFileOrThrow(const std::string& from, const std::string& to);

}  // namespace norlak::testing

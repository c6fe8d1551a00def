// A fresh temporary directory for one test case, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace norlak::testing {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return root; }

    // Creates the subdirectory `name` (if needed) and returns its path.
    std::filesystem::path Subdir(const std::string& name) const;

private:
    std::filesystem::path root;
};

// Writes `text` to `file` and makes it executable when asked, as the shell needs to run it.
void WriteScript(const std::filesystem::path& file, const std::string& text, bool executable = true);

std::string ReadFile(const std::filesystem::path& file);

}  // namespace norlak::testing

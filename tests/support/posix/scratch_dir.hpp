// A fresh temporary directory for one test case, removed with everything in it afterwards, and
// whole-file reads and writes.
#pragma once

#include <filesystem>
#include <string>

namespace test_support {

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return root_; }
    // Creates the subdirectory `name` (if needed) and returns its path.
    std::filesystem::path Subdir(const std::string& name) const;

  private:
    std::filesystem::path root_;
};

// Throws when the file cannot be written whole.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);
// Empty when the file cannot be read.
std::string ReadFile(const std::filesystem::path& file);

}  // namespace test_support

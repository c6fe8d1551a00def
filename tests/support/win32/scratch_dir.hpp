// A fresh temporary directory for one case, removed with everything in it afterwards, and the
// few file operations the cases need.
#pragma once

#include <string>
#include <vector>

namespace test_support {

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Full path without a trailing backslash; empty when the directory could not be made.
    const std::wstring& Path() const { return path_; }
    // Creates a subdirectory and returns its full path.
    std::wstring MakeSubdirectory(const std::wstring& name) const;

  private:
    std::wstring path_;
};

bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool IsDirectory(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
// Names of the entries of a directory, without "." and "..", as the file system spells them.
std::vector<std::wstring> ListDirectory(const std::wstring& directory);

}  // namespace test_support

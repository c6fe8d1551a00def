// A new file written beside a target and moved over it only when whole.
#pragma once

#include <string>
#include <string_view>

#include "win32_handles.hpp"

namespace tarvik::win32 {

// The file lives under a short name of its own in the target's directory, so a target name of any
// length leaves room for it. Until committed it is held with a delete disposition: the system
// removes it when the handle closes, after a failure and also when the process is killed, where no
// clean-up code of ours would run.
class ReplacementFile {
  public:
    explicit ReplacementFile(const std::wstring& target);
    // Without a commit the file vanishes.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    void Write(std::string_view bytes);
    // Flushes the file and moves it over the target.
    void Commit();

  private:
    std::wstring target_;
    std::wstring temporary_;
    unique_hfile file_;
    // Set once the delete disposition is cleared: from then on removing the file is our job.
    bool kept_ = false;
};

// WriteFile until every byte is written.
void WriteAll(HANDLE file, std::string_view bytes, const std::wstring& path);

}  // namespace tarvik::win32

// The directory of the running executable, where the tool finds and writes its files.
#pragma once

#include <string>
#include <system_error>

namespace tarvik::posix {

class ExecutableDirectory {
  public:
    // Looked up once; a failure is kept and reported by the first use, inside the run, where
    // every failure ends in the tool's report.
    ExecutableDirectory();

    // Throws if the directory could not be found.
    const std::string& Path() const;

  private:
    std::string path_;
    std::error_code error_;
};

}  // namespace tarvik::posix

// A fresh copy of the native tool in a temporary directory, run with given arguments, with
// everything it left behind collected for the checks.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "posix/scratch_dir.hpp"

namespace test_support {

using Files = std::map<std::string, std::string>;  // name in the tool directory -> bytes

struct ToolRun {
    std::vector<std::string> arguments;
    int status = -1;  // as the shell shows it: 128 + n after signal n
    std::string out;
    std::string err;
    Files files;  // every entry of the tool directory except the tool; "<directory>" for one

    // Everything a failing test should show.
    std::string Describe() const;
};

struct ToolRunOptions {
    std::string workingDirectory{};  // the tool directory when empty
    std::optional<unsigned long> fileSizeLimit{};
    bool asNobody = false;
};

class ToolSandbox {
  public:
    ToolSandbox();

    const std::string& directory() const { return directory_; }
    std::string tool() const { return directory_ + "/tarvik"; }
    void Write(const std::string& name, const std::string& bytes) const;
    void MakeDirectory(const std::string& name) const;
    // Every entry of the tool directory except the tool, as in ToolRun::files.
    Files Contents() const;

    // Runs the tool with these arguments, inheriting the test's environment.
    ToolRun Run(const std::vector<std::string>& arguments,
                const ToolRunOptions& options = {}) const;

  private:
    ScratchDir scratch_;
    std::string directory_;
};

}  // namespace test_support

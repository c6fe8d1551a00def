// A fresh copy of the tool in a temporary directory, run with given arguments, with everything it
// left behind collected for the checks.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tarvik::e2e {

using Files = std::map<std::string, std::string>;  // name in the tool directory -> bytes

struct RunResult {
    std::vector<std::string> arguments;
    int status = -1;
    std::string out;
    std::string err;
    Files files;  // every file in the tool directory except the tool itself

    // Everything a failing test should show.
    std::string Describe() const;
};

class ToolSandbox {
public:
    ToolSandbox();
    ~ToolSandbox();
    ToolSandbox(const ToolSandbox&) = delete;
    ToolSandbox& operator=(const ToolSandbox&) = delete;

    const std::string& directory() const { return directory_; }
    void Write(const std::string& name, const std::string& bytes) const;
    void MakeDirectory(const std::string& name) const;

    // Runs the tool with these arguments from `workingDirectory` (default: the tool directory).
    RunResult Run(const std::vector<std::string>& arguments, const std::string& workingDirectory = {}) const;

private:
    std::string directory_;
};

}  // namespace tarvik::e2e

// Runs the tool the way the fault tests need it: under a file size limit, or as an unprivileged
// user, with its output captured through pipes so that the limit does not apply to it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvik::faults {

struct Restrictions {
    std::optional<unsigned long> fileSizeLimit;  // bytes (RLIMIT_FSIZE)
    bool asNobody = false;                       // drop root to the user "nobody"
};

struct ToolOutput {
    int status = -1;
    std::string out;
    std::string err;
};

// Whether a run as another user can show anything: when not root, the test user itself is
// already unprivileged and runs directly.
bool CanDropPrivileges();

// Runs `tool` with `arguments` from its own directory.
ToolOutput RunRestricted(const std::string& tool, const std::vector<std::string>& arguments,
                         const Restrictions& restrictions);

// Names in `directory`, except `tool`.
std::vector<std::string> DirectoryNames(const std::string& directory);

}  // namespace tarvik::faults

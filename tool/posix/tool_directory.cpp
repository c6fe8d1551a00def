// The executable's directory from /proc/self/exe.
#include "tool_directory.hpp"

#include <filesystem>

#include "posix_error.hpp"

namespace tarvik::posix {

ExecutableDirectory::ExecutableDirectory() {
    path_ = std::filesystem::read_symlink("/proc/self/exe", error_).parent_path().string();
}

const std::string& ExecutableDirectory::Path() const {
    if (error_) ThrowError("readlink /proc/self/exe", error_);
    return path_;
}

}  // namespace tarvik::posix

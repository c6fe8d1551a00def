// Failures of system calls as the tool's general failure, with the reason kept for the log.
#pragma once

#include <string>
#include <system_error>

namespace tarvik::posix {

// `what` followed by the reason in errno.
[[noreturn]] void ThrowErrno(const std::string& what);

[[noreturn]] void ThrowError(const std::string& what, const std::error_code& error);

}  // namespace tarvik::posix

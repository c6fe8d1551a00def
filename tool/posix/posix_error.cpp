// Failures of system calls as the tool's general failure.
#include "posix_error.hpp"

#include <cerrno>
#include <cstring>

#include "general_failure.hpp"

namespace tarvik::posix {

void ThrowErrno(const std::string& what) {
    throw GeneralFailure(what + ": " + std::strerror(errno));
}

void ThrowError(const std::string& what, const std::error_code& error) {
    throw GeneralFailure(what + ": " + error.message());
}

}  // namespace tarvik::posix

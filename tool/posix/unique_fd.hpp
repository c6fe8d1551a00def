// POSIX file descriptors as the shared owning handle.
#pragma once

#include <unistd.h>

#include "unique_handle.hpp"

namespace tarvik::posix {

// clang-format off
struct FdTraits { using pointer = int; static int invalid() noexcept { return -1; } static void close(int fd) noexcept { ::close(fd); } };
// clang-format on

using unique_fd = unique_handle<FdTraits>;

}  // namespace tarvik::posix

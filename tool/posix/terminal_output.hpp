// The message box, the usage window and the failure log of the POSIX build, printed on the
// terminal.
#pragma once

#include <string_view>

#include "text.hpp"

namespace tarvik::posix {

// On standard error; throws if it could not be printed.
void PrintMessage(const Text& message);

// On standard error, and only when TARVIK_DEBUG is set.
void PrintFailureReason(std::string_view reason) noexcept;

// On standard output; throws if it could not be printed.
void PrintUsage();

}  // namespace tarvik::posix

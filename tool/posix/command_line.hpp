// The command-line tail of the POSIX build: the arguments, as the shell split them, joined again.
#pragma once

#include <string>
#include <vector>

#include "text.hpp"

namespace tarvik::posix {

// The arguments after the program name, joined by single spaces, as one command line.
Text CommandLineTail(const std::vector<std::string>& arguments);

}  // namespace tarvik::posix

// Main: one run of the tool, from the command line to the file it writes.
#pragma once

#include "outcome.hpp"
#include "platform.hpp"

namespace tarvik {

Outcome Main(Platform& platform);

}  // namespace tarvik

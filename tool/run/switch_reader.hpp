// ReadSwitchValue: the value of one switch, found by plain text search in the command line.
#pragma once

#include "text.hpp"

namespace tarvik {

// Returns the text after `key` (three characters, upper case, e.g. "/T:") up to the next "/",
// trimmed of spaces; empty when the key does not occur. The key is searched in an upper-cased
// copy, so it matches in any letter case; the value keeps the case it was typed in.
// Throws GeneralFailure when a position leaves the 16-bit range.
Text ReadSwitchValue(TextView commandLine, TextView key);

}  // namespace tarvik

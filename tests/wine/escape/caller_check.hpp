// A result file run the way a batch author runs it: a caller in this console calls it, then reads
// the variable the two ways the users' guide advises.
#pragma once

#include <string>

#include "roundtrip_case.hpp"

namespace roundtrip {

enum class Expansion { Off, On };

// Calls the v.cmd of `c` in `caseDirectory` from a caller with delayed expansion off or on, and
// compares everything the caller printed and did with what the value alone would give. Prints
// each failure (or, under Wine, each known Wine difference) under `name`; returns the failures.
int CheckCaller(const Case& c, const std::string& name, const std::wstring& caseDirectory,
                Expansion expansion);

}  // namespace roundtrip

// Runs one case from start to end in a fresh directory and prints its outcome.
#pragma once

#include <string>

#include "case.hpp"

namespace wine_driver {

// `tarvik` is the Windows path of the Tarvik.exe under test. True when every check passed.
bool RunCase(const Case& testCase, const std::wstring& tarvik);

}  // namespace wine_driver

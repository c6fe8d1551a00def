// Report texts the tests expect, written out once: the general failure's message is the one most
// cases end in.
#pragma once

#include <string_view>

namespace test_support {

inline constexpr std::string_view kGeneralFailure = "Program find a heavy error, must exist";

}  // namespace test_support

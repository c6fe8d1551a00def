// Known differences of Wine from Windows, marked the way Wine's own conformance tests mark them
// (todo_wine): a case states what Windows does; where Wine is known to differ, the case carries the
// reason, and under Wine a failure of it is reported as that difference instead of failing the
// run. On Windows the case must pass.
#pragma once

#include <string>
#include <string_view>

namespace test_support {

bool RunningUnderWine();

// Whether a failed check of `caseName` fails the run. Under Wine, for a case with a `wineReason`,
// it prints "wine difference: CASE: REASON (WHAT)" and answers false.
bool FailsTheRun(std::string_view caseName, std::string_view wineReason, std::string_view what);

}  // namespace test_support

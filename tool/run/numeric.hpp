// What "/S:" and "/L:" accept as a number: an optional sign, decimal digits, optionally a point
// and more digits, at least one digit in all. A fraction rounds half to even.
#pragma once

#include "int16.hpp"
#include "text.hpp"

namespace tarvik {

bool IsNumeric(TextView text);

// The numeric text as a 16-bit integer; throws GeneralFailure beyond -32768..32767.
// Precondition: IsNumeric(text).
Int16 NumericToInt16(TextView text);

}  // namespace tarvik

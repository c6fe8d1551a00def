// Escaping for the result command file: the SET line a batch script runs must set exactly one
// variable to exactly the value, and do nothing else, whatever characters the value holds.
#pragma once

#include <cstddef>
#include <vector>

#include "text.hpp"

namespace tarvik {

// cmd refuses longer lines, before or after expansion.
inline constexpr std::size_t kMaxBatchLineLength = 8191;

// Phase 2 of cmd's parse acts on these (^ & | < > ( ) ") unless a caret stands before them.
bool IsSpecial(char32_t c);

// The lines that set `name` to `value`. Without "!" in either this is the one line
// SET name=value, with % doubled and ^ & | < > ( ) " behind a caret. With "!" a second line
// follows, guarded by IF "!!"=="" so that it runs only for callers with delayed expansion on, and
// escaped for them; when the name holds a "!" or a caret, the first line is guarded the other way.
// Throws GeneralFailure for what no batch line can carry: NUL, CR, LF or Ctrl-Z anywhere, a name
// that SET would read differently (empty, holding "=", or starting with a quote, a slash or a
// delimiter).
std::vector<Text> SetVariableLines(const Text& name, const Text& value);

}  // namespace tarvik

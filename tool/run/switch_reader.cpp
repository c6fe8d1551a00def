// The switch reader, with its positions held as 1-based 16-bit integers.
#include "switch_reader.hpp"

#include "case_mapping.hpp"
#include "int16.hpp"

namespace tarvik {
namespace {

// 1-based position of `what` in `text` from 1-based `start`, or 0 when absent.
long long Position(TextView text, TextView what, long long start) {
    const auto index = text.find(what, static_cast<std::size_t>(start - 1));
    return index == TextView::npos ? 0 : static_cast<long long>(index) + 1;
}

}  // namespace

Text ReadSwitchValue(TextView commandLine, TextView key) {
    const Text upper = ToUpper(commandLine);
    const Int16 keyPosition = CheckedInt16(Position(upper, key, 1));
    if (keyPosition == 0) return {};
    const Int16 valueStart = CheckedAdd(keyPosition, 3);
    const Int16 slash = CheckedInt16(Position(commandLine, U"/", valueStart));
    const auto from = static_cast<std::size_t>(valueStart - 1);
    if (from >= commandLine.size()) return {};
    const TextView value =
        slash == 0 ? commandLine.substr(from)
                   : commandLine.substr(from, static_cast<std::size_t>(slash - keyPosition - 3));
    return TrimSpaces(value);
}

}  // namespace tarvik

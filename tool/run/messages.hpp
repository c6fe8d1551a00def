// The fixed texts of failure reports and not-found reports, selected by ErrorKind.
#pragma once

#include <cstdint>
#include <vector>

#include "text.hpp"

namespace tarvik {

enum class ErrorKind : std::int16_t {
    FileNotFound = 1,
    CommandError = 2,
    StartNotNumeric = 3,
    LengthNotNumeric = 5,
    LengthOutOfRange = 6,
    CompareNotQuoted = 7,
    TargetNotQuoted = 8,
    General = 9,
};

// The run's values that messages quote, as they stand at the time of the failure.
struct MessageValues {
    Text fileName{};
    Text toolDirectory{};
    Text startOffset{};
    Text length{};
};

std::vector<Text> FailureMessageLines(ErrorKind kind, const MessageValues& values);

std::vector<Text> NotFoundInFileLines(const Text& compare, const Text& fileName);
std::vector<Text> NotFoundInStringLines(const Text& compare, const Text& target);

// Lines joined with CR LF, nothing after the last: the text of the message box.
Text JoinLines(const std::vector<Text>& lines);

}  // namespace tarvik

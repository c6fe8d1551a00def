// How a run ended, and the exit status that tells it to a batch script (IF ERRORLEVEL).
#pragma once

#include <string>

#include "messages.hpp"

namespace tarvik {

enum class Ending {
    UsageShown,         // empty command line or "?"
    ResultWritten,      // the result command file holds the SET line
    PresenceConfirmed,  // compare string found, nothing asked to be written
    NotFound,           // a not-found report in the error file
    FailureReported,    // error file, message box and usage window for an ErrorKind
    ReportIncomplete,   // as FailureReported, but the error file could not be written or a window
                        // not shown
};

struct Outcome {
    Ending ending;
    ErrorKind kind = ErrorKind::General;  // FailureReported and ReportIncomplete only
    // Why a general failure happened, and why a report could not be completed; the user sees only
    // the fixed message.
    std::string reason{};
};

// 0 success or usage, 1 not found, 10 + ErrorKind after a failure report, 20 + ErrorKind when
// that report could not be completed.
int ExitStatus(const Outcome& outcome);

}  // namespace tarvik

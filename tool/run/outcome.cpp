// Exit statuses are decided here and nowhere else.
#include "outcome.hpp"

namespace tarvik {

int ExitStatus(const Outcome& outcome) {
    switch (outcome.ending) {
        case Ending::UsageShown:
        case Ending::ResultWritten:
        case Ending::PresenceConfirmed:
            return 0;
        case Ending::NotFound:
            return 1;
        case Ending::FailureReported:
            return 10 + static_cast<int>(outcome.kind);
        case Ending::ReportIncomplete:
            return 20 + static_cast<int>(outcome.kind);
    }
    return 20 + static_cast<int>(ErrorKind::General);
}

}  // namespace tarvik

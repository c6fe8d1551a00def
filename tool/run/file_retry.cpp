// The waits between tries of a file in use.
#include "file_retry.hpp"

#include <algorithm>
#include <string>

namespace tarvik {

void FileRetry::WaitOrGiveUp(const FileInUse& inUse) {
    const std::chrono::milliseconds left = kFileRetryAllowance - waited_;
    if (left <= std::chrono::milliseconds::zero()) {
        throw GeneralFailure(std::string(inUse.what()) + "; still in use after " +
                             std::to_string(kFileRetryAllowance.count()) + " ms of retries");
    }
    const std::chrono::milliseconds wait = std::min(next_, left);
    platform_.Sleep(wait);
    waited_ += wait;
    next_ = std::min(next_ * 2, kLongestFileRetryWait);
}

}  // namespace tarvik

// Riding out a file that another program holds for a moment: virus scanners, indexers and backup
// agents open every new file, often without the sharing that deleting or replacing it needs.
#pragma once

#include <chrono>

#include "platform.hpp"

namespace tarvik {

// How long a run waits in all for files in use, and the longest single wait.
inline constexpr std::chrono::milliseconds kFileRetryAllowance{2000};
inline constexpr std::chrono::milliseconds kLongestFileRetryWait{250};

// Runs each file operation of one run, again and again while the platform says the file is in
// use, after waits that start at 1 ms and double up to the longest, until the run's allowance is
// spent; then the operation's reason stands as a general failure.
class FileRetry {
  public:
    explicit FileRetry(Platform& platform) : platform_(platform) {}

    template <typename Operation>
    decltype(auto) operator()(Operation&& operation) {
        for (;;) {
            try {
                return operation();
            } catch (const FileInUse& inUse) {
                WaitOrGiveUp(inUse);
            }
        }
    }

  private:
    void WaitOrGiveUp(const FileInUse& inUse);

    Platform& platform_;
    std::chrono::milliseconds waited_{0};
    std::chrono::milliseconds next_{1};
};

}  // namespace tarvik

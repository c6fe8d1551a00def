// Runs a clean-up when its scope is left, unless dismissed first: the rollback of work that must be
// undone if anything between its start and its end throws.
#pragma once

#include <utility>

namespace tarvik {

template <typename CleanUp>
class ScopeExit {
  public:
    explicit ScopeExit(CleanUp cleanUp) : cleanUp_(std::move(cleanUp)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (armed_) cleanUp_();
    }
    void Dismiss() { armed_ = false; }

  private:
    CleanUp cleanUp_;
    bool armed_ = true;
};

}  // namespace tarvik

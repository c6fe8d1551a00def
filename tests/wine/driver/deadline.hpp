// A point in time after which a wait gives up: every wait of the driver has one, none sleeps
// blindly.
#pragma once

#include <windows.h>

namespace wine_driver {

class Deadline {
  public:
    explicit Deadline(DWORD milliseconds) : end_(GetTickCount64() + milliseconds) {}
    bool Passed() const { return GetTickCount64() >= end_; }
    // Milliseconds left, at most `cap`: the longest single wait before looking again.
    DWORD Remaining(DWORD cap) const {
        const ULONGLONG now = GetTickCount64();
        if (now >= end_) return 0;
        const ULONGLONG left = end_ - now;
        return left < cap ? static_cast<DWORD>(left) : cap;
    }

  private:
    ULONGLONG end_;
};

// How long Wine may take to show a window or to end a process before the case fails.
inline constexpr DWORD kWindowTimeoutMs = 30000;

}  // namespace wine_driver

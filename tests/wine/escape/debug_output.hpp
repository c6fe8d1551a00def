// What programs tell the developer through OutputDebugString, caught the way debug viewers catch
// it: through the shared DBWIN buffer, which the system fills when no debugger is attached.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace roundtrip {

class DebugOutput {
  public:
    // Listens from here on; nothing when another listener holds the buffer.
    DebugOutput();
    ~DebugOutput();
    DebugOutput(const DebugOutput&) = delete;
    DebugOutput& operator=(const DebugOutput&) = delete;

    bool Listening() const { return listening_; }
    // Every string process `id` has sent so far, in the code page it was sent in.
    std::vector<std::string> Of(DWORD id);

  private:
    static DWORD WINAPI Listen(void* self);

    HANDLE bufferReady_ = nullptr, dataReady_ = nullptr, mapping_ = nullptr;
    const char* view_ = nullptr;
    bool listening_ = false;
    volatile LONG stop_ = 0;
    SRWLOCK lock_ = SRWLOCK_INIT;  // over received_
    std::vector<std::pair<DWORD, std::string>> received_;
    HANDLE listener_ = nullptr;
};

}  // namespace roundtrip

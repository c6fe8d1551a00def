// The buffer holds the sender's process id and the string; a sender waits for "buffer ready",
// writes, and sets "data ready".
#include "debug_output.hpp"

#include <cstring>

namespace roundtrip {
namespace {

constexpr DWORD kBufferSize = 4096;

}  // namespace

DebugOutput::DebugOutput() {
    bufferReady_ = CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY");
    const bool taken = GetLastError() == ERROR_ALREADY_EXISTS;
    dataReady_ = CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY");
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBufferSize,
                                  L"DBWIN_BUFFER");
    if (taken || !bufferReady_ || !dataReady_ || !mapping_) return;
    view_ = static_cast<const char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, kBufferSize));
    listening_ = view_ != nullptr;
    if (listening_) listener_ = CreateThread(nullptr, 0, Listen, this, 0, nullptr);
    listening_ = listener_ != nullptr;
}

DebugOutput::~DebugOutput() {
    InterlockedExchange(&stop_, 1);
    if (listener_) WaitForSingleObject(listener_, 5000);
    if (view_) UnmapViewOfFile(view_);
    for (HANDLE h : {listener_, mapping_, dataReady_, bufferReady_})
        if (h) CloseHandle(h);
}

// Each wait ends within 100 ms, so the thread sees the stop soon.
DWORD WINAPI DebugOutput::Listen(void* self) {
    auto& output = *static_cast<DebugOutput*>(self);
    while (InterlockedCompareExchange(&output.stop_, 0, 0) == 0) {
        SetEvent(output.bufferReady_);
        if (WaitForSingleObject(output.dataReady_, 100) != WAIT_OBJECT_0) continue;
        DWORD sender = 0;
        std::memcpy(&sender, output.view_, sizeof sender);
        const char* text = output.view_ + sizeof sender;
        std::string line(text, strnlen(text, kBufferSize - sizeof sender));
        AcquireSRWLockExclusive(&output.lock_);
        output.received_.emplace_back(sender, std::move(line));
        ReleaseSRWLockExclusive(&output.lock_);
    }
    return 0;
}

std::vector<std::string> DebugOutput::Of(DWORD id) {
    std::vector<std::string> lines;
    AcquireSRWLockShared(&lock_);
    for (const auto& [sender, line] : received_)
        if (sender == id) lines.push_back(line);
    ReleaseSRWLockShared(&lock_);
    return lines;
}

}  // namespace roundtrip

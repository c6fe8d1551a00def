// Owning wrappers for Win32 handles: each handle type is one line of traits, released exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace tarvik::win32 {

template <typename Traits>
class unique_handle {
  public:
    using pointer = typename Traits::pointer;

    unique_handle() noexcept = default;
    explicit unique_handle(pointer value) noexcept : value_(value) {}
    unique_handle(unique_handle&& other) noexcept : value_(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~unique_handle() { reset(); }

    pointer get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::invalid(); }
    pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(pointer value = Traits::invalid()) noexcept {
        if (*this) Traits::close(value_);
        value_ = value;
    }

  private:
    pointer value_ = Traits::invalid();
};

// clang-format off
struct HwndTraits { using pointer = HWND; static HWND invalid() noexcept { return nullptr; } static void close(HWND h) noexcept { DestroyWindow(h); } };
struct HfontTraits { using pointer = HFONT; static HFONT invalid() noexcept { return nullptr; } static void close(HFONT h) noexcept { DeleteObject(h); } };
struct HfileTraits { using pointer = HANDLE; static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; } static void close(HANDLE h) noexcept { CloseHandle(h); } };
struct ScreenDcTraits { using pointer = HDC; static HDC invalid() noexcept { return nullptr; } static void close(HDC h) noexcept { ReleaseDC(nullptr, h); } };
// clang-format on

using unique_hwnd = unique_handle<HwndTraits>;
using unique_hfont = unique_handle<HfontTraits>;
using unique_hfile = unique_handle<HfileTraits>;
using unique_screen_dc = unique_handle<ScreenDcTraits>;

}  // namespace tarvik::win32

// The Win32 handle kinds, each one line of traits for the shared owning wrapper.
#pragma once

#include <windows.h>

#include "unique_handle.hpp"

namespace tarvik::win32 {

// clang-format off
struct HwndTraits { using pointer = HWND; static HWND invalid() noexcept { return nullptr; } static void close(HWND h) noexcept { DestroyWindow(h); } };
struct HfontTraits { using pointer = HFONT; static HFONT invalid() noexcept { return nullptr; } static void close(HFONT h) noexcept { DeleteObject(h); } };
struct HfileTraits { using pointer = HANDLE; static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; } static void close(HANDLE h) noexcept { CloseHandle(h); } };
struct KernelTraits { using pointer = HANDLE; static HANDLE invalid() noexcept { return nullptr; } static void close(HANDLE h) noexcept { CloseHandle(h); } };
struct ScreenDcTraits { using pointer = HDC; static HDC invalid() noexcept { return nullptr; } static void close(HDC h) noexcept { ReleaseDC(nullptr, h); } };
// clang-format on

using unique_hwnd = unique_handle<HwndTraits>;
using unique_hfont = unique_handle<HfontTraits>;
using unique_hfile = unique_handle<HfileTraits>;
// Processes, threads and the other kernel objects whose "none" is null, unlike a file's.
using unique_kernel_handle = unique_handle<KernelTraits>;
using unique_screen_dc = unique_handle<ScreenDcTraits>;

}  // namespace tarvik::win32

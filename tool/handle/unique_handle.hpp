// The one owning wrapper for system handles, on every platform: a handle kind is one line of
// traits (its type, its "none" value, how it is released), and the wrapper releases it exactly
// once. No platform headers here; the traits live with their platform layers.
#pragma once

#include <utility>

namespace tarvik {

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
    // Hands the handle over; a caller that must see whether releasing it failed releases it.
    pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(pointer value = Traits::invalid()) noexcept {
        if (*this) Traits::close(value_);
        value_ = value;
    }

  private:
    pointer value_ = Traits::invalid();
};

}  // namespace tarvik

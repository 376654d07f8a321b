// Read-only views of the caller's arrays, and their sizes as the module's
// 32-bit counts.
// Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
#ifndef CCLP_SCORE_CXX_ARRAY_REF_HPP
#define CCLP_SCORE_CXX_ARRAY_REF_HPP

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <system_error>
#include <vector>

#include "errors.hpp"

namespace cclp::score {

// A read-only view of a caller's contiguous array: a vector, a std::array,
// a C array, a braced list (for the call it is passed to), or pointer and
// count.
template <class T>
class ArrayRef {
public:
    constexpr ArrayRef() noexcept = default;
    constexpr ArrayRef(const T* data, std::size_t size) noexcept : data_(data), size_(size) {}
    ArrayRef(const std::vector<T>& values) noexcept : data_(values.data()), size_(values.size()) {}
    template <std::size_t N>
    constexpr ArrayRef(const std::array<T, N>& values) noexcept : data_(values.data()), size_(N) {}
    template <std::size_t N>
    constexpr ArrayRef(const T (&values)[N]) noexcept : data_(values), size_(N) {}
    // The list lives until the end of the call it is written in, which is
    // all a view passed as an argument needs.
#if defined(__GNUC__) && !defined(__clang__)
#  pragma GCC diagnostic push
#  pragma GCC diagnostic ignored "-Winit-list-lifetime"
#endif
    constexpr ArrayRef(std::initializer_list<T> values) noexcept
        : data_(values.begin()), size_(values.size()) {}
#if defined(__GNUC__) && !defined(__clang__)
#  pragma GCC diagnostic pop
#endif

    constexpr const T* data() const noexcept { return data_; }
    constexpr std::size_t size() const noexcept { return size_; }
    constexpr bool empty() const noexcept { return size_ == 0; }
    constexpr const T* begin() const noexcept { return data_; }
    constexpr const T* end() const noexcept { return data_ + size_; }
    constexpr const T& operator[](std::size_t i) const noexcept { return data_[i]; }

private:
    const T* data_ = nullptr;
    std::size_t size_ = 0;
};

namespace detail {

// A size as the module's 32-bit count, or CSYS_STATUS_OVERFLOW.
inline bool countFits(std::size_t size, int32_t& count, std::error_code& ec) noexcept {
    if (size > static_cast<std::size_t>(INT32_MAX)) {
        ec = makeErrorCode(CSYS_STATUS_OVERFLOW);
        return false;
    }
    count = static_cast<int32_t>(size);
    return true;
}

}  // namespace detail

}  // namespace cclp::score

#endif

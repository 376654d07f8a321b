/** @file
 * Read-only views of the caller's arrays, and their sizes as the module's
 * 32-bit counts.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
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

/// A read-only view of a caller's contiguous array: a vector, a std::array,
/// a C array, a braced list (for the call it is passed to), or pointer and
/// count.
template <class T>
class ArrayRef {
public:
    /// An empty view.
    constexpr ArrayRef() noexcept = default;
    /// The size values from data on.
    constexpr ArrayRef(const T* data, std::size_t size) noexcept : data_(data), size_(size) {}
    /// The vector's values (for as long as the vector keeps them).
    ArrayRef(const std::vector<T>& values) noexcept : data_(values.data()), size_(values.size()) {}
    /// The std::array's values.
    template <std::size_t N>
    constexpr ArrayRef(const std::array<T, N>& values) noexcept : data_(values.data()), size_(N) {}
    /// The C array's values.
    template <std::size_t N>
    constexpr ArrayRef(const T (&values)[N]) noexcept : data_(values), size_(N) {}
    /// A braced list's values, for the call the view is passed to.
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

    /// Where the values begin (null for a default-constructed view).
    constexpr const T* data() const noexcept { return data_; }
    /// The number of values.
    constexpr std::size_t size() const noexcept { return size_; }
    /// True when the view holds no value.
    constexpr bool empty() const noexcept { return size_ == 0; }
    /// Iteration: the first value.
    constexpr const T* begin() const noexcept { return data_; }
    /// Iteration: one past the last value.
    constexpr const T* end() const noexcept { return data_ + size_; }
    /// Value i, unchecked (i < size()).
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

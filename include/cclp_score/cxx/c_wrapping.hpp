/** @file
 * What the C++ wrappers of the scoring module and of the edge finder share:
 * a library's 32-bit statuses (negative: failure) as an error category that
 * names each one, the exception and the two forms (throwing and
 * std::error_code) of an operation, and the owner of one C record.
 * Header-only C++17; calls only the C functions its users hand it. Each
 * wrapper instantiates it with its own status texts:
 *
 *     struct Texts {
 *         static constexpr const char* kCategory = "cedge";
 *         static const char* name(int32_t status);     // null when unknown
 *         static const char* meaning(int32_t status);  // null when unknown
 *     };
 */
#ifndef CCLP_CXX_C_WRAPPING_HPP
#define CCLP_CXX_C_WRAPPING_HPP

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <type_traits>

#if !defined(CCLP_SCORE_NO_EXCEPTIONS) && !defined(__cpp_exceptions)
#  define CCLP_SCORE_NO_EXCEPTIONS
#endif

/// The C++ interfaces of the scoring module (cclp::score) and what they
/// share with the edge finder's (cclp::cwrap).
namespace cclp {

/// What the C++ interfaces of the scoring module and of the edge finder
/// share: statuses as errors, and the owner of one C record.
namespace cwrap {

/// A library's 32-bit statuses as a std::error_category that names each
/// one (cclp::score::ErrorCategory, cedge::ErrorCategory).
/// @tparam Texts The library's category name and status texts.
template <class Texts>
class StatusCategory final : public std::error_category {
public:
    /// The library's category name: "cclp_score" or "cedge".
    const char* name() const noexcept override { return Texts::kCategory; }

    /// "CCLP_STATUS_Y0_BELOW_Y1: y0 below y1", or the code in hex when no
    /// table knows it.
    std::string message(int condition) const override {
        const auto status = static_cast<int32_t>(condition);
        if (const char* statusName = Texts::name(status)) {
            return std::string(statusName) + ": " + Texts::meaning(status);
        }
        static const char kDigits[] = "0123456789ABCDEF";
        std::string text = "unknown status 0x";
        const auto bits = static_cast<uint32_t>(status);
        for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(bits >> shift) & 0xFu];
        return text;
    }
};

/// The one instance of StatusCategory<Texts>.
template <class Texts>
const std::error_category& statusCategory() noexcept {
    static const StatusCategory<Texts> category;
    return category;
}

/// Thrown by every failing operation of the library whose texts these are
/// (cclp::score::Error, cedge::Error): what() names the operation and the
/// status, code() is the status in the library's category.
template <class Texts>
class Error : public std::system_error {
public:
    using std::system_error::system_error;
    /// The C status (negative).
    int32_t status() const noexcept { return static_cast<int32_t>(code().value()); }
};

namespace detail {

// Stores a status in ec (cleared on success); true when it failed.
template <class Texts>
bool failed(int32_t status, std::error_code& ec) noexcept {
    if (status < 0) {
        ec = std::error_code(static_cast<int>(status), statusCategory<Texts>());
        return true;
    }
    ec.clear();
    return false;
}

// Throws Error<Texts>; built without exceptions, aborts.
template <class Texts>
[[noreturn]] void raise(const std::error_code& ec, const char* operation) {
#ifdef CCLP_SCORE_NO_EXCEPTIONS
    (void)ec;
    (void)operation;
    std::abort();
#else
    throw Error<Texts>(ec, operation);
#endif
}

// The throwing form of an operation written once in its noexcept form.
template <class Texts, class Operation>
decltype(auto) orThrow(const char* operation, Operation&& run) {
    std::error_code ec;
    if constexpr (std::is_void_v<decltype(run(ec))>) {
        run(ec);
        if (ec) raise<Texts>(ec, operation);
    } else {
        decltype(auto) result = run(ec);
        if (ec) raise<Texts>(ec, operation);
        return result;
    }
}

}  // namespace detail

//// Owns one C record: built by its construct, released by its destruct. A
/// move hands the record over and leaves an empty owner, which may be
/// destroyed or assigned to. A record whose construction failed is
/// destructed at once (the records are safe to destruct then) and not held.
/// @tparam Record The C record.
/// @tparam Ops kConstruct (the construct's name), construct and destruct.
/// @tparam Texts The library's status texts (for its errors).
template <class Record, class Ops, class Texts>
class Owned {
public:
    /// Constructs the record; a failure throws Error<Texts>.
    Owned() : Owned(NoThrow{}) {
        detail::orThrow<Texts>(Ops::kConstruct, [&](std::error_code& ec) { ec = status_; });
    }
    /// Selects the constructor that does not throw.
    struct NoThrow {};
    /// Constructs the record; a failure leaves an owner that holds nothing,
    /// and constructionStatus() says why.
    explicit Owned(NoThrow) noexcept { take(Ops::construct(&record_), status_); }
    /// Selects the constructor that constructs nothing.
    struct Empty {};
    /// An owner that holds nothing yet.
    explicit Owned(Empty) noexcept {}

    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    /// Takes over the other owner's record; the other holds nothing after.
    Owned(Owned&& other) noexcept : record_(other.record_), live_(other.live_) { other.forget(); }
    /// Destructs what this owner held and takes over the other's record.
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            destroy();
            record_ = other.record_;
            live_ = other.live_;
            other.forget();
        }
        return *this;
    }
    /// Destructs the record it holds.
    ~Owned() { destroy(); }

    /// False for a moved-from or released owner, and for one whose
    /// construction failed.
    bool valid() const noexcept { return live_; }
    /// The C record, to read.
    const Record& c() const noexcept { return record_; }
    /// The C record, for C functions that change it.
    Record& c() noexcept { return record_; }
    /// A pointer to the C record, to pass to C functions that read it.
    const Record* get() const noexcept { return &record_; }
    /// A pointer to the C record, to pass to C functions that fill it.
    Record* get() noexcept { return &record_; }
    /// Why the construction failed (Owned(NoThrow)); clear when it did not.
    const std::error_code& constructionStatus() const noexcept { return status_; }

    /// Hands the record over: the caller destructs it. The owner holds
    /// nothing afterwards.
    Record release() noexcept {
        const Record record = record_;
        forget();
        return record;
    }
    /// Takes over a constructed record (released by another owner, or
    /// constructed by C code); what this owner held is destructed.
    void adopt(const Record& record) noexcept {
        destroy();
        record_ = record;
        live_ = true;
    }

protected:
    /// Holds the record when its construction (status) succeeded, else
    /// destructs it; the status goes to ec.
    void take(int32_t status, std::error_code& ec) noexcept {
        live_ = !detail::failed<Texts>(status, ec);
        if (!live_) (void)Ops::destruct(&record_);
    }

private:
    void destroy() noexcept {
        if (live_) (void)Ops::destruct(&record_);
        forget();
    }
    void forget() noexcept {
        std::memset(static_cast<void*>(&record_), 0, sizeof record_);
        live_ = false;
    }

    Record record_{};
    bool live_ = false;
    std::error_code status_;
};

}  // namespace cwrap
}  // namespace cclp

#endif

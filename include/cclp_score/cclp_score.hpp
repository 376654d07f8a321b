// The scoring module for C++17 callers: value types that validate when they
// are built, owners of the module's records, and a scorer that runs over
// the caller's arrays and reports, besides each result, the indices of the
// input edges it was formed from.
//
//     cclp::score::Edges edges(positions, contrasts);
//     cclp::score::Scorer scorer(cclp::score::Params()
//         .pair({-10.0, Polarity::Positive}, {10.0, Polarity::Negative})
//         .methods({Method(MethodId::SizeDiff, OneSided(0.0, 0.25, 0.25, 1.0, 0.0))}));
//     for (const auto& result : scorer.score(edges)) use(result.index(0), result.score());
//
// Header-only: it calls nothing but the C exports of the module and of its
// runtime library, so no C++ ABI crosses the library's boundary and any
// compiler can use it against the same binary.
//
// Errors: operations that can fail throw cclp::score::Error, a
// std::system_error whose code is the module's 32-bit status in
// cclp::score::errorCategory(). Each of them has a noexcept twin that takes
// a std::error_code& last (constructors: a static make(..., ec)) and reports
// the status there instead. Built without exceptions (or with
// CCLP_SCORE_NO_EXCEPTIONS defined), the throwing forms abort: use the
// twins.
//
// A scorer and the views it returns are not to be shared between threads
// without synchronisation; distinct scorers may run on any threads at once.
#ifndef CCLP_SCORE_HPP
#define CCLP_SCORE_HPP

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "cclp_score.h"
#include "csys_runtime.h"

#if !defined(CCLP_SCORE_NO_EXCEPTIONS) && !defined(__cpp_exceptions)
#  define CCLP_SCORE_NO_EXCEPTIONS
#endif

// The runtime library's codes that a run or a record operation passes
// through: X(name, meaning). The one place that names them here.
#define CCLP_SCORE_RUNTIME_STATUS_TABLE(X)                                        \
    X(CSYS_STATUS_OUT_OF_MEMORY, "a memory request could not be met")             \
    X(CSYS_STATUS_NULL_ARGUMENT, "a pointer argument that must not be null was null") \
    X(CSYS_STATUS_ATTENTION, "the work was abandoned on request")                 \
    X(CSYS_STATUS_INVALID_ARGUMENT, "an argument lies outside what the operation accepts") \
    X(CSYS_STATUS_OVERFLOW, "a count does not fit the type it is asked for in")

namespace cclp::score {

// ---------------------------------------------------------------- errors

// The name of any status a run can return ("CCLP_STATUS_FORMAT_NOT_VALID",
// "CSYS_STATUS_OUT_OF_MEMORY"), or null for a code no table knows.
inline const char* statusName(int32_t status) noexcept {
    if (const char* name = cclp_statusName(status)) return name;
#define CCLP_SCORE_RUNTIME_NAME_(name, meaning) \
    if (status == (name)) return #name;
    CCLP_SCORE_RUNTIME_STATUS_TABLE(CCLP_SCORE_RUNTIME_NAME_)
#undef CCLP_SCORE_RUNTIME_NAME_
    return nullptr;
}

// What a status means, or null for a code no table knows.
inline const char* statusMeaning(int32_t status) noexcept {
    if (const char* meaning = cclp_statusMeaning(status)) return meaning;
#define CCLP_SCORE_RUNTIME_MEANING_(name, meaning) \
    if (status == (name)) return meaning;
    CCLP_SCORE_RUNTIME_STATUS_TABLE(CCLP_SCORE_RUNTIME_MEANING_)
#undef CCLP_SCORE_RUNTIME_MEANING_
    return nullptr;
}

class ErrorCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "cclp_score"; }

    // "CCLP_STATUS_Y0_BELOW_Y1: y0 below y1", or the code in hex.
    std::string message(int condition) const override {
        const auto status = static_cast<int32_t>(condition);
        if (const char* statusText = statusName(status)) {
            return std::string(statusText) + ": " + statusMeaning(status);
        }
        static const char kDigits[] = "0123456789ABCDEF";
        std::string text = "unknown status 0x";
        const auto bits = static_cast<uint32_t>(status);
        for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(bits >> shift) & 0xFu];
        return text;
    }
};

inline const std::error_category& errorCategory() noexcept {
    static const ErrorCategory category;
    return category;
}

inline std::error_code makeErrorCode(int32_t status) noexcept {
    return std::error_code(static_cast<int>(status), errorCategory());
}

// Thrown by every failing operation; code().value() is the module's status.
class Error : public std::system_error {
public:
    using std::system_error::system_error;
    int32_t status() const noexcept { return static_cast<int32_t>(code().value()); }
};

namespace detail {

// Stores a status in ec (cleared on success); true when it failed.
inline bool failed(int32_t status, std::error_code& ec) noexcept {
    if (status < 0) {
        ec = makeErrorCode(status);
        return true;
    }
    ec.clear();
    return false;
}

[[noreturn]] inline void raise(const std::error_code& ec, const char* operation) {
#ifdef CCLP_SCORE_NO_EXCEPTIONS
    (void)ec;
    (void)operation;
    std::abort();
#else
    throw Error(ec, operation);
#endif
}

// The throwing form of an operation written once in its noexcept form.
template <class Operation>
decltype(auto) orThrow(const char* operation, Operation&& run) {
    std::error_code ec;
    if constexpr (std::is_void_v<decltype(run(ec))>) {
        run(ec);
        if (ec) raise(ec, operation);
    } else {
        decltype(auto) result = run(ec);
        if (ec) raise(ec, operation);
        return result;
    }
}

}  // namespace detail

// ---------------------------------------------------------------- arrays

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

// ---------------------------------------------------------------- records

// Owns one of the module's records: built by its construct, released by its
// destruct. A move hands the record over and leaves an empty owner, which
// may be destroyed or assigned to. Ops provides construct and destruct (and
// for Copyable, constructCopy and assign).
template <class Record, class Ops>
class Owned {
public:
    Owned() : Owned(ConstructTag{}) {
        orThrow(Ops::kConstruct, [&](std::error_code& ec) { ec = status_; });
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : record_(other.record_), live_(other.live_) { other.release(); }
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            destroy();
            record_ = other.record_;
            live_ = other.live_;
            other.release();
        }
        return *this;
    }
    ~Owned() { destroy(); }

    // False for a moved-from owner, and for one whose construction failed.
    bool valid() const noexcept { return live_; }
    const Record& c() const noexcept { return record_; }
    Record& c() noexcept { return record_; }
    const Record* get() const noexcept { return &record_; }
    Record* get() noexcept { return &record_; }

protected:
    struct ConstructTag {};
    explicit Owned(ConstructTag) noexcept { adopt(Ops::construct(&record_), status_); }
    // An owner that holds nothing yet.
    struct EmptyTag {};
    explicit Owned(EmptyTag) noexcept {}

    // Copies the other owner's record through the C copy operations: into a
    // live record by assign, else by constructCopy.
    void copyFrom(const Owned& other, std::error_code& ec) noexcept {
        if (this == &other) return ec.clear();
        if (live_) {
            (void)failed(Ops::assign(&record_, &other.record_), ec);
        } else {
            adopt(Ops::constructCopy(&record_, &other.record_), ec);
        }
    }

    // The status of the construction, for the make(ec) forms.
    const std::error_code& constructionStatus() const noexcept { return status_; }

private:
    // A record whose construction failed is destructed at once (the
    // module's records are safe to destruct then) and not held.
    void adopt(int32_t status, std::error_code& ec) noexcept {
        live_ = !failed(status, ec);
        if (!live_) (void)Ops::destruct(&record_);
    }
    void destroy() noexcept {
        if (live_) (void)Ops::destruct(&record_);
        release();
    }
    void release() noexcept {
        std::memset(static_cast<void*>(&record_), 0, sizeof record_);
        live_ = false;
    }

    Record record_{};
    bool live_ = false;
    std::error_code status_;
};

// An owner of a record type that the module copies.
template <class Record, class Ops>
class Copyable : public Owned<Record, Ops> {
    using Base = Owned<Record, Ops>;

public:
    Copyable() = default;
    Copyable(const Copyable& other) : Base(typename Base::EmptyTag{}) { *this = other; }
    Copyable(Copyable&&) noexcept = default;
    Copyable& operator=(const Copyable& other) {
        orThrow(Ops::kCopy, [&](std::error_code& ec) { this->copyFrom(other, ec); });
        return *this;
    }
    Copyable& operator=(Copyable&&) noexcept = default;
    ~Copyable() = default;
    // The non-throwing form of copy assignment.
    void assign(const Copyable& other, std::error_code& ec) noexcept { this->copyFrom(other, ec); }

protected:
    using Base::Base;
};

#define CCLP_SCORE_RECORD_OPS_(Name, Record, prefix)                                          \
    struct Name {                                                                           \
        static constexpr const char* kConstruct = #prefix "_construct";                      \
        static constexpr const char* kCopy = #prefix "_constructCopy";                       \
        static int32_t construct(Record* r) { return prefix##_construct(r); }                \
        static int32_t constructCopy(Record* r, const Record* s) {                          \
            return prefix##_constructCopy(r, s);                                            \
        }                                                                                   \
        static int32_t assign(Record* r, const Record* s) { return prefix##_assign(r, s); } \
        static int32_t destruct(Record* r) { return prefix##_destruct(r); }                  \
    };
CCLP_SCORE_RECORD_OPS_(ParamsOps, cclp_scoreParams, cclp_scoreParams)
CCLP_SCORE_RECORD_OPS_(ResultSetOps, cclp_scoreResultSet, cclp_scoreResultSet)
CCLP_SCORE_RECORD_OPS_(ResultSetExOps, cclp_scoreResultSetEx, cclp_scoreResultSetEx)
CCLP_SCORE_RECORD_OPS_(CaliperSetExOps, cclp_resultSetEx, cclp_resultSetEx)
#undef CCLP_SCORE_RECORD_OPS_

// The caliper library's own result set has no copy.
struct CaliperSetOps {
    static constexpr const char* kConstruct = "cclp_resultSet_construct";
    static constexpr const char* kCopy = "cclp_resultSet (no copy)";
    static int32_t construct(cclp_resultSet* r) { return cclp_resultSet_construct(r); }
    static int32_t destruct(cclp_resultSet* r) { return cclp_resultSet_destruct(r); }
};

}  // namespace detail

// Scored result sets, plain and extended; a scorer holds one of each.
using ResultSet = detail::Copyable<cclp_scoreResultSet, detail::ResultSetOps>;
using ResultSetEx = detail::Copyable<cclp_scoreResultSetEx, detail::ResultSetExOps>;

// ---------------------------------------------------------------- functions

// The five abscissae and ordinates of a one-sided function: y0 from x0
// outward, a ramp to (x1, y1), y1 up to x2, 0 beyond.
struct Breakpoints {
    double x0;
    double x1;
    double x2;
    double y0;
    double y1;
};

namespace detail {
template <class Number>
std::vector<Number> sampleOneSided(const cclp_scoreOneSided& function, ArrayRef<Number> values,
                                   std::error_code& ec);
}  // namespace detail

// A one-sided scoring function, checked when it is built.
class OneSided {
public:
    // 1 up to 0, falling to 0 at 1.
    OneSided() noexcept { (void)cclp_scoreOneSided_init(&c_); }
    OneSided(double x0, double x1, double x2, double y0, double y1)
        : OneSided(detail::orThrow("cclp_scoreOneSided_initValues", [&](std::error_code& ec) {
              return make(x0, x1, x2, y0, y1, ec);
          })) {}
    explicit OneSided(const Breakpoints& b) : OneSided(b.x0, b.x1, b.x2, b.y0, b.y1) {}
    // Takes a function the module built (a side of a two-sided one, a stored method's).
    explicit OneSided(const cclp_scoreOneSided& function) noexcept : c_(function) {}

    // The noexcept form: on failure ec holds the status and the default function is returned.
    static OneSided make(double x0, double x1, double x2, double y0, double y1,
                         std::error_code& ec) noexcept {
        OneSided function;
        (void)detail::failed(cclp_scoreOneSided_initValues(&function.c_, x0, x1, x2, y0, y1), ec);
        return function;
    }

    Breakpoints breakpoints() const noexcept {
        return {c_.x0, c_.x1, c_.x2, c_.y0, c_.y1};
    }
    double positionOffset() const noexcept { return c_.positionOffset; }
    // The reference position of the offset-distance method.
    OneSided& positionOffset(double offset) noexcept {
        (void)cclp_scoreOneSided_setPositionOffset(&c_, offset);
        return *this;
    }
    const cclp_scoreOneSided& c() const noexcept { return c_; }

    // The function's values at xs, exactly as a floating-point run scores
    // them: computed by the module itself, through a run.
    std::vector<double> sample(ArrayRef<double> xs) const {
        return detail::orThrow("cclp_runScore", [&](std::error_code& ec) { return sample(xs, ec); });
    }
    std::vector<double> sample(ArrayRef<double> xs, std::error_code& ec) const {
        return detail::sampleOneSided(c_, xs, ec);
    }
    // The same in 1/256 units, exactly as a fixed-point run scores values.
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values) const {
        return detail::orThrow("cclp_runScore",
                               [&](std::error_code& ec) { return sampleFixed(values, ec); });
    }
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values, std::error_code& ec) const {
        return detail::sampleOneSided(c_, values, ec);
    }

private:
    cclp_scoreOneSided c_{};
};

// A two-sided scoring function: values below the split point (the lower
// end of the high side) are scored by the low side, all others by the high
// side. Checked when it is built.
class TwoSided {
public:
    // A triangle peaking at 0 with score 1, reaching 0 at -1 and +1.
    TwoSided() noexcept { (void)cclp_scoreTwoSided_init(&c_); }
    TwoSided(const Breakpoints& low, const Breakpoints& high)
        : TwoSided(detail::orThrow("cclp_scoreTwoSided_initValues",
                                   [&](std::error_code& ec) { return make(low, high, ec); })) {}
    explicit TwoSided(const cclp_scoreTwoSided& function) noexcept : c_(function) {}

    static TwoSided make(const Breakpoints& low, const Breakpoints& high,
                         std::error_code& ec) noexcept {
        TwoSided function;
        (void)detail::failed(
            cclp_scoreTwoSided_initValues(&function.c_, low.x0, low.x1, low.x2, high.x0, high.x1,
                                          high.x2, low.y0, low.y1, high.y0, high.y1),
            ec);
        return function;
    }

    OneSided lowSide() const noexcept { return OneSided(c_.lowSide); }
    OneSided highSide() const noexcept { return OneSided(c_.highSide); }
    TwoSided& positionOffsets(double low, double high) noexcept {
        (void)cclp_scoreTwoSided_setPositionOffsets(&c_, low, high);
        return *this;
    }
    const cclp_scoreTwoSided& c() const noexcept { return c_; }

    // Values exactly as the runs score them, each side through a run.
    std::vector<double> sample(ArrayRef<double> xs) const {
        return detail::orThrow("cclp_runScore", [&](std::error_code& ec) { return sample(xs, ec); });
    }
    std::vector<double> sample(ArrayRef<double> xs, std::error_code& ec) const {
        const cclp_scoreOneSided& high = c_.highSide;
        return sampleBySide(xs, high.x2 >= high.x0 ? high.x0 : high.x2, ec);
    }
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values) const {
        return detail::orThrow("cclp_runScore",
                               [&](std::error_code& ec) { return sampleFixed(values, ec); });
    }
    // The split point in 1/256 units is that of the high side's fixed-point
    // form, whose abscissae the module rounds one by one.
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values, std::error_code& ec) const {
        const int32_t x0 = cclp_round256(c_.highSide.x0);
        const int32_t x2 = cclp_round256(c_.highSide.x2);
        return sampleBySide(values, x2 >= x0 ? x0 : x2, ec);
    }

private:
    template <class Number>
    std::vector<Number> sampleBySide(ArrayRef<Number> values, Number split,
                                     std::error_code& ec) const;

    cclp_scoreTwoSided c_{};
};

// ---------------------------------------------------------------- methods

// The score methods, numbered as the module numbers them.
enum class MethodId : int32_t {
#define CCLP_SCORE_METHOD_ID_(number, id, ...) id = number,
    CCLP_SCORE_METHOD_TABLE(CCLP_SCORE_METHOD_ID_)
#undef CCLP_SCORE_METHOD_ID_
};

enum class FunctionKind : int32_t {
    None = cclp_scoreFunctionNone,
    OneSided = cclp_scoreFunctionOneSided,
    TwoSided = cclp_scoreFunctionTwoSided,
    ByCandidate = cclp_scoreFunctionByCandidate
};

// What the method table says of one method.
struct MethodInfo {
    MethodId id;
    const char* name;          // "sizeDiff"
    FunctionKind function;     // which function it maps its measurement through
    bool pairsOnly;            // scores edge pairs only
    bool extendedOnly;         // reads the extra values of extended edges
    bool needsWidth;           // a pair run needs a positive expected width
    const char* measures;      // the value it scores
};

// Every method, in number order.
inline constexpr MethodInfo kMethods[] = {
#define CCLP_SCORE_METHOD_INFO_(number, id, name, function, pairsOnly, extendedOnly, needsWidth, \
                                measures)                                                     \
    {MethodId::id, name, static_cast<FunctionKind>(function), (pairsOnly) != 0,                 \
     (extendedOnly) != 0, (needsWidth) != 0, measures},
    CCLP_SCORE_METHOD_TABLE(CCLP_SCORE_METHOD_INFO_)
#undef CCLP_SCORE_METHOD_INFO_
};

// The table's entry of a method; null for a number no method has.
inline const MethodInfo* methodInfo(MethodId id) noexcept {
    for (const MethodInfo& info : kMethods) {
        if (info.id == id) return &info;
    }
    return nullptr;
}

inline const char* methodName(MethodId id) noexcept {
    const MethodInfo* info = methodInfo(id);
    return info != nullptr ? info->name : nullptr;
}

// The method of a name ("sizeDiff"), or none.
inline std::optional<MethodId> methodByName(std::string_view name) noexcept {
    for (const MethodInfo& info : kMethods) {
        if (name == info.name) return info.id;
    }
    return std::nullopt;
}

// A score method: what it measures and the function it maps that through.
// The module checks that the method takes a function of that kind.
class Method {
public:
    Method(MethodId id, const OneSided& function)
        : Method(detail::orThrow("cclp_score_initScoreMethodOneSided",
                                 [&](std::error_code& ec) { return make(id, function, ec); })) {}
    Method(MethodId id, const TwoSided& function)
        : Method(detail::orThrow("cclp_score_initScoreMethodTwoSided",
                                 [&](std::error_code& ec) { return make(id, function, ec); })) {}
    // By name; a name no method has is refused as the module refuses an
    // unknown method number for that kind of function.
    template <class Function>
    Method(std::string_view name, const Function& function)
        : Method(detail::orThrow("unknown score method name", [&](std::error_code& ec) {
              return make(name, function, ec);
          })) {}
    explicit Method(const cclp_score& method) noexcept : c_(method) {}

    static Method make(MethodId id, const OneSided& function, std::error_code& ec) noexcept {
        Method method;
        (void)detail::failed(cclp_score_initScoreMethodOneSided(
                                 &method.c_, static_cast<int32_t>(id), &function.c()),
                             ec);
        return method;
    }
    static Method make(MethodId id, const TwoSided& function, std::error_code& ec) noexcept {
        Method method;
        (void)detail::failed(cclp_score_initScoreMethodTwoSided(
                                 &method.c_, static_cast<int32_t>(id), &function.c()),
                             ec);
        return method;
    }
    template <class Function>
    static Method make(std::string_view name, const Function& function,
                       std::error_code& ec) noexcept {
        return make(methodByName(name).value_or(MethodId{}), function, ec);
    }

    MethodId id() const noexcept { return static_cast<MethodId>(c_.method); }
    const char* name() const noexcept { return methodName(id()); }
    bool isOneSided() const noexcept { return c_.isOneSided != 0; }
    OneSided oneSided() const noexcept { return OneSided(c_.oneSided); }
    TwoSided twoSided() const noexcept { return TwoSided(c_.twoSided); }
    const cclp_score& c() const noexcept { return c_; }

private:
    Method() noexcept { (void)cclp_score_init(&c_); }
    cclp_score c_{};
};

// ---------------------------------------------------------------- parameters

enum class Polarity : int32_t {
    Positive = cclp_polarityPositive,  // contrast >= 0
    Negative = cclp_polarityNegative,  // contrast <= 0
    Any = cclp_polarityAny
};

// An edge the caller looks for: where, and of which polarity. The distance
// of a pair's two desired edges is the pair's expected width.
struct DesiredEdge {
    double position = 0.0;
    Polarity polarity = Polarity::Any;
};

// The parameters of a run, built fluently. The defaults score single edges
// of any polarity by contrast, keep one result and sort.
class Params : public detail::Copyable<cclp_scoreParams, detail::ParamsOps> {
    using Base = detail::Copyable<cclp_scoreParams, detail::ParamsOps>;

public:
    Params() = default;
    // The noexcept form of construction.
    static Params make(std::error_code& ec) noexcept {
        Params params(ConstructTag{});
        ec = params.constructionStatus();
        return params;
    }

    // Single edges, or pairs of a first and a second edge.
    Params& single(const DesiredEdge& edge = {}) { return desired({edge}); }
    Params& single(const DesiredEdge& edge, std::error_code& ec) noexcept {
        return desired({edge}, ec);
    }
    Params& pair(const DesiredEdge& first, const DesiredEdge& second) {
        return desired({first, second});
    }
    Params& pair(const DesiredEdge& first, const DesiredEdge& second, std::error_code& ec) noexcept {
        return desired({first, second}, ec);
    }

    Params& methods(ArrayRef<Method> list) {
        return detail::orThrow("cclp_scoreParams_setScoreMethods",
                               [&](std::error_code& ec) -> Params& { return methods(list, ec); });
    }
    Params& methods(ArrayRef<Method> list, std::error_code& ec) {
        int32_t count = 0;
        if (!detail::countFits(list.size(), count, ec)) return *this;
        // Never a null array, so that an empty list is refused for its count.
        std::vector<cclp_score> records;
        records.reserve(list.size() + 1);
        for (const Method& method : list) records.push_back(method.c());
        (void)detail::failed(cclp_scoreParams_setScoreMethods(get(), count, records.data()), ec);
        return *this;
    }

    Params& maxResults(int32_t count) {
        return detail::orThrow("cclp_scoreParams_setMaxNumResults",
                               [&](std::error_code& ec) -> Params& { return maxResults(count, ec); });
    }
    Params& maxResults(int32_t count, std::error_code& ec) noexcept {
        (void)detail::failed(cclp_scoreParams_setMaxNumResults(get(), count), ec);
        return *this;
    }

    Params& sorted(bool sortByScore) noexcept {
        (void)cclp_scoreParams_setSortByScore(get(), sortByScore ? 1 : 0);
        return *this;
    }

    // Moves the reference position of a stored method between runs.
    Params& oneSidedOffset(int32_t index, double offset) {
        return detail::orThrow("cclp_scoreParams_updateOneSidedOffset",
                               [&](std::error_code& ec) -> Params& {
                                   return oneSidedOffset(index, offset, ec);
                               });
    }
    Params& oneSidedOffset(int32_t index, double offset, std::error_code& ec) noexcept {
        (void)detail::failed(cclp_scoreParams_updateOneSidedOffset(get(), index, offset), ec);
        return *this;
    }
    Params& twoSidedOffsets(int32_t index, double low, double high) {
        return detail::orThrow("cclp_scoreParams_updateTwoSidedOffsets",
                               [&](std::error_code& ec) -> Params& {
                                   return twoSidedOffsets(index, low, high, ec);
                               });
    }
    Params& twoSidedOffsets(int32_t index, double low, double high, std::error_code& ec) noexcept {
        (void)detail::failed(cclp_scoreParams_updateTwoSidedOffsets(get(), index, low, high), ec);
        return *this;
    }

    bool pairs() const noexcept { return c().numDesiredEdges == 2; }
    int32_t maxResults() const noexcept { return c().maxNumResults; }
    bool sorted() const noexcept { return c().sortByScore == 1; }
    int32_t numMethods() const noexcept { return c().numScoreMethods; }
    Method method(int32_t index) const noexcept { return Method(c().scoreMethods[index]); }
    DesiredEdge desiredEdge(int32_t index) const noexcept {
        const cclp_desiredEdge& edge = c().desiredEdges[index];
        return {edge.position, static_cast<Polarity>(edge.polarity)};
    }

private:
    using Base::Base;

    Params& desired(std::initializer_list<DesiredEdge> edges) {
        return detail::orThrow("cclp_scoreParams_setDesiredEdges",
                               [&](std::error_code& ec) -> Params& { return desired(edges, ec); });
    }
    Params& desired(std::initializer_list<DesiredEdge> edges, std::error_code& ec) noexcept {
        std::array<cclp_desiredEdge, 2> records{};
        std::size_t n = 0;
        for (const DesiredEdge& edge : edges) {
            records[n++] = {edge.position, static_cast<int32_t>(edge.polarity)};
        }
        (void)detail::failed(
            cclp_scoreParams_setDesiredEdges(get(), static_cast<int32_t>(n), records.data()), ec);
        return *this;
    }
};

// ---------------------------------------------------------------- edges

// Which number formats an input carries: double precision, 1/256 fixed
// point, or both (a run then scores in double precision and writes the
// results' fixed-point fields too).
enum class Formats : uint32_t {
    Double = CCLP_FORMAT_DOUBLE,
    Fixed = CCLP_FORMAT_FIXED,
    Both = CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED
};

namespace detail {

// The record families, plain and extended, as traits.
struct PlainFamily {
    using Input = cclp_resultSet;
    using InputOps = CaliperSetOps;
    using Output = ResultSet;
    using Record = cclp_scoreOneResult;
    using Edge = cclp_edge;
    using EdgeFixed = cclp_edgeFixed;
    static int32_t run(const Input* input, const cclp_scoreParams* params,
                       cclp_scoreResultSet* output) {
        return cclp_runScore(input, params, output);
    }
};

struct ExtendedFamily {
    using Input = cclp_resultSetEx;
    using InputOps = CaliperSetExOps;
    using Output = ResultSetEx;
    using Record = cclp_scoreOneResultEx;
    using Edge = cclp_edgeEx;
    using EdgeFixed = cclp_edgeFixedEx;
    static int32_t run(const Input* input, const cclp_scoreParams* params,
                       cclp_scoreResultSetEx* output) {
        return cclp_runScoreEx(input, params, output);
    }
};

// The caller's columns of one input, double or 1/256.
template <class Number>
struct Columns {
    ArrayRef<Number> positions;
    ArrayRef<Number> contrasts;
    std::array<ArrayRef<Number>, 3> extras;
};

inline double toDouble(double value) { return value; }
inline double toDouble(int32_t value) { return value / 256.0; }
inline int32_t toFixed(double value) { return cclp_round256(value); }
inline int32_t toFixed(int32_t value) { return value; }

template <class EdgeRecord, class Number>
void fillEdge(EdgeRecord& edge, const Columns<Number>& columns, std::size_t i) {
    using Field = decltype(edge.position);
    const auto convert = [](Number value) -> Field {
        if constexpr (std::is_same_v<Field, double>) {
            return toDouble(value);
        } else {
            return toFixed(value);
        }
    };
    edge.position = convert(columns.positions[i]);
    edge.contrast = convert(columns.contrasts[i]);
    if constexpr (std::is_same_v<EdgeRecord, cclp_edgeEx> ||
                  std::is_same_v<EdgeRecord, cclp_edgeFixedEx>) {
        edge.extra1 = convert(columns.extras[0][i]);
        edge.extra2 = convert(columns.extras[1][i]);
        edge.extra3 = convert(columns.extras[2][i]);
    }
}

// Allocates an edge array through the runtime, as the record's destruct
// expects, and fills it from the columns. On failure nothing is held.
template <class EdgeRecord, class Number>
bool allocateEdges(EdgeRecord*& edges, const Columns<Number>& columns, std::error_code& ec) {
    const std::size_t n = columns.positions.size();
    void* block = nullptr;
    if (failed(csys_memory_alloc_internal(n * sizeof(EdgeRecord), &block), ec)) return false;
    edges = static_cast<EdgeRecord*>(block);
    for (std::size_t i = 0; i < n; ++i) fillEdge(edges[i], columns, i);
    return true;
}

}  // namespace detail

namespace detail {
template <class Family>
using EdgesBase = std::conditional_t<std::is_same_v<Family, PlainFamily>,
                                     Owned<typename Family::Input, typename Family::InputOps>,
                                     Copyable<typename Family::Input, typename Family::InputOps>>;
}  // namespace detail

// The edges of one caliper result, copied from the caller's arrays into
// arrays of the runtime library, which this object owns. Extended edges
// (EdgesEx) carry three extra values each. Plain ones are move-only, as the
// caliper library has no copy of its result set; extended ones copy.
template <class Family>
class BasicEdges : public detail::EdgesBase<Family> {
    using Base = detail::EdgesBase<Family>;
    using Input = typename Family::Input;
    static constexpr bool kExtended = std::is_same_v<Family, detail::ExtendedFamily>;

public:
    // From double positions and contrasts (and, for extended edges, the
    // three extras), in the formats asked for; fixed-point values are
    // rounded as the module rounds.
    BasicEdges(ArrayRef<double> positions, ArrayRef<double> contrasts,
               Formats formats = Formats::Double)
        : BasicEdges(detail::orThrow("edges", [&](std::error_code& ec) {
              return make(positions, contrasts, formats, ec);
          })) {}
    BasicEdges(ArrayRef<double> positions, ArrayRef<double> contrasts, ArrayRef<double> extra1,
               ArrayRef<double> extra2, ArrayRef<double> extra3, Formats formats = Formats::Double)
        : BasicEdges(detail::orThrow("edges", [&](std::error_code& ec) {
              return make(positions, contrasts, extra1, extra2, extra3, formats, ec);
          })) {}

    // Fixed-point edges from values in 1/256 units.
    static BasicEdges fixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts) {
        return detail::orThrow(
            "edges", [&](std::error_code& ec) { return makeFixed(positions, contrasts, ec); });
    }
    static BasicEdges fixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts,
                            ArrayRef<int32_t> extra1, ArrayRef<int32_t> extra2,
                            ArrayRef<int32_t> extra3) {
        return detail::orThrow("edges", [&](std::error_code& ec) {
            return makeFixed(positions, contrasts, extra1, extra2, extra3, ec);
        });
    }

    // The non-throwing forms. Arrays of unequal length are refused with
    // CSYS_STATUS_INVALID_ARGUMENT, more than 2^31 - 1 edges with
    // CSYS_STATUS_OVERFLOW.
    static BasicEdges make(ArrayRef<double> positions, ArrayRef<double> contrasts, Formats formats,
                           std::error_code& ec) noexcept {
        static_assert(!kExtended, "extended edges take three extra values");
        return fill<double>({positions, contrasts, {}}, formats, ec);
    }
    static BasicEdges make(ArrayRef<double> positions, ArrayRef<double> contrasts,
                           ArrayRef<double> extra1, ArrayRef<double> extra2,
                           ArrayRef<double> extra3, Formats formats, std::error_code& ec) noexcept {
        static_assert(kExtended, "extra values need extended edges (EdgesEx)");
        return fill<double>({positions, contrasts, {extra1, extra2, extra3}}, formats, ec);
    }
    static BasicEdges makeFixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts,
                                std::error_code& ec) noexcept {
        static_assert(!kExtended, "extended edges take three extra values");
        return fill<int32_t>({positions, contrasts, {}}, Formats::Fixed, ec);
    }
    static BasicEdges makeFixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts,
                                ArrayRef<int32_t> extra1, ArrayRef<int32_t> extra2,
                                ArrayRef<int32_t> extra3, std::error_code& ec) noexcept {
        static_assert(kExtended, "extra values need extended edges (EdgesEx)");
        return fill<int32_t>({positions, contrasts, {extra1, extra2, extra3}}, Formats::Fixed, ec);
    }

    int32_t size() const noexcept { return this->c().numEdges; }
    Formats formats() const noexcept { return static_cast<Formats>(this->c().formats); }
    // The module's copies; null for a format the edges do not carry.
    const typename Family::Edge* doubles() const noexcept { return this->c().edges; }
    const typename Family::EdgeFixed* fixedPoint() const noexcept { return this->c().edgesFixed; }

private:
    explicit BasicEdges(typename Base::ConstructTag tag) noexcept : Base(tag) {}

    template <class Number>
    static bool sizesAgree(const detail::Columns<Number>& columns, int32_t& count,
                           std::error_code& ec) noexcept {
        const std::size_t n = columns.positions.size();
        bool agree = columns.contrasts.size() == n;
        if constexpr (kExtended) {
            for (const auto& extra : columns.extras) agree = agree && extra.size() == n;
        }
        if (!agree) {
            ec = makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT);
            return false;
        }
        return detail::countFits(n, count, ec);
    }

    template <class Number>
    static BasicEdges fill(const detail::Columns<Number>& columns, Formats formats,
                           std::error_code& ec) noexcept {
        BasicEdges edges{typename Base::ConstructTag{}};
        ec = edges.constructionStatus();
        int32_t count = 0;
        if (ec || !sizesAgree(columns, count, ec)) return edges;
        Input& set = edges.c();
        const auto bits = static_cast<uint32_t>(formats);
        if ((bits & CCLP_FORMAT_DOUBLE) != 0 && !detail::allocateEdges(set.edges, columns, ec)) {
            return edges;
        }
        if ((bits & CCLP_FORMAT_FIXED) != 0 &&
            !detail::allocateEdges(set.edgesFixed, columns, ec)) {
            return edges;
        }
        set.numEdges = count;
        set.formats = bits;
        return edges;
    }
};

using Edges = BasicEdges<detail::PlainFamily>;
using EdgesEx = BasicEdges<detail::ExtendedFamily>;

// ---------------------------------------------------------------- results

namespace detail {

// Bytes of every field a run copied of one edge, in each format it wrote:
// equal bytes score alike, so the run ranks such candidates by forming order.
template <class Family>
int compareEdge(const typename Family::Input& input, int32_t i, const typename Family::Edge* edge,
                const typename Family::EdgeFixed* edgeFixed, uint32_t formats) noexcept {
    if ((formats & CCLP_FORMAT_DOUBLE) != 0) {
        const int order = std::memcmp(&input.edges[i], edge, sizeof *edge);
        if (order != 0) return order;
    }
    if ((formats & CCLP_FORMAT_FIXED) != 0) {
        return std::memcmp(&input.edgesFixed[i], edgeFixed, sizeof *edgeFixed);
    }
    return 0;
}

// Recovers the input indices of each result's edges. Candidates with equal
// edge values have equal scores and positions, and a run orders equal
// candidates as it formed them (single edges in input order, pairs (i, j)
// with i < j, i-major), keeping the first of them. So the k-th result with
// given edge values is the k-th candidate formed from edges with those
// values. The input's indices are sorted by edge values (ties by index)
// once per run; each edge value is then a range of ascending indices.
template <class Family>
class IndexRecovery {
public:
    using Input = typename Family::Input;
    using Record = typename Family::Record;

    void recover(const Input& input, const Record* results, int32_t numResults) {
        const bool pairs = numResults > 0 && results[0].numEdges == 2;
        indices_.assign(static_cast<std::size_t>(numResults), {-1, -1});
        if (numResults == 0) return;
        formats_ = results[0].formats;
        sortInput(input);
        taken_.assign(order_.size(), 0);
        pairsTaken_.clear();
        for (int32_t r = 0; r < numResults; ++r) {
            const Record& result = results[r];
            const auto first = rangeOf(input, result, 0);
            if (!pairs) {
                indices_[static_cast<std::size_t>(r)][0] = nextSingle(first);
                continue;
            }
            const auto second = rangeOf(input, result, 1);
            const int32_t k = pairsTaken_[{first.first, second.first}]++;
            indices_[static_cast<std::size_t>(r)] = kthPair(first, second, k);
        }
    }

    const std::array<int32_t, 2>& of(int32_t r) const noexcept {
        return indices_[static_cast<std::size_t>(r)];
    }

private:
    using Range = std::pair<int32_t, int32_t>;  // [begin, end) in order_

    void sortInput(const Input& input) {
        order_.resize(static_cast<std::size_t>(input.numEdges));
        for (int32_t i = 0; i < input.numEdges; ++i) order_[static_cast<std::size_t>(i)] = i;
        const uint32_t formats = formats_;
        std::sort(order_.begin(), order_.end(), [&](int32_t a, int32_t b) {
            const int order = compareEdge<Family>(input, a, input.edges ? &input.edges[b] : nullptr,
                                                  input.edgesFixed ? &input.edgesFixed[b] : nullptr,
                                                  formats);
            return order != 0 ? order < 0 : a < b;
        });
    }

    Range rangeOf(const Input& input, const Record& result, int32_t k) const {
        const auto* edge = result.edges != nullptr ? &result.edges[k] : nullptr;
        const auto* edgeFixed = result.edgesFixed != nullptr ? &result.edgesFixed[k] : nullptr;
        const uint32_t formats = formats_;
        const auto below = std::partition_point(order_.begin(), order_.end(), [&](int32_t i) {
            return compareEdge<Family>(input, i, edge, edgeFixed, formats) < 0;
        });
        const auto upTo = std::partition_point(below, order_.end(), [&](int32_t i) {
            return compareEdge<Family>(input, i, edge, edgeFixed, formats) == 0;
        });
        return {static_cast<int32_t>(below - order_.begin()),
                static_cast<int32_t>(upTo - order_.begin())};
    }

    // The first edge of the range not yet taken by an earlier result; -1 for
    // edges the input does not hold (results of another input).
    int32_t nextSingle(Range range) {
        if (range.first == range.second) return -1;
        int32_t& taken = taken_[static_cast<std::size_t>(range.first)];
        if (range.first + taken >= range.second) return -1;
        return order_[static_cast<std::size_t>(range.first + taken++)];
    }

    // The k-th pair (i, j), i from the first range, j from the second,
    // i < j, in i-major order.
    std::array<int32_t, 2> kthPair(Range first, Range second, int32_t k) const {
        const auto secondBegin = order_.begin() + second.first;
        const auto secondEnd = order_.begin() + second.second;
        for (int32_t a = first.first; a < first.second; ++a) {
            const int32_t i = order_[static_cast<std::size_t>(a)];
            const auto after = std::upper_bound(secondBegin, secondEnd, i);
            const auto later = static_cast<int32_t>(secondEnd - after);
            if (k < later) return {i, *(after + k)};
            k -= later;
        }
        return {-1, -1};
    }

    uint32_t formats_ = 0;
    std::vector<int32_t> order_;
    std::vector<int32_t> taken_;
    std::map<Range, int32_t> pairsTaken_;
    std::vector<std::array<int32_t, 2>> indices_;
};

}  // namespace detail

// One scored candidate as the run wrote it, with the input indices of its
// edges. Valid until the scorer runs again or is destroyed.
template <class Family>
class BasicResult {
public:
    using Record = typename Family::Record;

    BasicResult(const Record& record, const std::array<int32_t, 2>& indices) noexcept
        : record_(&record), indices_(&indices) {}

    // Double-precision fields (valid when formats() has Formats::Double).
    double score() const noexcept { return record_->score; }
    double position() const noexcept { return record_->position; }
    double methodScore(int32_t m) const noexcept { return record_->scores[m]; }
    const typename Family::Edge& edge(int32_t k) const noexcept { return record_->edges[k]; }
    // Fixed-point fields (valid when formats() has Formats::Fixed).
    int32_t scoreFixed() const noexcept { return record_->scoreFixed; }
    int32_t positionFixed() const noexcept { return record_->positionFixed; }
    int32_t methodScoreFixed(int32_t m) const noexcept { return record_->scoresFixed[m]; }
    const typename Family::EdgeFixed& edgeFixed(int32_t k) const noexcept {
        return record_->edgesFixed[k];
    }

    Formats formats() const noexcept { return static_cast<Formats>(record_->formats); }
    int32_t numEdges() const noexcept { return record_->numEdges; }
    int32_t numScores() const noexcept { return record_->numScores; }
    // The input index of the candidate's k-th edge (0, or 1 for a pair's second).
    int32_t index(int32_t k) const noexcept { return (*indices_)[static_cast<std::size_t>(k)]; }
    const Record& c() const noexcept { return *record_; }

private:
    const Record* record_;
    const std::array<int32_t, 2>* indices_;
};

// The results of the scorer's last run, best first when the run sorted.
template <class Family>
class BasicResults {
public:
    using Result = BasicResult<Family>;
    using Set = std::remove_reference_t<decltype(std::declval<typename Family::Output&>().c())>;

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Result;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Result;

        iterator(const BasicResults* results, int32_t r) noexcept : results_(results), r_(r) {}
        Result operator*() const noexcept { return (*results_)[r_]; }
        iterator& operator++() noexcept {
            ++r_;
            return *this;
        }
        iterator operator++(int) noexcept {
            iterator before = *this;
            ++r_;
            return before;
        }
        bool operator==(const iterator& other) const noexcept { return r_ == other.r_; }
        bool operator!=(const iterator& other) const noexcept { return r_ != other.r_; }

    private:
        const BasicResults* results_;
        int32_t r_;
    };

    BasicResults(const Set& set, const detail::IndexRecovery<Family>& indices) noexcept
        : set_(&set), indices_(&indices) {}

    int32_t size() const noexcept { return set_->numResults; }
    bool empty() const noexcept { return size() == 0; }
    Result operator[](int32_t r) const noexcept { return Result(set_->results[r], indices_->of(r)); }
    iterator begin() const noexcept { return iterator(this, 0); }
    iterator end() const noexcept { return iterator(this, size()); }
    const Set& c() const noexcept { return *set_; }

private:
    const Set* set_;
    const detail::IndexRecovery<Family>* indices_;
};

using Result = BasicResult<detail::PlainFamily>;
using ResultEx = BasicResult<detail::ExtendedFamily>;
using Results = BasicResults<detail::PlainFamily>;
using ResultsEx = BasicResults<detail::ExtendedFamily>;

// ---------------------------------------------------------------- scorer

// Runs the module over edges with its parameters. It keeps its output
// records between runs, so a run that writes as many results as the one
// before allocates nothing but its own working block.
class Scorer {
public:
    explicit Scorer(Params params) noexcept : params_(std::move(params)) {}

    // The parameters, which may be changed between runs.
    Params& params() noexcept { return params_; }
    const Params& params() const noexcept { return params_; }

    // Scores the edges; the view is valid until the next run. A failed run
    // leaves the output as the module leaves it and the view empty.
    Results score(const Edges& edges) {
        return detail::orThrow("cclp_runScore",
                               [&](std::error_code& ec) { return score(edges, ec); });
    }
    Results score(const Edges& edges, std::error_code& ec) {
        return run<detail::PlainFamily>(edges, output_, indices_, ec);
    }
    ResultsEx score(const EdgesEx& edges) {
        return detail::orThrow("cclp_runScoreEx",
                               [&](std::error_code& ec) { return score(edges, ec); });
    }
    ResultsEx score(const EdgesEx& edges, std::error_code& ec) {
        return run<detail::ExtendedFamily>(edges, outputEx_, indicesEx_, ec);
    }

    // The output records of the last runs, to copy or to hand to C code.
    const ResultSet& output() const noexcept { return output_; }
    const ResultSetEx& outputEx() const noexcept { return outputEx_; }

private:
    template <class Family, class Output>
    BasicResults<Family> run(const BasicEdges<Family>& edges, Output& output,
                             detail::IndexRecovery<Family>& indices, std::error_code& ec) {
        auto& set = output.c();
        if (detail::failed(Family::run(edges.get(), params_.get(), output.get()), ec)) {
            indices.recover(edges.c(), set.results, 0);
            static const std::remove_reference_t<decltype(set)> kNone{};
            return BasicResults<Family>(kNone, indices);
        }
        indices.recover(edges.c(), set.results, set.numResults);
        return BasicResults<Family>(set, indices);
    }

    Params params_;
    ResultSet output_;
    ResultSetEx outputEx_;
    detail::IndexRecovery<detail::PlainFamily> indices_;
    detail::IndexRecovery<detail::ExtendedFamily> indicesEx_;
};

// ---------------------------------------------------------------- sampling

namespace detail {

// A single-edge run of the position method, whose measured value is the
// edge's position itself: every value becomes an edge of contrast 0 (which
// passes any polarity), and the run, unsorted, keeps them all in order.
template <class Number>
std::vector<Number> sampleOneSided(const cclp_scoreOneSided& function, ArrayRef<Number> values,
                                   std::error_code& ec) {
    std::vector<Number> samples;
    ec.clear();
    if (values.empty()) return samples;
    int32_t count = 0;
    if (!countFits(values.size(), count, ec)) return samples;
    const Method method(Method::make(MethodId::Pos, OneSided(function), ec));
    if (ec) return samples;
    Params params = Params::make(ec);
    if (!ec) params.single({0.0, Polarity::Any}, ec);
    if (!ec) params.methods({method}, ec);
    if (!ec) params.maxResults(count, ec);
    if (ec) return samples;
    params.sorted(false);
    const std::vector<Number> contrasts(values.size(), Number{0});
    constexpr bool kFixed = std::is_same_v<Number, int32_t>;
    Edges edges = [&] {
        if constexpr (kFixed) {
            return Edges::makeFixed(values, contrasts, ec);
        } else {
            return Edges::make(values, contrasts, Formats::Double, ec);
        }
    }();
    if (ec) return samples;
    Scorer scorer(std::move(params));
    const Results results = scorer.score(edges, ec);
    if (ec) return samples;
    samples.reserve(values.size());
    for (const Result& result : results) {
        if constexpr (kFixed) {
            samples.push_back(result.methodScoreFixed(0));
        } else {
            samples.push_back(result.methodScore(0));
        }
    }
    return samples;
}

}  // namespace detail

template <class Number>
std::vector<Number> TwoSided::sampleBySide(ArrayRef<Number> values, Number split,
                                           std::error_code& ec) const {
    std::vector<Number> low;
    std::vector<Number> high;
    for (const Number value : values) (value < split ? low : high).push_back(value);
    const std::vector<Number> lowSamples = detail::sampleOneSided(c_.lowSide, ArrayRef<Number>(low), ec);
    if (ec) return {};
    const std::vector<Number> highSamples =
        detail::sampleOneSided(c_.highSide, ArrayRef<Number>(high), ec);
    if (ec) return {};
    std::vector<Number> samples;
    samples.reserve(values.size());
    std::size_t nextLow = 0;
    std::size_t nextHigh = 0;
    for (const Number value : values) {
        samples.push_back(value < split ? lowSamples[nextLow++] : highSamples[nextHigh++]);
    }
    return samples;
}

}  // namespace cclp::score

#endif

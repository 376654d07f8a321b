// Shared by the fuzz targets: values and records read from the fuzzer's
// bytes, checks that abort on a broken invariant (so that libFuzzer keeps
// the input), and the runtime's leak count and failure controls.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <type_traits>
#include <vector>

#include "cclp_score/cclp_status.h"
#include "csys_runtime.h"

// Aborts with the broken condition when it does not hold.
#define FUZZ_CHECK(condition)                                                  \
    do {                                                                       \
        if (!(condition)) ::cclp::fuzz::fail(#condition, __FILE__, __LINE__); \
    } while (0)

// Aborts unless the status is one of those listed.
#define FUZZ_CHECK_STATUS(status, ...) \
    FUZZ_CHECK(::cclp::fuzz::isOneOf((status), {__VA_ARGS__}))

namespace cclp::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "invariant broken at %s:%d: %s\n", file, line, what);
    std::abort();
}

inline bool isOneOf(int32_t status, std::initializer_list<int32_t> allowed) {
    for (const int32_t candidate : allowed) {
        if (status == candidate) return true;
    }
    std::fprintf(stderr, "unexpected status 0x%08X (%s)\n", static_cast<unsigned>(status),
                 cclp_statusName(status) != nullptr ? cclp_statusName(status) : "runtime");
    return false;
}

// Any double, but mostly the ones at which the functions and the fixed-point
// conversion change behaviour: zeros, units, ramp limits, the 32-bit edge of
// 1/256 fixed point, infinities and NaN.
inline double readDouble(FuzzedDataProvider& in) {
    static constexpr double kNotable[] = {
        0.0, -0.0, 1.0, -1.0, 0.5, -0.5, 0.25, 2.0, 3.0, 255.0, -255.0, 1e-7, -1e-7, 1e-8,
        1e9, 8388607.99, 8388608.0, -8388608.0, 32768.0, 0.5 / 256, -0.5 / 256,
        1.0 - std::numeric_limits<double>::epsilon() / 2, std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest()};
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return kNotable[in.ConsumeIntegralInRange<size_t>(0, std::size(kNotable) - 1)];
    case 1: return in.ConsumeIntegralInRange<int32_t>(-2048, 2048) / 8.0;
    case 2: return in.ConsumeFloatingPointInRange<double>(-1000.0, 1000.0);
    default: {
        const uint64_t bits = in.ConsumeIntegral<uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    }
}

// A value mostly in [low, high], sometimes any double.
inline double readNear(FuzzedDataProvider& in, double low, double high) {
    return in.ConsumeBool() ? in.ConsumeFloatingPointInRange<double>(low, high) : readDouble(in);
}

// `count` zeroed records in a block of the runtime's, for a record to own.
template <class T>
T* allocateZeroed(int32_t count) {
    void* block = nullptr;
    const size_t bytes = sizeof(T) * static_cast<size_t>(count);
    FUZZ_CHECK(csys_memory_alloc_internal(bytes, &block) == 0);
    if (block != nullptr) std::memset(block, 0, bytes);
    return static_cast<T*>(block);
}

// A score level: mostly inside [0, 1], where an initialisation accepts it.
inline double readLevel(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeBool() ? 1.0 : 0.0;
    case 1: return in.ConsumeIntegralInRange<int>(0, 8) / 8.0;
    case 2: return in.ConsumeProbability<double>();
    default: return readDouble(in);
    }
}

// Any 32-bit value, mostly small.
inline int32_t readInt(FuzzedDataProvider& in, int32_t low, int32_t high) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(low, high)
                            : in.ConsumeIntegral<int32_t>();
}

using Bytes = std::vector<unsigned char>;

inline bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// An array that a copy or conversion made from `count` records of `from`:
// present, and not shared, exactly when the source has the array and a
// positive count. Edges keep position and contrast; extras are copied
// between extended edges and 0 otherwise.
template <class To, class From>
bool copiedArrayMatches(const To* to, const From* from, int32_t count) {
    if (count <= 0 || from == nullptr) return to == nullptr;
    if (to == nullptr || static_cast<const void*>(to) == static_cast<const void*>(from)) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        To expected;
        std::memset(&expected, 0, sizeof expected);
        if constexpr (std::is_same_v<To, From>) {
            expected = from[i];
        } else {
            expected.position = from[i].position;
            expected.contrast = from[i].contrast;
        }
        if (std::memcmp(&to[i], &expected, sizeof expected) != 0) return false;
    }
    return true;
}

// The bytes of `count` records, for before/after comparisons.
template <class T>
Bytes bytesOf(const T* records, int64_t count = 1) {
    if (records == nullptr || count <= 0) return {};
    const auto* first = reinterpret_cast<const unsigned char*>(records);
    return Bytes(first, first + static_cast<size_t>(count) * sizeof(T));
}

// The parts appended to bytes, one after another.
inline Bytes& append(Bytes& bytes, std::initializer_list<Bytes> parts) {
    for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// The runtime's round256, from its definition: v*256 + 0.5 truncated for
// v >= 0, v*256 - 0.4999999999 truncated otherwise; saturated at the 32-bit
// limits, NaN as 0.
inline int32_t referenceRound256(double value) {
    const double scaled = value * 256.0;
    if (std::isnan(scaled)) return 0;
    const double rounded = scaled >= 0.0 ? scaled + 0.5 : scaled - 0.4999999999;
    if (rounded >= 2147483648.0) return std::numeric_limits<int32_t>::max();
    if (rounded <= -2147483649.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(std::trunc(rounded));
}

// A record built by its construct and released by its destruct at scope
// exit; both must succeed.
template <class T, int32_t (*Construct)(T*), int32_t (*Destruct)(T*)>
struct Owned {
    T value{};
    Owned() { FUZZ_CHECK(Construct(&value) == 0); }
    ~Owned() { FUZZ_CHECK(Destruct(&value) == 0); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
};

// Every block held through the runtime when it is created is held again,
// and no more, when it is destroyed.
class NoLeaks {
public:
    NoLeaks() : baseline_(csys_testing_liveBlocks()) {}
    ~NoLeaks() { FUZZ_CHECK(csys_testing_liveBlocks() == baseline_); }
    NoLeaks(const NoLeaks&) = delete;
    NoLeaks& operator=(const NoLeaks&) = delete;

private:
    int64_t baseline_;
};

// A failure to inject into the next operation: none, the k-th memory
// request once or from then on, or the k-th attention poll.
struct Injection {
    enum class Kind { none, allocationOnce, allocationFromThenOn, attention } kind = Kind::none;
    int32_t k = 0;

    static Injection read(FuzzedDataProvider& in) {
        Injection injection;
        injection.kind = static_cast<Kind>(in.ConsumeIntegralInRange<int>(0, 3));
        injection.k = in.ConsumeIntegralInRange<int32_t>(1, 40);
        return injection;
    }
    bool allocation() const {
        return kind == Kind::allocationOnce || kind == Kind::allocationFromThenOn;
    }
    bool attention() const { return kind == Kind::attention; }
};

// Arms the injection for its lifetime.
class Armed {
public:
    explicit Armed(const Injection& injection) {
        switch (injection.kind) {
        case Injection::Kind::allocationOnce: csys_testing_failAllocation(injection.k); break;
        case Injection::Kind::allocationFromThenOn:
            csys_testing_failAllocationPersistent(injection.k);
            break;
        case Injection::Kind::attention: csys_testing_failAttention(injection.k); break;
        case Injection::Kind::none: break;
        }
    }
    ~Armed() {
        csys_testing_failAllocation(0);
        csys_testing_failAttention(0);
    }
    Armed(const Armed&) = delete;
    Armed& operator=(const Armed&) = delete;
};

// Runs one operation under an injected failure: the source, as `describe`
// gives it, must not change, and only the injected failure may be reported.
template <class Source, class Operation>
int32_t underInjection(const Injection& injection, const Source& source,
                       Bytes (*describe)(const Source&), Operation operation) {
    const Bytes before = describe(source);
    int32_t status;
    {
        Armed armed(injection);
        status = operation();
    }
    FUZZ_CHECK(describe(source) == before);
    if (status < 0) FUZZ_CHECK(injection.allocation() && status == CSYS_STATUS_OUT_OF_MEMORY);
    FUZZ_CHECK(status <= 0);
    return status;
}

// Assigning a record to itself succeeds, changes nothing and allocates
// nothing.
template <class T>
void checkSelfAssignment(T& value, Bytes (*describe)(const T&), int32_t (*assign)(T*, const T*)) {
    const Bytes before = describe(value);
    const int64_t requests = csys_testing_allocationCount();
    FUZZ_CHECK(assign(&value, &value) == 0);
    FUZZ_CHECK(csys_testing_allocationCount() == requests && describe(value) == before);
}

// Copy construction into raw storage under an injected failure: a failure
// leaves nothing to destroy; a copy must pass `check(copy)` and destructs.
template <class T, class Check>
void checkConstructCopy(FuzzedDataProvider& in, const T& source, Bytes (*describe)(const T&),
                        int32_t (*constructCopy)(T*, const T*), int32_t (*destruct)(T*),
                        Check check) {
    const int64_t before = csys_testing_liveBlocks();
    T copy;
    std::memset(&copy, 0xA5, sizeof copy);
    const int32_t status = underInjection(Injection::read(in), source, describe,
                                          [&] { return constructCopy(&copy, &source); });
    if (status < 0) {
        FUZZ_CHECK(csys_testing_liveBlocks() == before);
        return;
    }
    check(copy);
    FUZZ_CHECK(destruct(&copy) == 0);
}

// An edge of either form from the bytes: any doubles, or any 32-bit values
// in fixed point; extras too where the edge has them.
template <class Edge>
void readEdge(FuzzedDataProvider& in, Edge& edge) {
    using Number = decltype(edge.position);
    const auto value = [&in]() -> Number {
        if constexpr (std::is_same_v<Number, double>) {
            return readDouble(in);
        } else {
            return in.ConsumeIntegral<int32_t>();
        }
    };
    std::memset(&edge, 0, sizeof edge);
    edge.position = value();
    edge.contrast = value();
    if constexpr (sizeof(Edge) > 2 * sizeof(Number)) {
        edge.extra1 = value();
        edge.extra2 = value();
        edge.extra3 = value();
    }
}

}  // namespace cclp::fuzz

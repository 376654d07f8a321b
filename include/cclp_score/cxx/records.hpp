// Owners of the module's records: built by their construct, released by
// their destruct, copied through the C copies where the module has them.
// Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
#ifndef CCLP_SCORE_CXX_RECORDS_HPP
#define CCLP_SCORE_CXX_RECORDS_HPP

#include <cstdint>
#include <cstring>
#include <system_error>

#include "../cclp_results.h"
#include "../cclp_result_set_ex.h"
#include "../cclp_score_params.h"
#include "errors.hpp"

namespace cclp::score {

namespace detail {

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
    static int32_t construct(cclp_resultSet* r) { return cclp_resultSet_construct(r); }
    static int32_t destruct(cclp_resultSet* r) { return cclp_resultSet_destruct(r); }
};

}  // namespace detail

// Scored result sets, plain and extended; a scorer holds one of each.
using ResultSet = detail::Copyable<cclp_scoreResultSet, detail::ResultSetOps>;
using ResultSetEx = detail::Copyable<cclp_scoreResultSetEx, detail::ResultSetExOps>;

}  // namespace cclp::score

#endif

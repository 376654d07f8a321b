/** @file
 * Owners of the module's records: built by their construct, released by
 * their destruct, copied through the C copies where the module has them.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_RECORDS_HPP
#define CCLP_SCORE_CXX_RECORDS_HPP

#include <cstdint>
#include <system_error>

#include "../cclp_results.h"
#include "../cclp_result_set_ex.h"
#include "../cclp_score_params.h"
#include "errors.hpp"

namespace cclp::score {

namespace detail {

// Owns one of the module's records (see cwrap::Owned). Ops provides
// construct and destruct, and for Copyable constructCopy and assign.
template <class Record, class Ops>
class Owned : public cwrap::Owned<Record, Ops, StatusTexts> {
    using Base = cwrap::Owned<Record, Ops, StatusTexts>;

public:
    using Base::Base;

protected:
    // Copies the other owner's record through the C copy operations: into a
    // live record by assign, else by constructCopy.
    void copyFrom(const Owned& other, std::error_code& ec) noexcept {
        if (this == &other) return ec.clear();
        if (this->valid()) {
            (void)failed(Ops::assign(this->get(), other.get()), ec);
        } else {
            this->take(Ops::constructCopy(this->get(), other.get()), ec);
        }
    }
};

// An owner of a record type that the module copies.
template <class Record, class Ops>
class Copyable : public Owned<Record, Ops> {
    using Base = Owned<Record, Ops>;

public:
    Copyable() = default;
    Copyable(const Copyable& other) : Base(typename Base::Empty{}) { *this = other; }
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

/// Scored result sets, plain and extended; a scorer holds one of each.
/// Owners of the C record (as cwrap::Owned: valid(), c(), get(),
/// release(), adopt()), copied through the module's copy operations; a
/// failed copy throws Error, and assign(other, ec) is the non-throwing copy.
///@{
using ResultSet = detail::Copyable<cclp_scoreResultSet, detail::ResultSetOps>;
using ResultSetEx = detail::Copyable<cclp_scoreResultSetEx, detail::ResultSetExOps>;
///@}

}  // namespace cclp::score

#endif

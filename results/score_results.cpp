// The exported life cycle and conversions of scored results: each forwards
// to the one template that serves both the plain and the extended form.
#include "results/score_results.hpp"

#include "results/score_result_lifecycle.hpp"

namespace cclp {

int32_t resetScoreResultSetEx(cclp_scoreResultSetEx* set) { return resetSet(set); }

}  // namespace cclp

extern "C" {

int32_t cclp_scoreOneResult_construct(cclp_scoreOneResult* result) {
    return cclp::constructRecord(result);
}
int32_t cclp_scoreOneResult_constructCopy(cclp_scoreOneResult* result,
                                          const cclp_scoreOneResult* source) {
    return cclp::constructRecordFrom(result, source);
}
int32_t cclp_scoreOneResult_assign(cclp_scoreOneResult* result, const cclp_scoreOneResult* source) {
    return cclp::assignRecord(result, source);
}
int32_t cclp_scoreOneResult_reset(cclp_scoreOneResult* result) { return cclp::resetRecord(result); }
int32_t cclp_scoreOneResult_destruct(cclp_scoreOneResult* result) {
    return cclp::resetRecord(result);
}

int32_t cclp_scoreResultSet_construct(cclp_scoreResultSet* set) { return cclp::constructSet(set); }
int32_t cclp_scoreResultSet_constructCopy(cclp_scoreResultSet* set,
                                          const cclp_scoreResultSet* source) {
    return cclp::constructSetFrom(set, source);
}
int32_t cclp_scoreResultSet_assign(cclp_scoreResultSet* set, const cclp_scoreResultSet* source) {
    return cclp::assignSet(set, source);
}
int32_t cclp_scoreResultSet_reset(cclp_scoreResultSet* set) { return cclp::resetSet(set); }
int32_t cclp_scoreResultSet_destruct(cclp_scoreResultSet* set) { return cclp::resetSet(set); }

int32_t cclp_scoreOneResultEx_construct(cclp_scoreOneResultEx* result) {
    return cclp::constructRecord(result);
}
int32_t cclp_scoreOneResultEx_constructCopy(cclp_scoreOneResultEx* result,
                                            const cclp_scoreOneResultEx* source) {
    return cclp::constructRecordFrom(result, source);
}
int32_t cclp_scoreOneResultEx_assign(cclp_scoreOneResultEx* result,
                                     const cclp_scoreOneResultEx* source) {
    return cclp::assignRecord(result, source);
}
int32_t cclp_scoreOneResultEx_reset(cclp_scoreOneResultEx* result) {
    return cclp::resetRecord(result);
}
int32_t cclp_scoreOneResultEx_destruct(cclp_scoreOneResultEx* result) {
    return cclp::resetRecord(result);
}
int32_t cclp_scoreOneResultEx_assignToEx(cclp_scoreOneResultEx* result,
                                         const cclp_scoreOneResult* source) {
    return cclp::assignRecord(result, source);
}
int32_t cclp_scoreOneResultEx_assignFromEx(cclp_scoreOneResult* result,
                                           const cclp_scoreOneResultEx* source) {
    return cclp::assignRecord(result, source);
}

int32_t cclp_scoreResultSetEx_construct(cclp_scoreResultSetEx* set) {
    return cclp::constructSet(set);
}
int32_t cclp_scoreResultSetEx_constructCopy(cclp_scoreResultSetEx* set,
                                            const cclp_scoreResultSetEx* source) {
    return cclp::constructSetFrom(set, source);
}
int32_t cclp_scoreResultSetEx_assign(cclp_scoreResultSetEx* set,
                                     const cclp_scoreResultSetEx* source) {
    return cclp::assignSet(set, source);
}
int32_t cclp_scoreResultSetEx_destruct(cclp_scoreResultSetEx* set) {
    return cclp::resetScoreResultSetEx(set);
}
int32_t cclp_scoreResultSetEx_assignToEx(cclp_scoreResultSetEx* set,
                                         const cclp_scoreResultSet* source) {
    return cclp::assignSet(set, source);
}
int32_t cclp_scoreResultSetEx_assignFromEx(cclp_scoreResultSet* set,
                                           const cclp_scoreResultSetEx* source) {
    return cclp::assignSet(set, source);
}

}  // extern "C"

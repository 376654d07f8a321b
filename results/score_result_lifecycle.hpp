// Life cycle of scored result records and sets, written once for the plain
// and the extended forms (they differ only in their edge types). Assignment
// and conversion are the same copy: arrays of matching types are cloned,
// edge arrays of twin types converted. Every function takes pointers and
// reports a null one, so the exported functions only forward.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "cclp_score/cclp_results.h"
#include "frame/check.hpp"
#include "frame/owned_memory.hpp"

namespace cclp {

template <class Record>
int32_t constructRecord(Record* record) {
    CCLP_REQUIRE_NONNULL(record);
    *record = Record{};
    record->formats = CCLP_FORMAT_DOUBLE;
    return CSYS_STATUS_OK;
}

template <class Record>
int32_t resetRecord(Record* record) {
    CCLP_REQUIRE_NONNULL(record);
    record->numScores = 0;
    record->formats = 0;
    record->numEdges = 0;
    CCLP_RETURN_IF_FAILED(releaseArray(record->edges));
    CCLP_RETURN_IF_FAILED(releaseArray(record->edgesFixed));
    CCLP_RETURN_IF_FAILED(releaseArray(record->scores));
    CCLP_RETURN_IF_FAILED(releaseArray(record->scoresFixed));
    return constructRecord(record);
}

// The counts and the combined score are written last: after a failure the
// record holds what was copied so far but claims no edges and no scores.
template <class Record, class Source>
int32_t assignRecord(Record* record, const Source* source) {
    CCLP_REQUIRE_NONNULL(record, source);
    if constexpr (std::is_same_v<Record, Source>) {
        if (record == source) return CSYS_STATUS_OK;
    }
    CCLP_RETURN_IF_FAILED(resetRecord(record));
    record->position = source->position;
    record->positionFixed = source->positionFixed;
    record->formats = source->formats;
    CCLP_RETURN_IF_FAILED(copyArray(record->edges, source->numEdges, source->edges));
    CCLP_RETURN_IF_FAILED(copyArray(record->edgesFixed, source->numEdges, source->edgesFixed));
    CCLP_RETURN_IF_FAILED(copyArray(record->scores, source->numScores, source->scores));
    CCLP_RETURN_IF_FAILED(copyArray(record->scoresFixed, source->numScores, source->scoresFixed));
    record->score = source->score;
    record->scoreFixed = source->scoreFixed;
    record->numEdges = source->numEdges;
    record->numScores = source->numScores;
    return CSYS_STATUS_OK;
}

// Builds a record in raw storage as a copy or conversion of the source. A
// failed copy releases what the record already holds, so nothing is left to
// destroy.
template <class Record, class Source>
int32_t constructRecordFrom(Record* record, const Source* source) {
    return constructAndAssign(record, source, constructRecord<Record>, resetRecord<Record>,
                              assignRecord<Record, Source>);
}

template <class Set>
int32_t constructSet(Set* set) {
    CCLP_REQUIRE_NONNULL(set);
    set->numResults = 0;
    set->results = nullptr;
    return CSYS_STATUS_OK;
}

// Records are released from the last to the first; numResults always counts
// the records not yet released.
template <class Set>
int32_t resetSet(Set* set) {
    CCLP_REQUIRE_NONNULL(set);
    if (set->results == nullptr) {
        set->numResults = 0;
        return CSYS_STATUS_OK;
    }
    while (set->numResults > 0) {
        --set->numResults;
        CCLP_RETURN_IF_FAILED(resetRecord(&set->results[set->numResults]));
    }
    CCLP_RETURN_IF_FAILED(releaseArray(set->results));
    set->numResults = 0;
    return CSYS_STATUS_OK;
}

// Set assignment and conversion. numResults counts exactly the records built
// in full, so a set left by a failure is released by reset or destruct.
template <class Set, class Source>
int32_t assignSet(Set* set, const Source* source) {
    CCLP_REQUIRE_NONNULL(set, source);
    if constexpr (std::is_same_v<Set, Source>) {
        if (set == source) return CSYS_STATUS_OK;
    }
    CCLP_RETURN_IF_FAILED(resetSet(set));
    set->numResults = 0;
    if (source->results == nullptr) return CSYS_STATUS_OK;
    // A negative count is taken as an empty set rather than a huge request.
    const int32_t count = source->numResults > 0 ? source->numResults : 0;
    CCLP_RETURN_IF_FAILED(allocArray(set->results, count));
    for (int32_t i = 0; i < count; ++i) {
        CCLP_RETURN_IF_FAILED(constructRecordFrom(&set->results[i], &source->results[i]));
        ++set->numResults;
    }
    return CSYS_STATUS_OK;
}

template <class Set>
int32_t constructSetFrom(Set* set, const Set* source) {
    return constructAndAssign(set, source, constructSet<Set>, resetSet<Set>, assignSet<Set, Set>);
}

}  // namespace cclp

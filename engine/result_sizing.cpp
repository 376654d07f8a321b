#include "engine/result_sizing.hpp"

#include <cstddef>

#include "frame/check.hpp"
#include "csys_runtime.h"
#include "frame/owned_memory.hpp"

namespace cclp {
namespace {

int32_t resetRecord(cclp_scoreOneResult* record) { return cclp_scoreOneResult_reset(record); }
int32_t resetRecord(cclp_scoreOneResultEx* record) { return cclp_scoreOneResultEx_reset(record); }
int32_t constructRecord(cclp_scoreOneResult* record) {
    return cclp_scoreOneResult_construct(record);
}
int32_t constructRecord(cclp_scoreOneResultEx* record) {
    return cclp_scoreOneResultEx_construct(record);
}

template <class Set>
void discardResults(Set* set) {
    if (set == nullptr) return;
    while (set->results != nullptr && set->numResults > 0) {
        // A reset only releases arrays the record owns; nothing to report.
        (void)resetRecord(&set->results[set->numResults - 1]);
        --set->numResults;
    }
    set->numResults = 0;
}

// Records kept across a change of count read as freshly constructed ones
// would once the run has written them: the run writes every field of its
// formats, and the other format's position and score read 0.
template <class Record>
void clearScalars(Record& record) {
    record.position = 0.0;
    record.positionFixed = 0;
    record.score = 0.0;
    record.scoreFixed = 0;
}

// A set without an array holds no records, whatever its count says.
template <class Set>
int32_t heldRecords(Set* set) {
    if (set->results == nullptr || set->numResults < 0) set->numResults = 0;
    return set->numResults;
}

// Resets records from the last on until the set holds n; numResults always
// counts the records not yet reset.
template <class Set>
int32_t shrinkTo(Set* set, int32_t n) {
    while (set->numResults > n) {
        CCLP_RETURN_IF_FAILED(resetRecord(&set->results[set->numResults - 1]));
        --set->numResults;
    }
    return CCLP_STATUS_OK;
}

// Makes room for n records and constructs those beyond the ones held. A
// failed resize leaves every record reset and the set counting none.
template <class Set>
int32_t growTo(Set* set, int32_t n) {
    const int32_t status = reallocArray(set->results, n);
    if (status < 0) {
        discardResults(set);
        return status;
    }
    while (set->numResults < n) {
        CCLP_RETURN_IF_FAILED(constructRecord(&set->results[set->numResults]));
        ++set->numResults;
    }
    return CCLP_STATUS_OK;
}

inline bool validCount(int32_t n) {
    CCLP_ASSERT(n >= 0);
    return n >= 0;
}

template <class Set>
int32_t resizeSet(Set* set, int32_t n) {
    CCLP_REQUIRE_NONNULL(set);
    if (!validCount(n)) return CSYS_STATUS_INVALID_ARGUMENT;
    if (heldRecords(set) == n) return CCLP_STATUS_OK;
    CCLP_RETURN_IF_FAILED(shrinkTo(set, 0));
    return growTo(set, n);
}

// Growing and shrinking both keep the first records and their arrays; a
// shrink resets the surplus and keeps the array of records as it is.
template <class Set>
int32_t fitSet(Set* set, int32_t n) {
    CCLP_REQUIRE_NONNULL(set);
    if (!validCount(n)) return CSYS_STATUS_INVALID_ARGUMENT;
    const int32_t held = heldRecords(set);
    if (held == n) return CCLP_STATUS_OK;
    CCLP_RETURN_IF_FAILED(shrinkTo(set, n));
    for (int32_t r = 0; r < set->numResults; ++r) clearScalars(set->results[r]);
    return held > n ? CCLP_STATUS_OK : growTo(set, n);
}

struct Header {
    int32_t numScores;
    uint32_t formats;
    int32_t numEdges;
};

// An array fits when the record already held this format with this count.
// A missing array fits only an empty count: the run writes into it.
template <class T>
bool fits(bool hadFormat, int32_t oldCount, int32_t count, const T* array) {
    return hadFormat && oldCount == count && (array != nullptr || count == 0);
}

// One format's pair of arrays: both are released when the format is not
// wanted; otherwise each is marked for resizing unless it already fits.
struct ArraysToResize {
    bool edges = false;
    bool scores = false;
};

template <class Edge, class Score>
int32_t planFormat(uint32_t bit, const Header& old, const Header& wanted, Edge*& edges,
                   Score*& scores, ArraysToResize& resize) {
    if ((wanted.formats & bit) == 0) {
        CCLP_RETURN_IF_FAILED(releaseArray(edges));
        return releaseArray(scores);
    }
    const bool had = (old.formats & bit) != 0;
    resize.edges = !fits(had, old.numEdges, wanted.numEdges, edges);
    resize.scores = !fits(had, old.numScores, wanted.numScores, scores);
    return CCLP_STATUS_OK;
}

// Whether an array is as a prepared record of this format holds it: absent
// when the format is not wanted, else present unless empty.
template <class T>
bool heldAsWanted(bool wanted, int32_t count, const T* array) {
    return wanted ? (array != nullptr || count == 0) : array == nullptr;
}

// A record that a run with the same formats and counts prepared before
// needs nothing: the steps below would leave it as it is.
template <class Record>
bool alreadyPrepared(const Record* record, const Header& wanted) {
    if (record->formats != wanted.formats || record->numScores != wanted.numScores ||
        record->numEdges != wanted.numEdges) {
        return false;
    }
    const bool doubles = (wanted.formats & CCLP_FORMAT_DOUBLE) != 0;
    const bool fixed = (wanted.formats & CCLP_FORMAT_FIXED) != 0;
    return heldAsWanted(doubles, wanted.numEdges, record->edges) &&
           heldAsWanted(doubles, wanted.numScores, record->scores) &&
           heldAsWanted(fixed, wanted.numEdges, record->edgesFixed) &&
           heldAsWanted(fixed, wanted.numScores, record->scoresFixed);
}

template <class Record>
int32_t prepareRecord(Record* record, const Header& wanted) {
    CCLP_REQUIRE_NONNULL(record);
    CCLP_ASSERT(wanted.numScores >= 0 && wanted.numEdges >= 0);
    if (wanted.numScores < 0 || wanted.numEdges < 0) return CSYS_STATUS_INVALID_ARGUMENT;
    if (alreadyPrepared(record, wanted)) return CCLP_STATUS_OK;
    const Header old{record->numScores, record->formats, record->numEdges};
    record->numScores = 0;
    record->formats = 0;
    record->numEdges = 0;
    ArraysToResize doubles;
    ArraysToResize fixed;
    CCLP_RETURN_IF_FAILED(
        planFormat(CCLP_FORMAT_DOUBLE, old, wanted, record->edges, record->scores, doubles));
    CCLP_RETURN_IF_FAILED(
        planFormat(CCLP_FORMAT_FIXED, old, wanted, record->edgesFixed, record->scoresFixed, fixed));
    if (doubles.edges) CCLP_RETURN_IF_FAILED(reallocArray(record->edges, wanted.numEdges));
    if (fixed.edges) CCLP_RETURN_IF_FAILED(reallocArray(record->edgesFixed, wanted.numEdges));
    if (doubles.scores) CCLP_RETURN_IF_FAILED(reallocArray(record->scores, wanted.numScores));
    if (fixed.scores) CCLP_RETURN_IF_FAILED(reallocArray(record->scoresFixed, wanted.numScores));
    record->numScores = wanted.numScores;
    record->formats = wanted.formats;
    record->numEdges = wanted.numEdges;
    return CCLP_STATUS_OK;
}

}  // namespace

int32_t resizeScoreResultSet(cclp_scoreResultSet* set, int32_t n) { return resizeSet(set, n); }
int32_t resizeScoreResultSetEx(cclp_scoreResultSetEx* set, int32_t n) { return resizeSet(set, n); }
int32_t fitScoreResultSet(cclp_scoreResultSet* set, int32_t n) { return fitSet(set, n); }
int32_t fitScoreResultSetEx(cclp_scoreResultSetEx* set, int32_t n) { return fitSet(set, n); }

int32_t prepareScoreOneResult(cclp_scoreOneResult* record, uint32_t formats, int32_t numScores,
                              int32_t numEdges) {
    return prepareRecord(record, Header{numScores, formats, numEdges});
}

int32_t prepareScoreOneResultEx(cclp_scoreOneResultEx* record, uint32_t formats,
                                int32_t numScores, int32_t numEdges) {
    return prepareRecord(record, Header{numScores, formats, numEdges});
}

void discardScoreResults(cclp_scoreResultSet* set) { discardResults(set); }
void discardScoreResultsEx(cclp_scoreResultSetEx* set) { discardResults(set); }

}  // namespace cclp

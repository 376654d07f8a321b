#include "caliper_search.hpp"

#include "cclp_score/cclp_run.h"

namespace cgeom {

namespace {

// The records the search reuses from caliper to caliper.
struct SearchRecords {
    cclp_resultSet edges{};
    cclp_scoreResultSet scored{};
    int32_t status = CGEOM_STATUS_OK;
    SearchRecords() {
        status = cclp_resultSet_construct(&edges);
        cclp_scoreResultSet_construct(&scored);
    }
    ~SearchRecords() {
        cclp_scoreResultSet_destruct(&scored);
        if (status >= 0) cclp_resultSet_destruct(&edges);
    }
    SearchRecords(const SearchRecords&) = delete;
    SearchRecords& operator=(const SearchRecords&) = delete;
};

double positionOf(const cclp_scoreOneResult& result) {
    return (result.formats & CCLP_FORMAT_DOUBLE) != 0 ? result.position
                                                      : result.positionFixed / 256.0;
}

double scoreOf(const cclp_scoreOneResult& result) {
    return (result.formats & CCLP_FORMAT_DOUBLE) != 0 ? result.score : result.scoreFixed / 256.0;
}

// The first of the best-scored candidates; null when none scored above 0.
const cclp_scoreOneResult* bestOf(const cclp_scoreResultSet& scored) {
    const cclp_scoreOneResult* best = nullptr;
    for (int32_t i = 0; i < scored.numResults; ++i) {
        const cclp_scoreOneResult& candidate = scored.results[i];
        if (scoreOf(candidate) > 0.0 && (best == nullptr || scoreOf(candidate) > scoreOf(*best))) {
            best = &candidate;
        }
    }
    return best;
}

int32_t searchOne(const cedge_image& image, const cedge_params& edgeParams,
                  const cclp_scoreParams& scoreParams, SearchRecords& records,
                  cgeom_caliperResult& result) {
    int32_t status = cedge_findEdges(&image, &result.caliper, &edgeParams, &records.edges, nullptr);
    if (status == CEDGE_STATUS_OUTSIDE_IMAGE) {
        result.status = status;
        return CGEOM_STATUS_OK;
    }
    if (status < 0 || records.edges.numEdges == 0) return status;
    status = cclp_runScore(&records.edges, &scoreParams, &records.scored);
    if (status < 0) return status;
    const cclp_scoreOneResult* best = bestOf(records.scored);
    if (best == nullptr) return CGEOM_STATUS_OK;
    result.position = positionOf(*best);
    status = cedge_caliperPoint(&result.caliper, result.position, &result.point);
    if (status < 0) return status;
    result.score = scoreOf(*best);
    result.numEdges = best->numEdges;
    result.found = 1;
    return CGEOM_STATUS_OK;
}

}  // namespace

int32_t searchCalipers(const cedge_image& image, const std::vector<cedge_caliper>& calipers,
                       const cedge_params& edgeParams, const cclp_scoreParams& scoreParams,
                       std::vector<cgeom_caliperResult>& results) {
    SearchRecords records;
    if (records.status < 0) return records.status;
    results.assign(calipers.size(), cgeom_caliperResult{});
    for (std::size_t i = 0; i < calipers.size(); ++i) {
        results[i].caliper = calipers[i];
        const int32_t status = searchOne(image, edgeParams, scoreParams, records, results[i]);
        if (status < 0) return status;
    }
    return CGEOM_STATUS_OK;
}

}  // namespace cgeom

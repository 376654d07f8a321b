// What a caller can see of scored results, as text: records bit for bit,
// and whole output sets, so that outputs compare with one equality and
// "left as it was" can be checked.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace cclp::testing {

// Everything a caller can see of a result record, bit for bit: its values,
// and where its arrays lie unless `withPointers` is false. Appended piece by
// piece: GCC 12 at -O3 warns falsely on string sums.
template <class R>
std::string recordText(const R& r, bool withPointers) {
    std::string text;
    char item[32];
    const auto add = [&](const char* format, auto value) {
        std::snprintf(item, sizeof item, format, value);
        text += item;
    };
    for (const double value : {1.0 * r.numScores, 1.0 * r.formats, 1.0 * r.numEdges, r.position,
                               1.0 * r.positionFixed, r.score, 1.0 * r.scoreFixed}) {
        add(" %a", value);
    }
    for (const void* array : {static_cast<const void*>(r.scores),
                              static_cast<const void*>(r.scoresFixed),
                              static_cast<const void*>(r.edges),
                              static_cast<const void*>(r.edgesFixed)}) {
        if (withPointers) add(" %p", array);
    }
    for (int32_t m = 0; m < r.numScores; ++m) {
        if (r.scores != nullptr) add(" %a", r.scores[m]);
        if (r.scoresFixed != nullptr) add(" %d", r.scoresFixed[m]);
    }
    for (int32_t e = 0; e < r.numEdges; ++e) {
        if (r.edges != nullptr) add(" %a", r.edges[e].position);
        if (r.edges != nullptr) add(" %a", r.edges[e].contrast);
        if (r.edgesFixed != nullptr) add(" %d", r.edgesFixed[e].position);
        if (r.edgesFixed != nullptr) add(" %d", r.edgesFixed[e].contrast);
    }
    return text;
}

// Everything a caller can see of an output set; where its arrays lie only
// when `withPointers`.
template <class Set>
std::string snapshot(const Set& set, bool withPointers = true) {
    std::string text = std::to_string(set.numResults);
    if (withPointers) {
        char where[24];
        std::snprintf(where, sizeof where, " %p", static_cast<void*>(set.results));
        text += where;
    }
    text += '\n';
    for (int32_t r = 0; set.results != nullptr && r < set.numResults; ++r) {
        text += recordText(set.results[r], withPointers);
        text += '\n';
    }
    return text;
}

}  // namespace cclp::testing

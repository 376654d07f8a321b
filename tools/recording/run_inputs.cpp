#include "recording/run_inputs.hpp"

#include <array>
#include <string>
#include <type_traits>
#include <vector>

#include "recording/document_error.hpp"
#include "recording/method_table.hpp"
#include "recording/schema.hpp"

namespace cclp_recording {
namespace {

std::string desiredEdgesField() { return fieldPath(key::params, key::desiredEdges); }

std::string methodField(std::size_t index) {
    return fieldPath(key::params, key::scoreMethods) + "[" + std::to_string(index) + "]";
}

}  // namespace

namespace {

// What the document can change so that the method fits.
std::string remedy(cclp::score::Fit fit) {
    using cclp::score::Fit;
    switch (fit) {
        case Fit::NeedsPairs:
            return ", but " + desiredEdgesField() + " describes a single edge";
        case Fit::NeedsOneSided:
            return " (single edges): give oneSided";
        case Fit::NeedsTwoSided:
            return " (edge pairs): give twoSided";
        default:
            return "";
    }
}

}  // namespace

void checkMethodsSuitEdgeModel(const Recording& recording) {
    if (recording.desiredEdges.size() != 1 && recording.desiredEdges.size() != 2) return;  // the library says
    const cclp::score::RunShape shape{recording.pairs(), recording.needsExtendedRun()};
    for (std::size_t i = 0; i < recording.scoreMethods.size(); ++i) {
        const cclp::score::Method method(recording.scoreMethods[i]);
        const cclp::score::Fit fit = method.fit(shape);
        if (fit == cclp::score::Fit::Suits) continue;
        const std::string field = fit == cclp::score::Fit::NeedsPairs ? fieldPath(methodField(i), key::method)
                                                                      : methodField(i);
        throw InputError(field, "'" + std::string(method.name()) + "' " + cclp::score::fitText(fit) +
                                    remedy(fit));
    }
}

// The runs size their working block in 32-bit counts: one row of method
// scores per candidate, and n * (n - 1) for the pairs.
void checkRunSize(const Recording& recording) {
    const auto n = static_cast<int64_t>(recording.edges.size());
    const auto m = static_cast<int64_t>(recording.scoreMethods.size());
    const int64_t candidates = recording.pairs() ? n * (n - 1) / 2 : n;
    constexpr int64_t kLimit = INT32_MAX;
    if ((recording.pairs() && n * (n - 1) > kLimit) || candidates * m > kLimit || n > kLimit) {
        throw InputError(fieldPath(key::caliper, key::edges),
                         std::to_string(n) + " edges give " + std::to_string(candidates) +
                             " candidates of " + std::to_string(m) +
                             " method scores each, more than a run can count in 32 bits");
    }
}

// An expected winner that no run can report makes every check of the
// recording a miss that says nothing about the scoring.
void checkExpectation(const Recording& recording) {
    if (!recording.expected || recording.expected->edges.empty()) return;
    const std::vector<std::size_t>& edges = recording.expected->edges;
    const std::string field = fieldPath(key::expect, key::edges);
    const std::size_t wanted = recording.pairs() ? 2 : 1;
    if (edges.size() != wanted) {
        throw InputError(field, "gives " + std::to_string(edges.size()) + " edge indices, but the "
                                "recording scores " + (recording.pairs() ? "edge pairs" : "single edges"));
    }
    for (std::size_t k = 0; k < edges.size(); ++k) {
        if (edges[k] >= recording.edges.size()) {
            throw InputError(field + "[" + std::to_string(k) + "]",
                             "edge " + std::to_string(edges[k]) + " does not exist; the caliper has " +
                                 std::to_string(recording.edges.size()) + " edges");
        }
    }
    if (edges.size() == 2 && !(edges[0] < edges[1])) {
        throw InputError(field, "a pair's edges are named first edge first, as a run forms them");
    }
}

namespace {

cclp::score::DesiredEdge desiredEdge(const cclp_desiredEdge& edge) {
    return {edge.position, static_cast<cclp::score::Polarity>(edge.polarity)};
}

void setDesiredEdges(cclp::score::Params& params, const Recording& recording) {
    std::error_code ec;
    if (recording.desiredEdges.size() == 1) {
        params.single(desiredEdge(recording.desiredEdges[0]), ec);
    } else if (recording.desiredEdges.size() == 2) {
        params.pair(desiredEdge(recording.desiredEdges[0]), desiredEdge(recording.desiredEdges[1]), ec);
    } else {
        throw InputError(desiredEdgesField(),
                         "give one desired edge (single edges) or two (edge pairs), not " +
                             std::to_string(recording.desiredEdges.size()));
    }
    requireAccepted(ec, desiredEdgesField(), "cclp_scoreParams_setDesiredEdges");
}

}  // namespace

cclp::score::Params buildParams(const Recording& recording) {
    std::error_code ec;
    cclp::score::Params params = cclp::score::Params::make(ec);
    if (ec) throw RunError("cannot construct the score parameters: " + ec.message(), ec.value());
    setDesiredEdges(params, recording);
    checkMethodsSuitEdgeModel(recording);
    checkRunSize(recording);
    checkExpectation(recording);
    const std::vector<cclp::score::Method> methods(recording.scoreMethods.begin(), recording.scoreMethods.end());
    params.methods(methods, ec);
    requireAccepted(ec, fieldPath(key::params, key::scoreMethods), "cclp_scoreParams_setScoreMethods");
    params.maxResults(recording.maxNumResults, ec);
    requireAccepted(ec, fieldPath(key::params, key::maxNumResults), "cclp_scoreParams_setMaxNumResults");
    params.sorted(recording.sortByScore);
    return params;
}

void checkRunInputs(const Recording& recording) { (void)buildParams(recording); }

namespace {

struct Columns {
    std::vector<double> positions;
    std::vector<double> contrasts;
    std::array<std::vector<double>, 3> extras;
};

Columns columnsOf(const std::vector<Edge>& edges) {
    Columns columns;
    for (const Edge& edge : edges) {
        columns.positions.push_back(edge.position);
        columns.contrasts.push_back(edge.contrast);
        columns.extras[0].push_back(edge.extra1);
        columns.extras[1].push_back(edge.extra2);
        columns.extras[2].push_back(edge.extra3);
    }
    return columns;
}

}  // namespace

template <class Edges>
Edges buildEdges(const Recording& recording) {
    const Columns c = columnsOf(recording.edges);
    const auto formats = static_cast<cclp::score::Formats>(recording.formats);
    std::error_code ec;
    Edges edges = [&] {
        if constexpr (std::is_same_v<Edges, cclp::score::EdgesEx>) {
            return Edges::make(c.positions, c.contrasts, c.extras[0], c.extras[1], c.extras[2], formats, ec);
        } else {
            return Edges::make(c.positions, c.contrasts, formats, ec);
        }
    }();
    if (ec) throw RunError("cannot copy the input edges: " + ec.message(), ec.value());
    return edges;
}

template cclp::score::Edges buildEdges<cclp::score::Edges>(const Recording&);
template cclp::score::EdgesEx buildEdges<cclp::score::EdgesEx>(const Recording&);

}  // namespace cclp_recording

/** @file
 * The scorer: runs the module with its parameters over edges, keeping its
 * output records from one run to the next.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_SCORER_HPP
#define CCLP_SCORE_CXX_SCORER_HPP

#include <system_error>
#include <utility>

#include "edges.hpp"
#include "errors.hpp"
#include "params.hpp"
#include "records.hpp"
#include "results.hpp"

namespace cclp::score {

/// Runs the module over edges with its parameters. It keeps its output
/// records between runs, so a run that writes as many results as the one
/// before allocates nothing but its own working block.
class Scorer {
public:
    /// Its empty output records: their construction allocates nothing and
    /// cannot fail.
    explicit Scorer(Params params) : params_(std::move(params)) {}

    /// The parameters, which may be changed between runs.
    ///@{
    Params& params() noexcept { return params_; }
    const Params& params() const noexcept { return params_; }
    ///@}

    /// Scores the edges; the view is valid until the next run. A failed run
    /// throws Error, or with ec, reports it there and returns an empty view;
    /// the output is then as the module leaves it. Extended edges give
    /// extended results.
    ///@{
    Results score(const Edges& edges) {
        return detail::orThrow("cclp_runScore",
                               [&](std::error_code& ec) { return score(edges, ec); });
    }
    Results score(const Edges& edges, std::error_code& ec) {
        return score(edges.c(), ec);
    }
    ResultsEx score(const EdgesEx& edges) {
        return detail::orThrow("cclp_runScoreEx",
                               [&](std::error_code& ec) { return score(edges, ec); });
    }
    ResultsEx score(const EdgesEx& edges, std::error_code& ec) { return score(edges.c(), ec); }
    ///@}

    /// Scores edges borrowed from a caliper result set that stays the
    /// caller's (the edge finder's, say): nothing is copied. Failures as
    /// for score(const Edges&).
    ///@{
    Results score(const cclp_resultSet& edges) {
        return detail::orThrow("cclp_runScore",
                               [&](std::error_code& ec) { return score(edges, ec); });
    }
    ResultsEx score(const cclp_resultSetEx& edges) {
        return detail::orThrow("cclp_runScoreEx",
                               [&](std::error_code& ec) { return score(edges, ec); });
    }
    Results score(const cclp_resultSet& edges, std::error_code& ec) {
        return run<detail::PlainFamily>(edges, output_, indices_, ec);
    }
    ResultsEx score(const cclp_resultSetEx& edges, std::error_code& ec) {
        return run<detail::ExtendedFamily>(edges, outputEx_, indicesEx_, ec);
    }
    ///@}

    /// The output records of the last runs, to copy or to hand to C code.
    ///@{
    const ResultSet& output() const noexcept { return output_; }
    const ResultSetEx& outputEx() const noexcept { return outputEx_; }
    ///@}

private:
    template <class Family, class Output>
    BasicResults<Family> run(const typename Family::Input& edges, Output& output,
                             detail::IndexRecovery<Family>& indices, std::error_code& ec) {
        auto& set = output.c();
        if (detail::failed(detail::runScore(&edges, params_.get(), output.get()), ec)) {
            indices.recover(edges, set.results, 0);
            static const std::remove_reference_t<decltype(set)> kNone{};
            return BasicResults<Family>(kNone, indices);
        }
        indices.recover(edges, set.results, set.numResults);
        return BasicResults<Family>(set, indices);
    }

    Params params_;
    ResultSet output_;
    ResultSetEx outputEx_;
    detail::IndexRecovery<detail::PlainFamily> indices_;
    detail::IndexRecovery<detail::ExtendedFamily> indicesEx_;
};

}  // namespace cclp::score

#endif

/** @file
 * The scoring module for C++17 callers: value types that validate when they
 * are built, owners of the module's records, and a scorer that runs over
 * the caller's arrays and reports, besides each result, the indices of the
 * input edges it was formed from.
 *
 *     cclp::score::Edges edges(positions, contrasts);
 *     cclp::score::Scorer scorer(cclp::score::Params()
 *         .pair({-10.0, Polarity::Positive}, {10.0, Polarity::Negative})
 *         .methods({Method(MethodId::SizeDiff, OneSided(0.0, 0.25, 0.25, 1.0, 0.0))}));
 *     for (const auto& result : scorer.score(edges)) use(result.index(0), result.score());
 *
 * Header-only: it calls nothing but the C exports of the module and of its
 * runtime library, so no C++ ABI crosses the library's boundary and any
 * compiler can use it against the same binary.
 *
 * Errors: operations that can fail throw cclp::score::Error, a
 * std::system_error whose code is the module's 32-bit status in
 * cclp::score::errorCategory(). Each of them has a noexcept twin that takes
 * a std::error_code& last (constructors: a static make(..., ec)) and reports
 * the status there instead. Built without exceptions (or with
 * CCLP_SCORE_NO_EXCEPTIONS defined), the throwing forms abort: use the
 * twins.
 *
 * A scorer and the views it returns are not to be shared between threads
 * without synchronisation; distinct scorers may run on any threads at once.
 */
#ifndef CCLP_SCORE_HPP
#define CCLP_SCORE_HPP

// The whole C interface too: the records and constants the C++ types wrap.
#include "cclp_score.h"

#include "cxx/errors.hpp"
#include "cxx/array_ref.hpp"
#include "cxx/records.hpp"
#include "cxx/functions.hpp"
#include "cxx/methods.hpp"
#include "cxx/params.hpp"
#include "cxx/edges.hpp"
#include "cxx/results.hpp"
#include "cxx/scorer.hpp"
#include "cxx/sampling.hpp"
#include "cxx/measured_values.hpp"

/// @namespace cclp::score
/// The scoring module for C++17 callers (cclp_score.hpp): edges, score
/// parameters, a scorer and its results over the module's C exports.

#endif

/** @file
 * Score methods: the method table as an enum class with name lookups, and
 * the method record built from a method and its function.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_METHODS_HPP
#define CCLP_SCORE_CXX_METHODS_HPP

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "../cclp_score_method.h"
#include "csys_runtime.h"
#include "errors.hpp"
#include "functions.hpp"

namespace cclp::score {

/// The score methods, numbered as the module numbers them: the values of
/// cclp_scoreMethodNumber without their prefix (SizeDiff, Size, PosNormAbs,
/// ...). kMethods lists each with its name and what it measures.
enum class MethodId : int32_t {
#define CCLP_SCORE_METHOD_ID_(number, id, ...) id = number,
    CCLP_SCORE_METHOD_TABLE(CCLP_SCORE_METHOD_ID_)
#undef CCLP_SCORE_METHOD_ID_
};

/// The kind of scoring function a method maps its measurement through.
enum class FunctionKind : int32_t {
    None = cclp_scoreFunctionNone,              ///< None: straddle.
    OneSided = cclp_scoreFunctionOneSided,      ///< A one-sided function.
    TwoSided = cclp_scoreFunctionTwoSided,      ///< A two-sided function.
    ByCandidate = cclp_scoreFunctionByCandidate ///< Two-sided for pairs, one-sided for single edges.
};

/// What the method table says of one method.
struct MethodInfo {
    MethodId id;               ///< The method.
    const char* name;          ///< Its name: "sizeDiff".
    FunctionKind function;     ///< Which function it maps its measurement through.
    bool pairsOnly;            ///< Scores edge pairs only.
    bool extendedOnly;         ///< Reads the extra values of extended edges.
    bool needsWidth;           ///< A pair run needs a positive expected width.
    const char* measures;      ///< The value it scores: "||p1 - p0| - w| / w".
};

/// Every method, in number order.
inline constexpr MethodInfo kMethods[] = {
#define CCLP_SCORE_METHOD_INFO_(number, id, name, function, pairsOnly, extendedOnly, needsWidth, \
                                measures)                                                     \
    {MethodId::id, name, static_cast<FunctionKind>(function), (pairsOnly) != 0,                 \
     (extendedOnly) != 0, (needsWidth) != 0, measures},
    CCLP_SCORE_METHOD_TABLE(CCLP_SCORE_METHOD_INFO_)
#undef CCLP_SCORE_METHOD_INFO_
};

/// The table's entry of a method; null for a number no method has.
inline const MethodInfo* methodInfo(MethodId id) noexcept {
    for (const MethodInfo& info : kMethods) {
        if (info.id == id) return &info;
    }
    return nullptr;
}

/// A method's name ("sizeDiff"); null for a number no method has.
inline const char* methodName(MethodId id) noexcept {
    const MethodInfo* info = methodInfo(id);
    return info != nullptr ? info->name : nullptr;
}

/// The method of a name ("sizeDiff"), or none.
inline std::optional<MethodId> methodByName(std::string_view name) noexcept {
    for (const MethodInfo& info : kMethods) {
        if (name == info.name) return info.id;
    }
    return std::nullopt;
}

namespace detail {
inline bool sameIgnoringCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

inline std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }
}  // namespace detail

/// Why a name was refused as a method name, in the words every door uses:
/// "unknown score method 'sizediff' (did you mean 'sizeDiff'?)" when only
/// the case differs, else "unknown score method 'width' (known: sizeDiff,
/// size, ...)".
inline std::string unknownMethodText(std::string_view name) {
    const std::string refused = "unknown score method " + detail::quoted(name);
    for (const MethodInfo& info : kMethods) {
        if (detail::sameIgnoringCase(info.name, name)) {
            return refused + " (did you mean " + detail::quoted(info.name) + "?)";
        }
    }
    std::string known;
    for (const MethodInfo& info : kMethods) known += (known.empty() ? "" : ", ") + std::string(info.name);
    return refused + " (known: " + known + ")";
}

/// Why a function was refused for a method that scores without one
/// (straddle): "'straddle' takes no function; give none".
inline std::string functionUnwantedText(const MethodInfo& info) {
    return detail::quoted(info.name) + " takes no function; give none";
}

/// Why a method built without a function was refused when it scores through
/// one: "'sizeDiff' scores through a function; give one".
inline std::string functionMissingText(const MethodInfo& info) {
    return detail::quoted(info.name) + " scores through a function; give one";
}

/// The function a method maps its measurement through in a run of pairs or
/// of single edges: offsetDist takes a two-sided one for pairs (a side per
/// edge) and a one-sided one for single edges; straddle takes none.
inline FunctionKind functionRead(const MethodInfo& info, bool pairs) noexcept {
    if (info.function != FunctionKind::ByCandidate) return info.function;
    return pairs ? FunctionKind::TwoSided : FunctionKind::OneSided;
}

/// The candidates a run forms: single edges or pairs, of plain or extended
/// edges.
struct RunShape {
    bool pairs = false;     ///< Pairs of edges, else single edges.
    bool extended = false;  ///< Extended edges (with extra values), else plain.
};

/// Whether a method scores the candidates of a run, or why not.
enum class Fit {
    Suits,               ///< Scores them.
    NeedsPairs,          ///< Scores edge pairs only.
    NeedsExtendedEdges,  ///< Reads the extra values, which plain edges lack.
    NeedsOneSided,       ///< Reads a one-sided function here, and was given a two-sided one.
    NeedsTwoSided        ///< Reads a two-sided function here, and was given a one-sided one.
};

/// What a misfit means, in words a message can quote; "" for Fit::Suits.
inline const char* fitText(Fit fit) noexcept {
    switch (fit) {
        case Fit::NeedsPairs:
            return "scores edge pairs only";
        case Fit::NeedsExtendedEdges:
            return "reads the extra values of extended edges";
        case Fit::NeedsOneSided:
            return "takes a one-sided function here";
        case Fit::NeedsTwoSided:
            return "takes a two-sided function here";
        default:
            return "";
    }
}

/// A score method: what it measures and the function it maps that through.
/// The module checks that the method takes a function of that kind; a
/// method that scores without one (straddle) is built without one, and a
/// name no method has is refused, both with CSYS_STATUS_INVALID_ARGUMENT and
/// the words of unknownMethodText() and functionUnwantedText().
class Method {
public:
    /// A method and its function; a function of a kind the method does not
    /// take is refused (Error).
    ///@{
    Method(MethodId id, const OneSided& function)
        : Method(checked(id, "cclp_score_initScoreMethodOneSided",
                         [&](std::error_code& ec) { return make(id, function, ec); })) {}
    Method(MethodId id, const TwoSided& function)
        : Method(checked(id, "cclp_score_initScoreMethodTwoSided",
                         [&](std::error_code& ec) { return make(id, function, ec); })) {}
    ///@}
    /// A method that scores without a function (straddle).
    explicit Method(MethodId id)
        : Method(checked(id, "cclp_score_initScoreMethodOneSided",
                         [&](std::error_code& ec) { return make(id, ec); })) {}
    /// By name ("sizeDiff"); a name no method has is refused.
    template <class Function>
    Method(std::string_view name, const Function& function)
        : Method(byName(name, [&](MethodId id) { return Method(id, function); })) {}
    /// By name, for a method that scores without a function ("straddle").
    explicit Method(std::string_view name)
        : Method(byName(name, [](MethodId id) { return Method(id); })) {}
    /// Takes a method record the module built (a parameter set's, say).
    explicit Method(const cclp_score& method) noexcept : c_(method) {}

    /// The noexcept forms: on failure ec holds the status, and the method
    /// returned is the module's default.
    ///@{
    static Method make(MethodId id, const OneSided& function, std::error_code& ec) noexcept {
        Method method;
        if (takesNoFunction(id, ec)) return method;
        (void)detail::failed(cclp_score_initScoreMethodOneSided(
                                 &method.c_, static_cast<int32_t>(id), &function.c()),
                             ec);
        return method;
    }
    static Method make(MethodId id, const TwoSided& function, std::error_code& ec) noexcept {
        Method method;
        if (takesNoFunction(id, ec)) return method;
        (void)detail::failed(cclp_score_initScoreMethodTwoSided(
                                 &method.c_, static_cast<int32_t>(id), &function.c()),
                             ec);
        return method;
    }
    static Method make(MethodId id, std::error_code& ec) noexcept {
        Method method;
        const MethodInfo* info = methodInfo(id);
        if (info == nullptr || info->function != FunctionKind::None) {
            ec = makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT);
            return method;
        }
        const OneSided unread;
        (void)detail::failed(cclp_score_initScoreMethodOneSided(
                                 &method.c_, static_cast<int32_t>(id), &unread.c()),
                             ec);
        return method;
    }
    template <class Function>
    static Method make(std::string_view name, const Function& function,
                       std::error_code& ec) noexcept {
        const std::optional<MethodId> id = methodByName(name);
        if (!id) {
            ec = makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT);
            return Method();
        }
        return make(*id, function, ec);
    }
    ///@}

    /// The method.
    MethodId id() const noexcept { return static_cast<MethodId>(c_.method); }
    /// Its name ("sizeDiff").
    const char* name() const noexcept { return methodName(id()); }
    /// True when its function is one-sided (oneSided()), else two-sided.
    bool isOneSided() const noexcept { return c_.isOneSided != 0; }
    /// Its one-sided function (when isOneSided()).
    OneSided oneSided() const noexcept { return OneSided(c_.oneSided); }
    /// Its two-sided function (unless isOneSided()).
    TwoSided twoSided() const noexcept { return TwoSided(c_.twoSided); }
    /// The C record.
    const cclp_score& c() const noexcept { return c_; }

    /// Whether the method scores the candidates of a run of that shape.
    Fit fit(const RunShape& run) const noexcept {
        const MethodInfo* info = methodInfo(id());
        if (info == nullptr) return Fit::Suits;  // the module refuses it itself
        if (info->pairsOnly && !run.pairs) return Fit::NeedsPairs;
        if (info->extendedOnly && !run.extended) return Fit::NeedsExtendedEdges;
        const FunctionKind read = functionRead(*info, run.pairs);
        if (read == FunctionKind::OneSided && !isOneSided()) return Fit::NeedsOneSided;
        if (read == FunctionKind::TwoSided && isOneSided()) return Fit::NeedsTwoSided;
        return Fit::Suits;
    }

private:
    Method() noexcept { (void)cclp_score_init(&c_); }

    static bool takesNoFunction(MethodId id, std::error_code& ec) noexcept {
        const MethodInfo* info = methodInfo(id);
        if (info == nullptr || info->function != FunctionKind::None) return false;
        ec = makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT);
        return true;
    }

    // The throwing form: a refusal of the method's function names the
    // method, any other one the module's operation.
    template <class Make>
    static Method checked(MethodId id, const char* operation, Make&& make) {
        std::error_code ec;
        Method method = make(ec);
        if (!ec) return method;
        const MethodInfo* info = methodInfo(id);
        if (info == nullptr || ec.value() != CSYS_STATUS_INVALID_ARGUMENT) {
            detail::raise(ec, operation);
        }
        detail::raise(ec, (info->function == FunctionKind::None ? functionUnwantedText(*info)
                                                                 : functionMissingText(*info))
                              .c_str());
    }

    template <class Build>
    static Method byName(std::string_view name, Build&& build) {
        const std::optional<MethodId> id = methodByName(name);
        if (!id) detail::raise(makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT), unknownMethodText(name).c_str());
        return build(*id);
    }

    cclp_score c_{};
};

}  // namespace cclp::score

#endif

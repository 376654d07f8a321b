#include "method_table.hpp"

#include <array>

#include "cclp_score/cclp_score_method.h"

namespace cclp_cli {
namespace {

constexpr std::array kMethods{
    MethodInfo{cclp_scoreMethodSizeDiff, "sizeDiff", FunctionKind::oneSided, true, false,
               "||p1 - p0| - w| / w"},
    MethodInfo{cclp_scoreMethodSize, "size", FunctionKind::oneSided, true, false, "|p1 - p0| / w"},
    MethodInfo{cclp_scoreMethodPosNormAbs, "posNormAbs", FunctionKind::oneSided, true, false,
               "|p0 + p1| / 2w"},
    MethodInfo{cclp_scoreMethodPosAbs, "posAbs", FunctionKind::oneSided, false, false,
               "|p0|, pair: |p0 + p1| / 2"},
    MethodInfo{cclp_scoreMethodStraddle, "straddle", FunctionKind::none, true, false,
               "1 when p0 < 0 < p1, else 0"},
    MethodInfo{cclp_scoreMethodContrast, "contrast", FunctionKind::oneSided, false, false,
               "mean |contrast|"},
    MethodInfo{cclp_scoreMethodPosNorm, "posNorm", FunctionKind::oneSided, true, false,
               "(p0 + p1) / 2w"},
    MethodInfo{cclp_scoreMethodPos, "pos", FunctionKind::oneSided, false, false,
               "p0, pair: (p0 + p1) / 2"},
    MethodInfo{cclp_scoreMethodSizeDiffSigned, "sizeDiffSigned", FunctionKind::twoSided, true,
               false, "(|p1 - p0| - w) / w"},
    MethodInfo{cclp_scoreMethodEdgePos, "edgePos", FunctionKind::twoSided, true, false,
               "p0 by low side, p1 by high side"},
    MethodInfo{cclp_scoreMethodOffsetDist, "offsetDist", FunctionKind::bySingleOrPair, false, false,
               "|p - offset| per edge"},
    MethodInfo{cclp_scoreMethodExtra1Diff, "extra1Diff", FunctionKind::oneSided, true, true,
               "|extra1 of e1 - extra1 of e0|"},
    MethodInfo{cclp_scoreMethodExtraMax, "extraMax", FunctionKind::oneSided, false, true,
               "largest extra2/extra3"},
};

}  // namespace

std::span<const MethodInfo> allMethods() { return kMethods; }

const MethodInfo* findMethod(std::string_view name) {
    for (const MethodInfo& method : kMethods) {
        if (method.name == name) return &method;
    }
    return nullptr;
}

const MethodInfo* findMethod(int32_t number) {
    for (const MethodInfo& method : kMethods) {
        if (method.number == number) return &method;
    }
    return nullptr;
}

FunctionKind functionRead(const MethodInfo& method, bool pairs) {
    if (method.function != FunctionKind::bySingleOrPair) return method.function;
    return pairs ? FunctionKind::twoSided : FunctionKind::oneSided;
}

}  // namespace cclp_cli

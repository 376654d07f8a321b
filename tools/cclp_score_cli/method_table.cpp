#include "cclp_score_cli/method_table.hpp"

#include <array>

#include "cclp_score/cclp_score_method.h"

namespace cclp_cli {
namespace {

constexpr FunctionKind toolKind(cclp_scoreFunctionKind kind) {
    switch (kind) {
    case cclp_scoreFunctionOneSided: return FunctionKind::oneSided;
    case cclp_scoreFunctionTwoSided: return FunctionKind::twoSided;
    case cclp_scoreFunctionByCandidate: return FunctionKind::bySingleOrPair;
    case cclp_scoreFunctionNone: break;
    }
    return FunctionKind::none;
}

#define CCLP_CLI_METHOD_(number, id, name, function, pairsOnly, extendedOnly, needsWidth, \
                         measures)                                                         \
    MethodInfo{number, name, toolKind(function), pairsOnly != 0, extendedOnly != 0, measures},
constexpr std::array kMethods{CCLP_SCORE_METHOD_TABLE(CCLP_CLI_METHOD_)};
#undef CCLP_CLI_METHOD_

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

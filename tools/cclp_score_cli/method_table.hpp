// The score methods as the tool names them: the library's method numbers
// with lower-camel-case names, what each measures and which candidates and
// functions it takes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace cclp_cli {

enum class FunctionKind {
    oneSided,        // reads oneSided
    twoSided,        // reads twoSided
    bySingleOrPair,  // oneSided for single edges, twoSided for pairs
    none             // scores without a function
};

struct MethodInfo {
    int32_t number;
    std::string_view name;
    FunctionKind function;
    bool pairsOnly;
    bool needsExtras;           // reads extra1..extra3: extended runs only
    std::string_view measures;  // the measured value, p0/p1 positions, w width
};

std::span<const MethodInfo> allMethods();
// Null when the name or number is unknown.
const MethodInfo* findMethod(std::string_view name);
const MethodInfo* findMethod(int32_t number);
// The function part that a run reads for this method and edge model.
FunctionKind functionRead(const MethodInfo& method, bool pairs);

}  // namespace cclp_cli

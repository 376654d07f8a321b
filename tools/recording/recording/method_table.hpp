// The score methods as documents name them: the C++ interface's view of the
// module's method table, with the lookups the reader and writer need.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "cclp_score/cclp_score.hpp"

namespace cclp_recording {

using MethodInfo = cclp::score::MethodInfo;
using FunctionKind = cclp::score::FunctionKind;

inline std::span<const MethodInfo> allMethods() { return cclp::score::kMethods; }
inline int32_t methodNumber(const MethodInfo& method) { return static_cast<int32_t>(method.id); }
// Null when the name or number is unknown.
const MethodInfo* findMethod(std::string_view name);
const MethodInfo* findMethod(int32_t number);
// The function part that a run reads for this method and edge model.
using cclp::score::functionRead;

}  // namespace cclp_recording

// The score methods as the tool names them: the recording model's lookups.
#pragma once

#include "recording/method_table.hpp"

namespace cclp_cli {

using cclp_recording::allMethods;
using cclp_recording::findMethod;
using cclp_recording::FunctionKind;
using cclp_recording::functionRead;
using cclp_recording::MethodInfo;
using cclp_recording::methodNumber;

}  // namespace cclp_cli

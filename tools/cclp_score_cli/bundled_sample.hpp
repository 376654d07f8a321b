// The sample scored when no input file is given, built into the program.
#pragma once

#include <string_view>

namespace cclp_cli {

std::string_view bundledSampleName();
std::string_view bundledSample();

}  // namespace cclp_cli

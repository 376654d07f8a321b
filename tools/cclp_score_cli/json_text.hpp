// The tool parses its input as the recording model does.
#pragma once

#include "recording/json_text.hpp"

namespace cclp_cli {

using cclp_recording::parseJsonText;

}  // namespace cclp_cli

// The tool's namespace. The tool is a door to the recording model: it names
// that model's types and functions (Recording, InputError, readRecording,
// buildParams, ...) unqualified.
#pragma once

namespace cclp_recording {}

namespace cclp_cli {
using namespace cclp_recording;
}  // namespace cclp_cli

// What one invocation scores: a recording (the recording model's), as read
// from the input document and checked.
#pragma once

#include "recording/recording.hpp"

namespace cclp_cli {

using Job = cclp_recording::Recording;
using cclp_recording::Edge;
using cclp_recording::EdgeFixed;
using cclp_recording::Expectation;
using cclp_recording::fromFixed;
using cclp_recording::ImageCaliper;
using cclp_recording::Profile;
using cclp_recording::toFixed;

}  // namespace cclp_cli

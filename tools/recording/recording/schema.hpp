// The recording document's vocabulary: every key and every named value,
// spelled once for the reader, the writer and the messages that name fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cclp_recording::key {

// The document
inline constexpr std::string_view description = "description";
inline constexpr std::string_view caliper = "caliper";
inline constexpr std::string_view params = "params";
inline constexpr std::string_view expect = "expect";
inline constexpr std::string_view run = "run";          // an earlier report's; read past
inline constexpr std::string_view results = "results";  // likewise

// caliper
inline constexpr std::string_view formats = "formats";
inline constexpr std::string_view edges = "edges";
inline constexpr std::string_view profile = "profile";
inline constexpr std::string_view image = "image";

// caliper.edges[i], and the edges of a report's results
inline constexpr std::string_view position = "position";
inline constexpr std::string_view contrast = "contrast";
inline constexpr std::string_view extra1 = "extra1";
inline constexpr std::string_view extra2 = "extra2";
inline constexpr std::string_view extra3 = "extra3";

// caliper.profile
inline constexpr std::string_view start = "start";
inline constexpr std::string_view step = "step";
inline constexpr std::string_view values = "values";

// caliper.image, with its caliper's geometry under "caliper"
inline constexpr std::string_view file = "file";
inline constexpr std::string_view sigma = "sigma";
inline constexpr std::string_view minContrast = "minContrast";
inline constexpr std::string_view x = "x";
inline constexpr std::string_view y = "y";
inline constexpr std::string_view angle = "angle";
inline constexpr std::string_view length = "length";
inline constexpr std::string_view thickness = "thickness";

// params
inline constexpr std::string_view desiredEdges = "desiredEdges";
inline constexpr std::string_view scoreMethods = "scoreMethods";
inline constexpr std::string_view maxNumResults = "maxNumResults";
inline constexpr std::string_view sortByScore = "sortByScore";
inline constexpr std::string_view polarity = "polarity";
inline constexpr std::string_view method = "method";
inline constexpr std::string_view oneSided = "oneSided";
inline constexpr std::string_view twoSided = "twoSided";
inline constexpr std::string_view low = "low";
inline constexpr std::string_view high = "high";
inline constexpr std::string_view x0 = "x0";
inline constexpr std::string_view x1 = "x1";
inline constexpr std::string_view x2 = "x2";
inline constexpr std::string_view y0 = "y0";
inline constexpr std::string_view y1 = "y1";
inline constexpr std::string_view offset = "offset";

// expect (also "edges" and "position")
inline constexpr std::string_view tolerance = "tolerance";

// A geometry document: "geometry" holds the line or circle tool's settings
// ("image" is then the image file's name; "x", "y", "length", "thickness",
// "sigma" and "minContrast" as above), beside "params".
inline constexpr std::string_view geometry = "geometry";
inline constexpr std::string_view line = "line";
inline constexpr std::string_view circle = "circle";
inline constexpr std::string_view end = "end";  // and "start", each with "x" and "y"
inline constexpr std::string_view radius = "radius";
inline constexpr std::string_view startAngle = "startAngle";
inline constexpr std::string_view sweep = "sweep";
inline constexpr std::string_view inward = "inward";
inline constexpr std::string_view calipers = "calipers";
inline constexpr std::string_view count = "count";
inline constexpr std::string_view spacing = "spacing";
inline constexpr std::string_view fit = "fit";
inline constexpr std::string_view weight = "weight";
inline constexpr std::string_view inlierDistance = "inlierDistance";
inline constexpr std::string_view maxIterations = "maxIterations";

}  // namespace cclp_recording::key

namespace cclp_recording {

// "double", "fixed" or "both" for CCLP_FORMAT_DOUBLE, _FIXED or both.
std::string_view formatsName(uint32_t formats);

}  // namespace cclp_recording

namespace cclp_recording {

// A member's path for messages: "params.scoreMethods".
inline std::string fieldPath(std::string_view object, std::string_view member) {
    return std::string(object) + "." + std::string(member);
}

}  // namespace cclp_recording

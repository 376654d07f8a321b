// The one vocabulary for the sign of an edge's contrast, shared by desired
// edges, the edge finder's search setting, the tool and Python. The
// canonical names are "positive" (contrast >= 0: dark to light along the
// search direction), "negative" and "any"; the edge finder's earlier
// "dark_to_light" and "light_to_dark" are read as aliases.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cclp_score/cclp_score.hpp"

namespace cclp_recording {

using Polarity = cclp::score::Polarity;

// Canonical names and aliases alike; none for a name it does not know.
std::optional<Polarity> polarityByName(std::string_view name);
// The canonical name of a polarity (of a desired edge record's number);
// "any" for a number that is no polarity.
std::string_view polarityName(Polarity polarity);
std::string_view polarityName(int32_t polarity);
// For messages: "positive, negative, any; also dark_to_light, light_to_dark".
std::string knownPolarityNames();

}  // namespace cclp_recording

#include "recording/polarity.hpp"

#include <array>
#include <utility>

namespace cclp_recording {
namespace {

using Name = std::pair<std::string_view, Polarity>;

constexpr std::array<Name, 3> kCanonical{{{"positive", Polarity::Positive},
                                          {"negative", Polarity::Negative},
                                          {"any", Polarity::Any}}};
// The edge finder's names: its positive contrast is dark to light.
constexpr std::array<Name, 2> kAliases{{{"dark_to_light", Polarity::Positive},
                                        {"light_to_dark", Polarity::Negative}}};

template <std::size_t N>
std::string joined(const std::array<Name, N>& names) {
    std::string text;
    for (const Name& name : names) text += (text.empty() ? "" : ", ") + std::string(name.first);
    return text;
}

}  // namespace

std::optional<Polarity> polarityByName(std::string_view name) {
    for (const Name& known : kCanonical) {
        if (known.first == name) return known.second;
    }
    for (const Name& alias : kAliases) {
        if (alias.first == name) return alias.second;
    }
    return std::nullopt;
}

std::string_view polarityName(Polarity polarity) {
    for (const Name& name : kCanonical) {
        if (name.second == polarity) return name.first;
    }
    return "any";
}

std::string_view polarityName(int32_t polarity) { return polarityName(static_cast<Polarity>(polarity)); }

std::string knownPolarityNames() {
    return joined(kCanonical) + "; also " + joined(kAliases);
}

}  // namespace cclp_recording

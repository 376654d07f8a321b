// A command line declared as a table: each option's name, value, help and
// the rules it takes part in, written once and read by the parser, the
// cross-checks and the help text alike.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "cclp_score_cli/exit_status.hpp"

namespace cclp_cli {

using CaliperValues = std::array<double, 5>;  // x, y, angle, length, thickness
// Finite numbers, as many as the option's value names ("X0,Y0,X1,Y1": four).
using NumberList = std::vector<double>;

// Where an option stores what it was given. The field's type says what the
// option takes: a switch, a file name, a finite number, a caliper, a count.
template <class Target>
using OptionField = std::variant<bool Target::*, std::optional<std::string> Target::*,
                                 std::optional<double> Target::*,
                                 std::optional<CaliperValues> Target::*, unsigned Target::*,
                                 std::optional<NumberList> Target::*>;

template <class Target>
struct Option {
    std::string_view name;        // "--plot"
    std::string_view alias = {};  // "-h", or empty
    std::string_view value = {};  // the value as help names it; empty for a switch
    OptionField<Target> field;
    std::string_view help;         // one paragraph; the help text wraps it
    std::string_view wanted = {};  // what a number takes, for its message
    std::string_view needs = {};   // another option without which this one is refused
    std::span<const std::string_view> excludes = {};  // options refused together with it
    std::string_view excludeReason = {};              // why, for the message
};

// The values of each kind, or a UsageError naming the option.
double parseFiniteNumber(const std::string& text, std::string_view option, std::string_view wanted);
CaliperValues parseCaliper(const std::string& text, std::string_view option);
NumberList parseNumberList(const std::string& text, std::string_view option, std::string_view names);
unsigned parseCount(const std::string& text, std::string_view option);

// "  --name VALUE     help wrapped to the width of a terminal" for each
// label and help.
std::string optionsHelp(const std::vector<std::pair<std::string, std::string_view>>& rows);
// "--json, --fixed or --measured"
std::string listOfAlternatives(std::span<const std::string_view> names);

template <class Target>
class OptionParser {
public:
    OptionParser(std::span<const Option<Target>> table, std::string_view context)
        : table_(table), context_(context) {}

    // Reads the options into `target` and hands every other argument ("-"
    // included) to `positional`, then applies the table's cross-checks.
    template <class Positional>
    void parse(std::span<const std::string_view> arguments, Target& target,
               Positional&& positional) {
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string_view argument = arguments[i];
            if (argument.size() < 2 || argument[0] != '-') {
                positional(argument);
                continue;
            }
            const auto [option, inlineValue] = find(argument);
            std::optional<std::string> value = inlineValue;
            if (!option->value.empty() && !value) {
                if (i + 1 == arguments.size()) throw UsageError(missingValue(*option));
                value = std::string(arguments[++i]);
            }
            store(*option, value.value_or(""), target);
            given_.push_back(option->name);
        }
        crossCheck();
    }

    // The options parse() met, by name, in command-line order.
    const std::vector<std::string_view>& givenOptions() const { return given_; }

    std::string help() const {
        std::vector<std::pair<std::string, std::string_view>> rows;
        for (const Option<Target>& option : table_) {
            std::string label = option.alias.empty() ? "" : std::string(option.alias) + ", ";
            label += option.name;
            if (!option.value.empty()) label += " " + std::string(option.value);
            rows.emplace_back(std::move(label), option.help);
        }
        return optionsHelp(rows);
    }

private:
    struct Found {
        const Option<Target>* option;
        std::optional<std::string> inlineValue;  // from "--name=value"
    };

    Found find(std::string_view argument) const {
        for (const Option<Target>& option : table_) {
            if (argument == option.name || (!option.alias.empty() && argument == option.alias)) {
                return {&option, std::nullopt};
            }
            if (!option.value.empty() && argument.size() > option.name.size() &&
                argument.starts_with(option.name) && argument[option.name.size()] == '=') {
                return {&option, std::string(argument.substr(option.name.size() + 1))};
            }
        }
        throw UsageError(std::string(context_) + "unknown option " + std::string(argument) +
                         " (see --help)");
    }

    static bool takesFileName(const Option<Target>& option) {
        return std::holds_alternative<std::optional<std::string> Target::*>(option.field);
    }

    // A text option with `wanted` takes a word, not a file name.
    static std::string missingValue(const Option<Target>& option) {
        if (takesFileName(option) && !option.wanted.empty()) {
            return std::string(option.name) + " needs " + std::string(option.wanted);
        }
        return std::string(option.name) +
               (takesFileName(option) ? " needs a file name" : " needs a value");
    }

    static void store(const Option<Target>& option, const std::string& value, Target& target) {
        const std::string_view name = option.name;
        std::visit(
            [&](auto member) {
                auto& slot = target.*member;
                using Slot = std::remove_reference_t<decltype(slot)>;
                if constexpr (std::is_same_v<Slot, bool>) {
                    slot = true;
                } else if constexpr (std::is_same_v<Slot, std::optional<std::string>>) {
                    if (value.empty()) throw UsageError(missingValue(option));
                    slot = value;
                } else if constexpr (std::is_same_v<Slot, std::optional<double>>) {
                    slot = parseFiniteNumber(value, name, option.wanted);
                } else if constexpr (std::is_same_v<Slot, std::optional<CaliperValues>>) {
                    slot = parseCaliper(value, name);
                } else if constexpr (std::is_same_v<Slot, std::optional<NumberList>>) {
                    slot = parseNumberList(value, name, option.value);
                } else {
                    slot = parseCount(value, name);
                }
            },
            option.field);
    }

    bool given(std::string_view name) const {
        return std::find(given_.begin(), given_.end(), name) != given_.end();
    }

    void crossCheck() const {
        for (const Option<Target>& option : table_) {
            if (!given(option.name)) continue;
            if (!option.needs.empty() && !given(option.needs)) {
                const auto needed = std::find_if(table_.begin(), table_.end(), [&](const auto& o) {
                    return o.name == option.needs;
                });
                throw UsageError(std::string(option.name) + " needs " + std::string(option.needs) +
                                 " " + std::string(needed->value));
            }
            if (std::any_of(option.excludes.begin(), option.excludes.end(),
                            [&](std::string_view other) { return given(other); })) {
                throw UsageError(std::string(option.name) + " " +
                                 std::string(option.excludeReason) + "; it takes no " +
                                 listOfAlternatives(option.excludes));
            }
        }
    }

    std::span<const Option<Target>> table_;
    std::string_view context_;  // the start of an unknown option's message
    std::vector<std::string_view> given_;
};

}  // namespace cclp_cli

// Typed, checked access to the values of a JSON document, each carrying its
// path ("params.scoreMethods[1].oneSided.x0") so that every complaint names
// the field it is about.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace cclp_recording {

class JsonField {
public:
    JsonField(const nlohmann::json& value, std::string path)
        : value_(&value), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    const nlohmann::json& json() const { return *value_; }

    // Members of an object: a missing required member and a member that is
    // not among the known ones are errors.
    JsonField member(std::string_view key) const;
    std::optional<JsonField> optionalMember(std::string_view key) const;
    void allowOnly(std::initializer_list<std::string_view> keys) const;

    double number() const;
    double numberOr(std::string_view key, double fallback) const;
    int32_t integer() const;
    bool boolean() const;
    std::string text() const;
    std::vector<JsonField> elements() const;

    [[noreturn]] void fail(const std::string& reason) const;

private:
    void expect(bool holds, std::string_view wanted) const;
    std::string memberPath(std::string_view key) const;

    const nlohmann::json* value_;
    std::string path_;
};

}  // namespace cclp_recording

#include "json_field.hpp"

#include <cmath>
#include <limits>

#include "recording/document_error.hpp"

namespace cclp_recording {

void JsonField::fail(const std::string& reason) const { throw InputError(path_, reason); }

void JsonField::expect(bool holds, std::string_view wanted) const {
    if (!holds) fail("expected " + std::string(wanted) + ", got " + value_->type_name());
}

std::string JsonField::memberPath(std::string_view key) const {
    return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
}

std::optional<JsonField> JsonField::optionalMember(std::string_view key) const {
    expect(value_->is_object(), "an object");
    const auto found = value_->find(std::string(key));
    if (found == value_->end()) return std::nullopt;
    return JsonField(*found, memberPath(key));
}

JsonField JsonField::member(std::string_view key) const {
    std::optional<JsonField> found = optionalMember(key);
    if (!found) throw InputError(memberPath(key), "missing field");
    return *found;
}

void JsonField::allowOnly(std::initializer_list<std::string_view> keys) const {
    expect(value_->is_object(), "an object");
    for (const auto& item : value_->items()) {
        bool known = false;
        std::string list;
        for (std::string_view key : keys) {
            known = known || item.key() == key;
            list += (list.empty() ? "" : ", ") + std::string(key);
        }
        if (!known)
            throw InputError(memberPath(item.key()), "unknown field (known here: " + list + ")");
    }
}

double JsonField::number() const {
    expect(value_->is_number(), "a number");
    return value_->get<double>();
}

double JsonField::numberOr(std::string_view key, double fallback) const {
    std::optional<JsonField> found = optionalMember(key);
    return found ? found->number() : fallback;
}

int32_t JsonField::integer() const {
    expect(value_->is_number(), "an integer");
    if (value_->is_number_float()) {
        const double value = value_->get<double>();
        if (value != std::trunc(value)) fail("expected an integer, got " + value_->dump());
    }
    const double value = value_->get<double>();
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        fail("integer " + value_->dump() + " does not fit in 32 bits");
    }
    return static_cast<int32_t>(value);
}

bool JsonField::boolean() const {
    expect(value_->is_boolean(), "true or false");
    return value_->get<bool>();
}

std::string JsonField::text() const {
    expect(value_->is_string(), "a string");
    return value_->get<std::string>();
}

std::vector<JsonField> JsonField::elements() const {
    expect(value_->is_array(), "an array");
    std::vector<JsonField> result;
    result.reserve(value_->size());
    for (std::size_t i = 0; i < value_->size(); ++i) {
        result.emplace_back((*value_)[i], path_ + "[" + std::to_string(i) + "]");
    }
    return result;
}

}  // namespace cclp_recording

#include "recording/document_error.hpp"

#include <cstdio>

#include "cclp_score/cclp_score.hpp"

namespace cclp_recording {

std::string describeStatus(int32_t status) {
    if (const char* name = cclp::score::statusName(status)) {
        return std::string(name) + " (" + cclp::score::statusMeaning(status) + ")";
    }
    char hex[32];
    std::snprintf(hex, sizeof hex, "status 0x%08X", static_cast<unsigned>(status));
    return hex;
}

std::string describeStatus(const std::error_code& status) { return describeStatus(status.value()); }

void requireAccepted(int32_t status, const std::string& field, const std::string& call) {
    if (status >= 0) return;
    if (cclp_statusName(status) != nullptr) {
        throw InputError(field, call + " refused it: " + describeStatus(status));
    }
    throw RunError(call + " failed: " + describeStatus(status), status);
}

void requireAccepted(const std::error_code& status, const std::string& field,
                     const std::string& call) {
    if (status) requireAccepted(static_cast<int32_t>(status.value()), field, call);
}

}  // namespace cclp_recording

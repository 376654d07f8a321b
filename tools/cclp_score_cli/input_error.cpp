#include "cclp_score_cli/input_error.hpp"

#include <cstdio>

#include "cclp_score/cclp_status.h"
#include "cclp_score/cclp_status_text.h"

namespace cclp_cli {

std::string describeStatus(int32_t status) {
    if (const char* name = cclp_anyStatusName(status)) {
        return std::string(name) + " (" + cclp_anyStatusMeaning(status) + ")";
    }
    char hex[32];
    std::snprintf(hex, sizeof hex, "status 0x%08X", static_cast<unsigned>(status));
    return hex;
}

void requireAccepted(int32_t status, const std::string& field, const std::string& call) {
    if (status >= 0) return;
    if (cclp_statusName(status) != nullptr) {
        throw InputError(field, call + " refused it: " + describeStatus(status));
    }
    throw RunError(call + " failed: " + describeStatus(status), status);
}

}  // namespace cclp_cli

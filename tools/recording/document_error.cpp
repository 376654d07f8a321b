#include "recording/document_error.hpp"

#include "cclp_score/cclp_score.hpp"

namespace cclp_recording {

void requireAccepted(int32_t status, const std::string& field, const std::string& call) {
    if (status >= 0) return;
    if (cclp_statusName(status) != nullptr) {
        throw InputError(field, call + " refused it: " + cclp::score::statusText(status));
    }
    throw RunError(call + " failed: " + cclp::score::statusText(status), status);
}

void requireAccepted(const std::error_code& status, const std::string& field,
                     const std::string& call) {
    if (status) requireAccepted(static_cast<int32_t>(status.value()), field, call);
}

}  // namespace cclp_recording

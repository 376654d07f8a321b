#include "recording/schema.hpp"

#include "cclp_score/cclp_score.h"

namespace cclp_recording {

std::string_view formatsName(uint32_t formats) {
    switch (formats) {
        case CCLP_FORMAT_DOUBLE:
            return "double";
        case CCLP_FORMAT_FIXED:
            return "fixed";
        default:
            return "both";
    }
}

}  // namespace cclp_recording

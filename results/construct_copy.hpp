// Copy construction as every owning record does it: construct the
// destination, have the frame destroy it if the copy fails, then copy.
#pragma once

#include <cstdint>

#include "check.hpp"
#include "cleanup_frame.hpp"
#include "type_checks.hpp"

namespace cclp {

template <class Record, class Source>
int32_t constructAndAssign(Record* record, const Source* source, int32_t (*construct)(Record*),
                           int32_t (*destruct)(Record*),
                           int32_t (*assign)(Record*, const Source*)) {
    CCLP_REQUIRE_NONNULL(record);
    CleanupFrame<1> frame;
    const int32_t constructed = construct(record);
    if (constructed < 0) return frame.close(constructed);
    typeCheck(record);
    typeCheckFunc(destruct);
    frame.destructOnFailure(record, destruct);
    return frame.close(assign(record, source));
}

}  // namespace cclp

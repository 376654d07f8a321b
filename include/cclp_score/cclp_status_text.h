/** @file
 * Names for every status a caller of the module can see: the module's own
 * codes, and the runtime library's (out of memory, null argument, attention,
 * ...), which the module's operations return unchanged. */
#ifndef CCLP_STATUS_TEXT_H
#define CCLP_STATUS_TEXT_H

#include <stdint.h>

#include "cclp_status.h"
#include "csys_runtime.h"

/** The name of a module or runtime code ("CCLP_STATUS_OK" for 0), or null for
 * a code of neither. */
static inline const char* cclp_anyStatusName(int32_t status) {
    const char* name = cclp_statusName(status);
    return name != 0 ? name : csys_statusName(status);
}

/** What a module or runtime code means, or null for a code of neither. */
static inline const char* cclp_anyStatusMeaning(int32_t status) {
    const char* meaning = cclp_statusMeaning(status);
    return meaning != 0 ? meaning : csys_statusMeaning(status);
}

#endif

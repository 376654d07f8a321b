/* Cleanup frames. Written in C: entries hold each target's own function
 * behind the generic csys_cleanupFunction type, and C calls it as such. */
#include <stdatomic.h>

#include "csys_runtime.h"

static atomic_uint nextTag = 1;

uint32_t csys_cleanup_getNextTag(void) { return (uint32_t)atomic_fetch_add(&nextTag, 1u); }

static int isDue(uint32_t kind, int32_t status) {
    switch (kind) {
    case CSYS_CLEANUP_FREE_ON_FAILURE:
    case CSYS_CLEANUP_DESTRUCT_ON_FAILURE:
        return status < 0;
    case CSYS_CLEANUP_FREE_ALWAYS:
    case CSYS_CLEANUP_DESTRUCT_ALWAYS:
        return 1;
    default:
        return 0;
    }
}

int32_t csys_cleanupExecute_(csys_cleanupEntry* entries, int32_t* count, int32_t* status,
                             uint32_t tag) {
    (void)tag;
    if (count == 0 || status == 0) return CSYS_STATUS_NULL_ARGUMENT;
    while (*count > 0 && entries != 0) {
        csys_cleanupEntry* entry = &entries[*count - 1];
        if (isDue(entry->kind, *status) && entry->function != 0) entry->function(entry->target);
        --*count;
    }
    *count = 0;
    return *status;
}

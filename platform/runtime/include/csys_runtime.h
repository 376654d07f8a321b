/* System runtime library (stand-in): memory, assertions, cleanup frames,
 * attention checks and the controls that tests use to inject failures. */
#ifndef CSYS_RUNTIME_H
#define CSYS_RUNTIME_H

#include <stddef.h>
#include <stdint.h>

#include "platform_export.h"

#if defined(CSYS_RUNTIME_BUILDING)
#  define CSYS_API PLATFORM_EXPORT
#else
#  define CSYS_API PLATFORM_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Builds a negative 32-bit status from its unsigned spelling without relying
 * on implementation-defined conversions. */
#define CSYS_STATUS_FROM_BITS(bits) \
    ((int32_t)((uint32_t)(bits) - 0x80000000u) - 0x7FFFFFFF - 1)

/* The runtime's codes, plain int constants; what each means is in the table
 * below. The libraries that call the runtime pass them on unchanged. */
#define CSYS_STATUS_OK 0
#define CSYS_STATUS_OUT_OF_MEMORY CSYS_STATUS_FROM_BITS(0x80000101u)
#define CSYS_STATUS_NULL_ARGUMENT CSYS_STATUS_FROM_BITS(0x80000102u)
#define CSYS_STATUS_ATTENTION CSYS_STATUS_FROM_BITS(0x80000103u)
#define CSYS_STATUS_INVALID_ARGUMENT CSYS_STATUS_FROM_BITS(0x80000104u)
#define CSYS_STATUS_OVERFLOW CSYS_STATUS_FROM_BITS(0x80000105u)

/* X(name, meaning): the single table of the runtime's failure codes. */
#define CSYS_STATUS_TABLE(X)                                                          \
    X(CSYS_STATUS_OUT_OF_MEMORY, "a memory request could not be met")                 \
    X(CSYS_STATUS_NULL_ARGUMENT, "a pointer argument that must not be null was null") \
    X(CSYS_STATUS_ATTENTION, "the caller's work is to be abandoned (attention check)") \
    X(CSYS_STATUS_INVALID_ARGUMENT, "an argument outside what the operation accepts") \
    X(CSYS_STATUS_OVERFLOW, "a count does not fit the type it is asked for in")

/* The name of one of the runtime's codes, "CSYS_STATUS_OK" for 0, or null for
 * any other code. */
static inline const char* csys_statusName(int32_t status) {
    if (status == CSYS_STATUS_OK) return "CSYS_STATUS_OK";
#define CSYS_STATUS_NAME_(name, meaning) \
    if (status == (name)) return #name;
    CSYS_STATUS_TABLE(CSYS_STATUS_NAME_)
#undef CSYS_STATUS_NAME_
    return 0;
}

/* What one of the runtime's codes means, or null for any other code. */
static inline const char* csys_statusMeaning(int32_t status) {
    if (status == CSYS_STATUS_OK) return "success";
#define CSYS_STATUS_MEANING_(name, meaning) \
    if (status == (name)) return meaning;
    CSYS_STATUS_TABLE(CSYS_STATUS_MEANING_)
#undef CSYS_STATUS_MEANING_
    return 0;
}

/* Reports a failed precondition at the given source line and returns. */
CSYS_API void cstd_assert_(int32_t line);

/* Memory. Every function works on the address of a pointer variable. A
 * request of 0 bytes is granted. Allocate and clone release the block that
 * the variable held, but only once the new block exists: on failure the
 * variable is left unchanged. Realloc of a null variable allocates. */
CSYS_API int32_t csys_memory_alloc_internal(size_t size, void** block);
CSYS_API int32_t csys_memory_realloc_internal(size_t size, void** block);
CSYS_API int32_t csys_memory_clone_internal(size_t size, const void* source, void** block);
/* Frees the block the variable holds (null allowed) and nulls the variable. */
CSYS_API int32_t csys_memory_free_internal(void** block);

/* Returns a negative status when the caller's work is to be abandoned. */
CSYS_API int32_t csys_attention_check(void);

/* Cleanup frames. */
enum {
    CSYS_CLEANUP_FREE_ON_FAILURE = 33,     /* target: void**, function: free */
    CSYS_CLEANUP_DESTRUCT_ON_FAILURE = 34, /* target: object, function: destruct */
    CSYS_CLEANUP_FREE_ALWAYS = 49,         /* target: void**, function: free */
    CSYS_CLEANUP_DESTRUCT_ALWAYS = 50      /* target: object, function: destruct */
};

/* The function of an entry. Free entries hold csys_memory_free_internal,
 * destruct entries the object's destruct function; both are called with the
 * target as their only argument. */
typedef int32_t (*csys_cleanupFunction)(void* target);

typedef struct csys_cleanupEntry {
    uint32_t sequence;
    uint32_t kind;
    void* target;
    csys_cleanupFunction function;
} csys_cleanupEntry;

CSYS_API uint32_t csys_cleanup_getNextTag(void);

/* Closes a frame: runs its due entries, last registered first (failure kinds
 * only when *status is negative), and sets *count to 0. Returns *status. */
CSYS_API int32_t csys_cleanupExecute_(csys_cleanupEntry* entries, int32_t* count,
                                      int32_t* status, uint32_t tag);

/* Test controls. Counting starts at the call that arms them. They are
 * process-wide: an armed failure hits whichever thread makes the k-th
 * request, and the counters count every thread's calls. They are meant for
 * single-threaded tests; the operations themselves are safe on any number of
 * threads at once. */
/* The k-th memory request from now on (alloc, realloc or clone, counted from
 * 1) fails once with CSYS_STATUS_OUT_OF_MEMORY; 0 disarms. Returns 0. */
CSYS_API int32_t csys_testing_failAllocation(int32_t k);
/* Every memory request from the k-th on fails, until disarmed with 0 (by
 * either this control or csys_testing_failAllocation). Returns 0. */
CSYS_API int32_t csys_testing_failAllocationPersistent(int32_t k);
/* The k-th call of csys_attention_check from now on returns
 * CSYS_STATUS_ATTENTION; 0 disarms. Returns 0. */
CSYS_API int32_t csys_testing_failAttention(int32_t k);
/* Blocks currently held through the memory functions. */
CSYS_API int64_t csys_testing_liveBlocks(void);
/* Memory requests (alloc, realloc, clone) made so far, granted or not. */
CSYS_API int64_t csys_testing_allocationCount(void);
/* Failed assertions reported so far. */
CSYS_API int64_t csys_testing_assertionCount(void);
/* Line number of the last failed assertion, 0 when none was reported. */
CSYS_API int32_t csys_testing_lastAssertionLine(void);
/* Calls of csys_attention_check since the attention controls were first
 * used (this count read or csys_testing_failAttention called): until then a
 * check is one load, neither counted nor able to fail. */
CSYS_API int64_t csys_testing_attentionCount(void);

#ifdef __cplusplus
}
#endif

#endif

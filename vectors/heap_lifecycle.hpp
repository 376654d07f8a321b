// new, newClone and delete of a vector held through a pointer variable,
// shared by the typed and the shareable vector families.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_status.h"
#include "check.hpp"
#include "heap_record.hpp"

namespace cclp {

template <class Object, int32_t (*ConstructEmpty)(Object*), int32_t (*Destruct)(Object*),
          int32_t (*Assign)(Object*, const Object*)>
struct HeapLifecycle {
    // Deletes what *pointer holds, then stores a new empty object in it; on
    // failure *pointer is null and nothing is left allocated.
    static int32_t create(Object** pointer) {
        CCLP_REQUIRE_NONNULL(pointer);
        return newRecord(pointer, &destroy, ConstructEmpty);
    }

    // A null source deletes; a source that *pointer already holds is left
    // alone (deleting it first would leave nothing to copy from).
    static int32_t clone(Object** pointer, const Object* source) {
        CCLP_REQUIRE_NONNULL(pointer);
        if (source == nullptr) return destroy(pointer);
        if (source == *pointer) return CCLP_STATUS_OK;
        CCLP_RETURN_IF_FAILED(create(pointer));
        const int32_t status = Assign(*pointer, source);
        if (status < 0) destroy(pointer);
        return status;
    }

    // Destructs and frees what *pointer holds and nulls it; a failed
    // destruct keeps the object.
    static int32_t destroy(Object** pointer) {
        CCLP_REQUIRE_NONNULL(pointer);
        return deleteRecord(pointer, Destruct);
    }
};

}  // namespace cclp

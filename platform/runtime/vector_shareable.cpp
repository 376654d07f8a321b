// Shareable vectors: a vector with a type, given by its method table, that
// answers queries by type name (contract in cstd_vector.h).
#include <cstring>

#include "cstd_vector.h"
#include "runtime_check.hpp"

namespace {

cstd_vector* vectorOf(cstd_vectorShareable* shareable) {
    return shareable == nullptr ? nullptr : &shareable->vector;
}
const cstd_vector* vectorOf(const cstd_vectorShareable* shareable) {
    return shareable == nullptr ? nullptr : &shareable->vector;
}

bool isNamed(const char* name, const char* candidate) {
    return candidate != nullptr && std::strcmp(name, candidate) == 0;
}

// The name that the shareable vector's method table gives its type.
const char* typenameOf(const cstd_vectorShareable& shareable) {
    const cstd_vectorShareableMethods* methods = shareable.methods;
    const char* name = nullptr;
    if (methods == nullptr || methods->getTypename == nullptr) return nullptr;
    return methods->getTypename(&shareable, &name) < 0 ? nullptr : name;
}

}  // namespace

extern "C" {

int32_t cstd_vectorShareable_construct(cstd_vectorShareable* shareable, const cstd_vector* vector,
                                       const cstd_vectorShareableMethods* methodTable,
                                       uint32_t flags) {
    CSYS_REQUIRE_NONNULL(shareable);
    *shareable = cstd_vectorShareable{};
    CSYS_REQUIRE_NONNULL(vector, methodTable);
    if (flags != 0) return CSYS_STATUS_INVALID_ARGUMENT;
    shareable->methods = methodTable;
    return cstd_vector__constructCopy(&shareable->vector, vector);
}

int32_t cstd_vectorShareable_constructCopy(cstd_vectorShareable* shareable,
                                           const cstd_vectorShareable* source) {
    CSYS_REQUIRE_NONNULL(shareable);
    *shareable = cstd_vectorShareable{};
    CSYS_REQUIRE_NONNULL(source);
    return cstd_vectorShareable_construct(shareable, &source->vector, source->methods, 0);
}

int32_t cstd_vectorShareable_assign(cstd_vectorShareable* shareable,
                                    const cstd_vectorShareable* source) {
    return cstd_vector__assign(vectorOf(shareable), vectorOf(source));
}

int32_t cstd_vectorShareable_assignVector(cstd_vectorShareable* shareable,
                                          const cstd_vector* vector) {
    return cstd_vector__assign(vectorOf(shareable), vector);
}

int32_t cstd_vectorShareable_assignElements(cstd_vectorShareable* shareable, const void* first,
                                            const void* last) {
    return cstd_vector__assignElements(vectorOf(shareable), first, last);
}

int32_t cstd_vectorShareable_destruct(cstd_vectorShareable* shareable) {
    return cstd_vector__destruct(vectorOf(shareable));
}

int32_t cstd_vectorShareable_reset(cstd_vectorShareable* shareable) {
    return cstd_vector__clearAndFreeMemory(vectorOf(shareable));
}

int32_t cstd_vectorShareable_resize(cstd_vectorShareable* shareable, intptr_t count) {
    return cstd_vector__resize(vectorOf(shareable), count);
}

int32_t cstd_vectorShareable_reserve(cstd_vectorShareable* shareable, intptr_t count) {
    return cstd_vector__reserve(vectorOf(shareable), count);
}

int32_t cstd_vectorShareable_getSize32(const cstd_vectorShareable* shareable, int32_t* size) {
    return cstd_vector__getSize32(vectorOf(shareable), size);
}

int32_t cstd_vectorShareable_getCapacity(const cstd_vectorShareable* shareable,
                                         intptr_t* capacity) {
    return cstd_vector__getCapacity(vectorOf(shareable), capacity);
}

int32_t cstd_vectorShareable_getElementSize(const cstd_vectorShareable* shareable,
                                            intptr_t* elementSize) {
    return cstd_vector__getElementSize(vectorOf(shareable), elementSize);
}

int32_t cstd_vectorShareable_getBeginEnd(cstd_vectorShareable* shareable, void** begin,
                                         void** end) {
    return cstd_vector__getBeginEnd(vectorOf(shareable), begin, end);
}

int32_t cstd_vectorShareable_getBeginEndConst(const cstd_vectorShareable* shareable,
                                              const void** begin, const void** end) {
    return cstd_vector__getBeginEndConst(vectorOf(shareable), begin, end);
}

int32_t cstd_vectorShareable_getBeginSize32(cstd_vectorShareable* shareable, void** begin,
                                            int32_t* size) {
    return cstd_vector__getBeginSize32(vectorOf(shareable), begin, size);
}

int32_t cstd_vectorShareable_getBeginSize32Const(const cstd_vectorShareable* shareable,
                                                 const void** begin, int32_t* size) {
    return cstd_vector__getBeginSize32Const(vectorOf(shareable), begin, size);
}

int32_t cstd_vectorShareable_pushBack(cstd_vectorShareable* shareable, const void* element) {
    return cstd_vector__pushBack(vectorOf(shareable), element);
}

int32_t cstd_vectorShareable_queryInterfaceByTypename(cstd_vectorShareable* shareable,
                                                      const char* name, void** object) {
    csys::clearOutputs(object);
    CSYS_REQUIRE_NONNULL(name, object);
    if (shareable == nullptr) return CSYS_STATUS_OK;
    const cstd_vectorShareableMethods* methods = shareable->methods;
    if (methods != nullptr && methods->queryInterfaceByTypename != nullptr) {
        return methods->queryInterfaceByTypename(shareable, name, object);
    }
    return cstd_vectorShareable_queryInterfaceByTypenameFinal(shareable, name, object);
}

int32_t cstd_vectorShareable_queryInterfaceByTypenameFinal(cstd_vectorShareable* shareable,
                                                           const char* name, void** object) {
    csys::clearOutputs(object);
    CSYS_REQUIRE_NONNULL(name, object);
    if (shareable == nullptr) return CSYS_STATUS_OK;
    if (isNamed(name, CSTD_VECTOR_SHAREABLE_TYPENAME) || isNamed(name, typenameOf(*shareable))) {
        *object = shareable;
    } else if (isNamed(name, CSTD_VECTOR_TYPENAME)) {
        *object = &shareable->vector;
    }
    return CSYS_STATUS_OK;
}

}  // extern "C"

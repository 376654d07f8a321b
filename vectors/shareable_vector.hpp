// One shareable vector family, written once for every element type: binds
// the family's type name and method table, builds the shareable vector from
// a typed one, and forwards everything else to the runtime's shareable base.
#pragma once

#include <cstdint>
#include <cstring>

#include "frame/cleanup_frame.hpp"
#include "vectors/type_checks.hpp"
#include "vectors/typed_vector.hpp"

namespace cclp {

template <class E>
struct ShareableVector {
    using Family = VectorFamily<E>;
    using S = typename Family::Shareable;
    using V = typename Family::Vector;

    static int32_t constructEmpty(S* shareable) {
        return fromLocalVector(shareable,
                               [](V* local) { return TypedVector<E>::constructEmpty(local); });
    }
    static int32_t construct(S* shareable, intptr_t count) {
        return fromLocalVector(
            shareable, [count](V* local) { return TypedVector<E>::construct(local, count); });
    }
    static int32_t constructVector(S* shareable, const V* vector) {
        return cstd_vectorShareable_construct(baseOf(shareable), baseOf(vector), &kMethods, 0);
    }
    static int32_t constructCopy(S* shareable, const S* source) {
        return cstd_vectorShareable_constructCopy(baseOf(shareable), baseOf(source));
    }
    static int32_t assign(S* shareable, const S* source) {
        return cstd_vectorShareable_assign(baseOf(shareable), baseOf(source));
    }
    static int32_t assignVector(S* shareable, const V* vector) {
        return cstd_vectorShareable_assignVector(baseOf(shareable), baseOf(vector));
    }
    static int32_t assignElements(S* shareable, const E* first, const E* last) {
        return cstd_vectorShareable_assignElements(baseOf(shareable), first, last);
    }
    static int32_t destruct(S* shareable) {
        return cstd_vectorShareable_destruct(baseOf(shareable));
    }
    static int32_t reset(S* shareable) { return cstd_vectorShareable_reset(baseOf(shareable)); }
    static int32_t resize(S* shareable, intptr_t count) {
        return cstd_vectorShareable_resize(baseOf(shareable), count);
    }
    static int32_t reserve(S* shareable, intptr_t count) {
        return cstd_vectorShareable_reserve(baseOf(shareable), count);
    }
    static int32_t getSize(const S* shareable, int32_t* size) {
        return cstd_vectorShareable_getSize32(baseOf(shareable), size);
    }
    static int32_t getCapacity(const S* shareable, intptr_t* capacity) {
        return cstd_vectorShareable_getCapacity(baseOf(shareable), capacity);
    }
    static int32_t getElementSize(const S* shareable, intptr_t* elementSize) {
        return cstd_vectorShareable_getElementSize(baseOf(shareable), elementSize);
    }
    static int32_t getBeginEnd(S* shareable, E** begin, E** end) {
        return cstd_vectorShareable_getBeginEnd(baseOf(shareable), typed(begin), typed(end));
    }
    static int32_t getBeginEndConst(const S* shareable, const E** begin, const E** end) {
        return cstd_vectorShareable_getBeginEndConst(baseOf(shareable), typed(begin), typed(end));
    }
    static int32_t getBeginSize(S* shareable, E** begin, int32_t* size) {
        return cstd_vectorShareable_getBeginSize32(baseOf(shareable), typed(begin), size);
    }
    static int32_t getBeginSizeConst(const S* shareable, const E** begin, int32_t* size) {
        return cstd_vectorShareable_getBeginSize32Const(baseOf(shareable), typed(begin), size);
    }
    static int32_t pushBack(S* shareable, const E* element) {
        return cstd_vectorShareable_pushBack(baseOf(shareable), element);
    }

    static int32_t queryInterfaceByTypename(S* shareable, const char* name, void** object) {
        return query(shareable, name, object, &cstd_vectorShareable_queryInterfaceByTypename);
    }
    static int32_t queryInterfaceByTypename_(S* shareable, const char* name, void** object) {
        return query(shareable, name, object, &cstd_vectorShareable_queryInterfaceByTypenameFinal);
    }
    static int32_t queryInterfaceByTypenameFinal(S* shareable, const char* name, void** object) {
        return queryInterfaceByTypename_(shareable, name, object);
    }
    static int32_t getTypename(const S* /*shareable*/, const char** name) {
        CCLP_REQUIRE_NONNULL(name);
        *name = Family::typeName;
        return CCLP_STATUS_OK;
    }

    using Lifecycle = HeapLifecycle<S, &constructEmpty, &destruct, &assign>;
    static int32_t newClone(S** shareable, const S* source) {
        return Lifecycle::clone(shareable, source);
    }

private:
    using BaseQuery = int32_t (*)(cstd_vectorShareable*, const char*, void**);

    static int32_t query(S* shareable, const char* name, void** object, BaseQuery baseQuery) {
        if (object != nullptr) *object = nullptr;
        CCLP_REQUIRE_NONNULL(name, object);
        if (shareable == nullptr) return CCLP_STATUS_OK;
        if (std::strcmp(name, Family::typeName) == 0) {
            *object = shareable;
            return CCLP_STATUS_OK;
        }
        return baseQuery(baseOf(shareable), name, object);
    }

    // Builds a local typed vector, destructed on every exit, and the
    // shareable vector from it. The shareable vector starts empty, so that
    // it destructs to nothing whichever step fails.
    template <class BuildLocal>
    static int32_t fromLocalVector(S* shareable, BuildLocal buildLocal) {
        if (shareable != nullptr) *shareable = S{};
        CleanupFrame<1> frame;
        V local;
        const int32_t built = buildLocal(&local);
        if (built < 0) return frame.close(built);
        typeCheck(&local);
        typeCheckFunc(Family::destruct);
        frame.destructAlways(&local, Family::destruct);
        return frame.close(constructVector(shareable, &local));
    }

    // The method table holds the family's query and type name behind the
    // base's untyped entries.
    static int32_t queryEntry(void* shareable, const char* name, void** object) {
        return queryInterfaceByTypename_(static_cast<S*>(shareable), name, object);
    }
    static int32_t typenameEntry(const void* shareable, const char** name) {
        return getTypename(static_cast<const S*>(shareable), name);
    }
    static constexpr cstd_vectorShareableMethods kMethods = {&queryEntry, &typenameEntry};
};

}  // namespace cclp

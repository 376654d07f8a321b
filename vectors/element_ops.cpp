// The element-operation tables of the four families: small adapters from
// the generic vector's untyped entries to each record's own operations.
#include <type_traits>

#include "vectors/vector_family.hpp"

namespace cclp {
namespace {

template <class Element, auto Construct>
int32_t constructEntry(void* element, void* /*context*/) {
    return Construct(static_cast<Element*>(element));
}

// Copy-construct and assign: both (destination, source).
template <class Element, auto CopyConstruct>
int32_t copyEntry(void* destination, const void* source) {
    return CopyConstruct(static_cast<Element*>(destination), static_cast<const Element*>(source));
}

template <class Element, auto Destruct>
int32_t destructEntry(void* element) {
    return Destruct(static_cast<Element*>(element));
}

// Record operations, or nullptr where the record is plain bytes.
template <class Element, auto Construct, auto CopyConstruct, auto Assign, auto Destruct>
constexpr cstd_vectorElementOps makeElementOps() {
    constexpr bool plain = std::is_same_v<decltype(CopyConstruct), std::nullptr_t>;
    static_assert(
        plain == std::is_same_v<decltype(Assign), std::nullptr_t> &&
            plain == std::is_same_v<decltype(Destruct), std::nullptr_t>,
        "a record is copied, assigned and destructed all as bytes or all by its operations");
    if constexpr (plain) {
        return {&constructEntry<Element, Construct>, nullptr, nullptr, nullptr,
                CSTD_VECTOR_TABLE_END_MARK};
    } else {
        return {&constructEntry<Element, Construct>, &copyEntry<Element, CopyConstruct>,
                &copyEntry<Element, Assign>, &destructEntry<Element, Destruct>,
                CSTD_VECTOR_TABLE_END_MARK};
    }
}

}  // namespace

constinit const cstd_vectorElementOps VectorFamily<cclp_score>::elementOps =
    makeElementOps<cclp_score, &cclp_score_init, nullptr, nullptr, nullptr>();

#define CCLP_RECORD_ELEMENT_OPS_(family)                                                          \
    constinit const cstd_vectorElementOps VectorFamily<cclp_##family>::elementOps =               \
        makeElementOps<cclp_##family, &cclp_##family##_construct, &cclp_##family##_constructCopy, \
                       &cclp_##family##_assign, &cclp_##family##_destruct>();
CCLP_RECORD_ELEMENT_OPS_(scoreParams)
CCLP_RECORD_ELEMENT_OPS_(scoreResultSet)
CCLP_RECORD_ELEMENT_OPS_(resultSetEx)
#undef CCLP_RECORD_ELEMENT_OPS_

}  // namespace cclp

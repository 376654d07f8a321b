// Typed element outputs over the generic vector's untyped ones: hands the
// base a void* to fill and stores it, typed, in the caller's variable when
// the call is over. A null caller variable stays null for the base to report.
#pragma once

#include <type_traits>

namespace cclp {

template <class Element>
class TypedOutput {
    using Raw = std::conditional_t<std::is_const_v<Element>, const void*, void*>;

public:
    explicit TypedOutput(Element** target) : target_(target) {}
    TypedOutput(const TypedOutput&) = delete;
    TypedOutput& operator=(const TypedOutput&) = delete;
    ~TypedOutput() {
        if (target_ != nullptr) *target_ = static_cast<Element*>(raw_);
    }

    operator Raw*() { return target_ == nullptr ? nullptr : &raw_; }

private:
    Element** target_;
    Raw raw_ = nullptr;
};

template <class Element>
TypedOutput<Element> typed(Element** target) {
    return TypedOutput<Element>(target);
}

}  // namespace cclp

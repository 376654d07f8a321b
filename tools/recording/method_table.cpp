#include "recording/method_table.hpp"

namespace cclp_recording {

const MethodInfo* findMethod(std::string_view name) {
    const auto id = cclp::score::methodByName(name);
    return id ? cclp::score::methodInfo(*id) : nullptr;
}

const MethodInfo* findMethod(int32_t number) {
    return cclp::score::methodInfo(static_cast<cclp::score::MethodId>(number));
}

}  // namespace cclp_recording

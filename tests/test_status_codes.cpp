// The module's status codes: one contiguous block of negative codes, each
// with its own name and meaning, and no name for anyone else's code.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cclp_score/cclp_status.h"
#include "csys_runtime.h"

namespace {

constexpr uint32_t kFirstCode = 0x80000E22u;
constexpr uint32_t kLastCode = 0x80000E32u;

}  // namespace

TEST(StatusCodes, EveryCodeOfTheBlockHasItsOwnNameAndMeaning) {
    std::set<std::string> names;
    std::set<std::string> meanings;
    for (uint32_t bits = kFirstCode; bits <= kLastCode; ++bits) {
        const int32_t code = CCLP_STATUS_FROM_BITS(bits);
        const char* name = cclp_statusName(code);
        const char* meaning = cclp_statusMeaning(code);
        ASSERT_TRUE(name != nullptr && meaning != nullptr) << std::hex << bits;
        names.insert(name);
        meanings.insert(meaning);
    }
    EXPECT_EQ(names.size(), kLastCode - kFirstCode + 1) << "a name used twice";
    EXPECT_EQ(meanings.size(), kLastCode - kFirstCode + 1) << "a meaning used twice";
}

TEST(StatusCodes, SuccessIsNamedAndOtherLibrariesCodesAreNot) {
    EXPECT_STREQ(cclp_statusName(CCLP_STATUS_OK), "CCLP_STATUS_OK");
    EXPECT_STREQ(cclp_statusMeaning(CCLP_STATUS_OK), "success");
    for (const int32_t other : {CSYS_STATUS_OUT_OF_MEMORY, CSYS_STATUS_NULL_ARGUMENT,
                                CCLP_STATUS_FROM_BITS(kFirstCode - 1),
                                CCLP_STATUS_FROM_BITS(kLastCode + 1), int32_t{1}}) {
        EXPECT_EQ(cclp_statusName(other), nullptr) << std::hex << other;
        EXPECT_EQ(cclp_statusMeaning(other), nullptr) << std::hex << other;
    }
}

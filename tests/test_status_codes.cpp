// The module's status codes: one contiguous block of negative codes, each
// with its own name and meaning, and no name for anyone else's code; the
// runtime's codes, which runs pass on, named by the runtime and by the one
// helper that names every status a caller sees.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "cclp_score/cclp_status.h"
#include "cclp_score/cclp_status_text.h"
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

TEST(StatusCodes, RuntimeCodesAreNamedByTheRuntimeAndByTheHelperForAnyStatus) {
    const int32_t runtimeCodes[] = {CSYS_STATUS_OUT_OF_MEMORY, CSYS_STATUS_NULL_ARGUMENT,
                                    CSYS_STATUS_ATTENTION, CSYS_STATUS_INVALID_ARGUMENT,
                                    CSYS_STATUS_OVERFLOW};
    std::set<std::string> names;
    for (const int32_t code : runtimeCodes) {
        const char* name = csys_statusName(code);
        ASSERT_TRUE(name != nullptr && csys_statusMeaning(code) != nullptr) << std::hex << code;
        names.insert(name);
        EXPECT_STREQ(cclp_anyStatusName(code), name);
        EXPECT_STREQ(cclp_anyStatusMeaning(code), csys_statusMeaning(code));
    }
    EXPECT_EQ(names.size(), std::size(runtimeCodes)) << "a name used twice";
    EXPECT_STREQ(csys_statusName(CSYS_STATUS_ATTENTION), "CSYS_STATUS_ATTENTION");
    EXPECT_STREQ(cclp_anyStatusName(CCLP_STATUS_ZERO_PAIR_WIDTH), "CCLP_STATUS_ZERO_PAIR_WIDTH");
    EXPECT_STREQ(cclp_anyStatusName(CCLP_STATUS_OK), "CCLP_STATUS_OK");
    for (const int32_t neither : {CSYS_STATUS_FROM_BITS(0x80000100u), int32_t{-1}, int32_t{1}}) {
        EXPECT_EQ(csys_statusName(neither), nullptr) << std::hex << neither;
        EXPECT_EQ(cclp_anyStatusName(neither), nullptr) << std::hex << neither;
        EXPECT_EQ(cclp_anyStatusMeaning(neither), nullptr) << std::hex << neither;
    }
}

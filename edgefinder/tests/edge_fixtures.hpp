// Owners of the C records the tests fill, and a search in one call.
#pragma once

#include <gtest/gtest.h>

#include "cedge/cedge.h"

namespace cedge::testing {

struct ResultSet {
    cclp_resultSet c{};
    ResultSet() { EXPECT_EQ(cclp_resultSet_construct(&c), 0); }
    ~ResultSet() { cclp_resultSet_destruct(&c); }
    ResultSet(const ResultSet&) = delete;
    ResultSet& operator=(const ResultSet&) = delete;
};

struct Profile {
    cedge_profile c{};
    Profile() { cedge_profile_construct(&c); }
    ~Profile() { cedge_profile_destruct(&c); }
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;
};

inline cedge_params paramsWith(double sigma, double minContrast,
                               int32_t polarity = cedge_polarityAny, uint32_t flags = 0u) {
    cedge_params params;
    cedge_params_init(&params);
    params.sigma = sigma;
    params.minContrast = minContrast;
    params.polarity = polarity;
    params.flags = flags;
    return params;
}

}  // namespace cedge::testing

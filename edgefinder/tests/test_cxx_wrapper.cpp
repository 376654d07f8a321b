// The C++ wrapper: errors as exceptions that name the status, the
// non-throwing forms, owners that move, and the chain from an image to a
// scored edge pair.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "cclp_score/cclp_score.hpp"
#include "cedge/cedge.hpp"
#include "synthetic_image.hpp"

namespace cedge::testing {
namespace {

TEST(CxxWrapper, FailuresThrowAnErrorThatNamesTheStatus) {
    try {
        (void)Image::read("cedge_test_missing.png");
        FAIL() << "no exception";
    } catch (const Error& error) {
        EXPECT_EQ(error.status(), CEDGE_STATUS_FILE_UNREADABLE);
        EXPECT_NE(std::strstr(error.what(), "cedge_test_missing.png"), nullptr);
        EXPECT_NE(std::strstr(error.what(), "CEDGE_STATUS_FILE_UNREADABLE"), nullptr);
    }
    // A name with a NUL inside must not read the file named by its first part.
    std::error_code cut;
    (void)Image::read(std::string(CEDGE_TEST_DATA "/name_plate.pgm") + std::string("\0x", 2), cut);
    EXPECT_EQ(cut, makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT));
    const uint8_t pixels[4] = {};
    const ImageView view(pixels, sizeof pixels, 2, 2, 2);
    std::error_code ec;
    const Found found = findEdges(view, Caliper{0.5, 0.5, 0.0, 1.0, 0.0}, Settings(), ec);
    EXPECT_EQ(ec, makeErrorCode(CEDGE_STATUS_LENGTH_NOT_VALID));
    EXPECT_TRUE(found.edges.empty());
    EXPECT_EQ(errorCategory().message(CSYS_STATUS_NULL_ARGUMENT).rfind("CSYS_STATUS_NULL_ARGUMENT", 0), 0u);
    EXPECT_THROW((void)findEdges(view, Caliper{0.5, 0.5, 0.0, 2.0, 0.0}, Settings().sigma(0.0)), Error);
}

TEST(CxxWrapper, FindsEdgesScoredAsAPairByTheModule) {
    BarScene scene;
    scene.originX = 60.2;
    scene.originY = 40.7;
    scene.angle = 17.0;
    scene.rise = -11.4;
    scene.fall = 8.9;
    const SceneImage<uint16_t> image(scene, 120, 80, 2.0, 5u);
    const ImageView view(image.pixels.data(), image.pixels.size() * 2, 120, 80, 240);
    const Caliper caliper{scene.originX, scene.originY, scene.angle, 60.0, 10.0};
    Found found = findEdges(view, caliper, Settings().sigma(1.5).minContrast(10.0));
    ASSERT_EQ(found.edges.size(), 2u);
    EXPECT_EQ(found.profile.size(), 61);
    EXPECT_EQ(found.profile.position(0), -30.0);
    ASSERT_NE(found.profile.derivative(), nullptr);

    // Owners move; the moved-from one holds nothing.
    Profile moved = std::move(found.profile);
    EXPECT_EQ(moved.size(), 61);

    // The finder's record goes to the scorer as it is: lent, then handed over.
    namespace cs = cclp::score;
    cs::Scorer scorer(cs::Params()
                          .pair({-10.0, cs::Polarity::Positive}, {10.0, cs::Polarity::Negative})
                          .methods({cs::Method(cs::MethodId::SizeDiff, cs::OneSided(0.0, 0.25, 0.25, 1.0, 0.0))})
                          .maxResults(1));
    const cclp_edge* foundEdges = found.edges.begin();
    const double lentScore = scorer.score(found.edges.c())[0].score();
    const cs::Edges edges = cs::Edges::adopt(found.edges.release());
    EXPECT_TRUE(found.edges.empty());
    EXPECT_EQ(edges.doubles(), foundEdges);  // not copied
    const auto results = scorer.score(edges);
    ASSERT_EQ(results.size(), 1);
    EXPECT_NEAR(results[0].edge(0).position, -11.4, 0.1);
    EXPECT_NEAR(results[0].edge(1).position, 8.9, 0.1);
    EXPECT_EQ(results[0].index(1), 1);
    EXPECT_GT(results[0].score(), 0.9);
    EXPECT_EQ(results[0].score(), lentScore);
}

TEST(CxxWrapper, ClippedProjectionReportsItsValidPart) {
    const uint8_t pixels[10] = {0, 0, 0, 0, 0, 9, 9, 9, 9, 9};
    const ImageView view(pixels, sizeof pixels, 10, 1, 10);
    const Profile profile = project(view, Caliper{8.0, 0.0, 0.0, 8.0, 0.0}, true);
    EXPECT_EQ(profile.size(), 9);
    EXPECT_EQ(profile.validFirst(), 0);
    EXPECT_EQ(profile.validCount(), 6);  // x = 4 .. 9
    EXPECT_EQ(profile.values()[1], 9.0);
    EXPECT_EQ(profile.derivative(), nullptr);
    EXPECT_THROW((void)project(view, Caliper{8.0, 0.0, 0.0, 8.0, 0.0}), Error);
}

}  // namespace
}  // namespace cedge::testing

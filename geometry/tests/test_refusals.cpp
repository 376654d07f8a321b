// What the tools refuse, and how: a status naming the bad argument, the
// caller's records untouched, calipers outside the image reported one by
// one, no runtime block left behind, also when memory runs out.
#include <cstring>

#include "geometry_scenes.hpp"

namespace cgeom::testing {
namespace {

constexpr int32_t kSize = 120;

// A horizontal boundary at y = 60.3 with a line tool across it, and a disc
// of radius 30.2 at (60.4, 59.8) with a circle tool around it; noise-free.
struct Bench {
    BoundaryScene scene;
    cedge::testing::SceneImage<uint8_t> image;
    cedge_image view;
    DiscScene discScene;
    cedge::testing::SceneImage<uint8_t> disc;
    cedge_image discView;
    ScoreParams discScore;
    cgeom_lineParams line{};
    cgeom_circleParams circle{};
    cedge_params edges = edgeSearch(1.0);
    ScoreParams score;
    std::vector<cgeom_caliperResult> results = std::vector<cgeom_caliperResult>(64);
    cgeom_line lineOut{};
    cgeom_circle circleOut{};

    Bench()
        : scene(makeScene()), image(scene, kSize, kSize, 0.0, 1u), view(image.view()),
          discScene(makeDisc()), disc(discScene, kSize, kSize, 0.0, 1u), discView(disc.view()) {
        cgeom_lineParams_init(&line);
        line = cgeom_lineParams{10.0, 60.0, 110.0, 60.0, line.calipers, line.fit};
        cgeom_circleParams_init(&circle);
        circle.centerX = 60.0;
        circle.centerY = 60.0;
        circle.radius = 30.0;
        describeTrueEdge(score, cclp_polarityPositive);
        describeTrueEdge(discScore, cclp_polarityNegative);
    }
    static DiscScene makeDisc() {
        DiscScene s;
        s.cx = 60.4;
        s.cy = 59.8;
        s.radius = 30.2;
        return s;
    }
    static BoundaryScene makeScene() {
        BoundaryScene s;
        s.x0 = 0.0;
        s.y0 = 60.3;
        return s;
    }
    int32_t findLine(int32_t capacity = 64) {
        return cgeom_findLine(&view, &line, &edges, &score.c, &lineOut, results.data(), capacity);
    }
    int32_t findCircle(int32_t capacity = 64) {
        return cgeom_findCircle(&discView, &circle, &edges, &discScore.c, &circleOut, results.data(),
                                capacity);
    }
};

// Marks the outputs so that a write shows.
void mark(Bench& bench) {
    std::memset(&bench.lineOut, 0x5A, sizeof bench.lineOut);
    std::memset(&bench.circleOut, 0x5A, sizeof bench.circleOut);
    std::memset(bench.results.data(), 0x5A, bench.results.size() * sizeof(cgeom_caliperResult));
}

bool untouched(const Bench& bench) {
    const auto marked = [](const void* p, std::size_t n) {
        const auto* bytes = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) {
            if (bytes[i] != 0x5A) return false;
        }
        return true;
    };
    return marked(&bench.lineOut, sizeof bench.lineOut) &&
           marked(&bench.circleOut, sizeof bench.circleOut) &&
           marked(bench.results.data(), bench.results.size() * sizeof(cgeom_caliperResult));
}

TEST(Refusals, LineParametersNameTheBadField) {
    const struct {
        const char* what;
        void (*spoil)(cgeom_lineParams&);
        int32_t status;
    } cases[] = {
        {"start not finite", [](cgeom_lineParams& p) { p.startX = std::nan(""); }, CGEOM_STATUS_SEGMENT_NOT_VALID},
        {"end infinite", [](cgeom_lineParams& p) { p.endY = HUGE_VAL; }, CGEOM_STATUS_SEGMENT_NOT_VALID},
        {"zero length", [](cgeom_lineParams& p) { p.endX = p.startX; p.endY = p.startY; }, CGEOM_STATUS_SEGMENT_TOO_SHORT},
        {"half a pixel", [](cgeom_lineParams& p) { p.endX = p.startX + 0.5; p.endY = p.startY; }, CGEOM_STATUS_SEGMENT_TOO_SHORT},
        {"search flags", [](cgeom_lineParams& p) { p.calipers.flags = CGEOM_SEARCH_INWARD; }, CGEOM_STATUS_SEARCH_NOT_VALID},
        {"caliper length", [](cgeom_lineParams& p) { p.calipers.length = 1.0; }, CEDGE_STATUS_LENGTH_NOT_VALID},
        {"thickness", [](cgeom_lineParams& p) { p.calipers.thickness = -1.0; }, CEDGE_STATUS_THICKNESS_NOT_VALID},
        {"negative count", [](cgeom_lineParams& p) { p.calipers.count = -1; }, CGEOM_STATUS_CALIPER_COUNT_NOT_VALID},
        {"count too large", [](cgeom_lineParams& p) { p.calipers.count = CGEOM_CALIPERS_MAX + 1; }, CGEOM_STATUS_CALIPER_COUNT_NOT_VALID},
        {"spacing 0", [](cgeom_lineParams& p) { p.calipers.count = 0; p.calipers.spacing = 0.0; }, CGEOM_STATUS_CALIPER_COUNT_NOT_VALID},
        {"spacing too fine", [](cgeom_lineParams& p) { p.calipers.count = 0; p.calipers.spacing = 1e-3; }, CGEOM_STATUS_CALIPER_COUNT_NOT_VALID},
        {"weight", [](cgeom_lineParams& p) { p.fit.weight = 3; }, CGEOM_STATUS_FIT_SETTINGS_NOT_VALID},
        {"inlier distance", [](cgeom_lineParams& p) { p.fit.inlierDistance = std::nan(""); }, CGEOM_STATUS_FIT_SETTINGS_NOT_VALID},
        {"iterations", [](cgeom_lineParams& p) { p.fit.maxIterations = 0; }, CGEOM_STATUS_FIT_SETTINGS_NOT_VALID},
    };
    for (const auto& c : cases) {
        Bench bench;
        c.spoil(bench.line);
        mark(bench);
        int32_t count = -7;
        EXPECT_EQ(cgeom_lineCaliperCount(&bench.line, &count), c.status) << c.what;
        EXPECT_EQ(count, -7) << c.what;
        EXPECT_EQ(bench.findLine(), c.status) << c.what;
        EXPECT_TRUE(untouched(bench)) << c.what;
    }
}

TEST(Refusals, CircleParametersNameTheBadField) {
    const struct {
        const char* what;
        void (*spoil)(cgeom_circleParams&);
        int32_t status;
    } cases[] = {
        {"centre", [](cgeom_circleParams& p) { p.centerY = std::nan(""); }, CGEOM_STATUS_CENTER_NOT_VALID},
        {"zero radius", [](cgeom_circleParams& p) { p.radius = 0.0; }, CGEOM_STATUS_RADIUS_NOT_VALID},
        {"infinite radius", [](cgeom_circleParams& p) { p.radius = HUGE_VAL; }, CGEOM_STATUS_RADIUS_NOT_VALID},
        {"zero sweep", [](cgeom_circleParams& p) { p.sweep = 0.0; }, CGEOM_STATUS_ARC_NOT_VALID},
        {"sweep past a turn", [](cgeom_circleParams& p) { p.sweep = -361.0; }, CGEOM_STATUS_ARC_NOT_VALID},
        {"start not finite", [](cgeom_circleParams& p) { p.startAngle = HUGE_VAL; }, CGEOM_STATUS_ARC_NOT_VALID},
        {"unknown flags", [](cgeom_circleParams& p) { p.calipers.flags = 2u; }, CGEOM_STATUS_SEARCH_NOT_VALID},
    };
    for (const auto& c : cases) {
        Bench bench;
        c.spoil(bench.circle);
        mark(bench);
        EXPECT_EQ(bench.findCircle(), c.status) << c.what;
        EXPECT_TRUE(untouched(bench)) << c.what;
    }
}

TEST(Refusals, NullArgumentsCapacityImageAndScoreParameters) {
    Bench bench;
    mark(bench);
    EXPECT_EQ(cgeom_findLine(nullptr, &bench.line, &bench.edges, &bench.score.c, &bench.lineOut,
                             bench.results.data(), 64), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cgeom_findCircle(&bench.view, &bench.circle, &bench.edges, &bench.score.c, nullptr,
                               bench.results.data(), 64), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cgeom_lineParams_init(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cgeom_circleCaliperCount(&bench.circle, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(bench.findLine(9), CGEOM_STATUS_CAPACITY_TOO_SMALL);
    EXPECT_EQ(bench.findCircle(15), CGEOM_STATUS_CAPACITY_TOO_SMALL);
    bench.edges.sigma = 0.0;
    EXPECT_EQ(bench.findLine(), CEDGE_STATUS_SIGMA_NOT_VALID);
    bench.edges = edgeSearch(1.0);
    bench.view.bitsPerPixel = 12;
    EXPECT_EQ(bench.findLine(), CEDGE_STATUS_PIXEL_DEPTH_NOT_VALID);
    bench.view = bench.image.view();
    bench.score.c.maxNumResults = -1;  // a record the scoring module refuses
    EXPECT_EQ(bench.findLine(), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_TRUE(untouched(bench));
}

TEST(Refusals, TooFewPointsOnABlankImage) {
    Bench bench;
    const std::vector<uint8_t> blank(kSize * kSize, 90);
    bench.view.pixels = blank.data();
    bench.discView.pixels = blank.data();
    mark(bench);
    EXPECT_EQ(bench.findLine(), CGEOM_STATUS_TOO_FEW_POINTS);
    EXPECT_EQ(bench.findCircle(), CGEOM_STATUS_TOO_FEW_POINTS);
    EXPECT_TRUE(untouched(bench));
}

// Calipers past the image's border are reported one by one and left out of
// the fit; clipped to the image they search what lies inside.
TEST(Refusals, CalipersOutsideTheImageAreReportedOneByOne) {
    Bench bench;
    bench.line.startX = -40.0;  // 10 calipers 15 px apart from x = -32.5
    bench.line.endX = 110.0;
    ASSERT_EQ(bench.findLine(), 0);
    for (int32_t i = 0; i < 10; ++i) {
        const cgeom_caliperResult& result = bench.results[static_cast<std::size_t>(i)];
        const bool outside = result.caliper.centerX - bench.line.calipers.thickness / 2.0 < 0.0;
        EXPECT_EQ(result.status, outside ? CEDGE_STATUS_OUTSIDE_IMAGE : 0) << i;
        EXPECT_EQ(result.found, outside ? 0 : 1) << i;
    }
    EXPECT_EQ(bench.lineOut.fit.numMissing, 3);
    EXPECT_EQ(bench.lineOut.fit.numFound, 7);
    EXPECT_NEAR(bench.lineOut.point.y, 60.3, 0.02);
    EXPECT_NEAR(bench.lineOut.angle, 0.0, 0.01);

    // Past the top and bottom borders: all refused, unless clipped.
    bench.line.startX = 10.0;
    bench.line.endX = 110.0;
    bench.line.calipers.length = 150.0;
    mark(bench);
    EXPECT_EQ(bench.findLine(), CGEOM_STATUS_TOO_FEW_POINTS);
    EXPECT_TRUE(untouched(bench));
    bench.edges.flags = CEDGE_CLIP_TO_IMAGE;
    ASSERT_EQ(bench.findLine(), 0);
    EXPECT_EQ(bench.lineOut.fit.numFound, 10);
    EXPECT_NEAR(bench.lineOut.point.y, 60.3, 0.02);
}

TEST(Refusals, NothingLeftBehindAndOutOfMemoryLeavesTheOutputs) {
    Bench bench;
    const int64_t live = csys_testing_liveBlocks();
    ASSERT_EQ(bench.findLine(), 0);
    ASSERT_EQ(bench.findCircle(), 0);
    EXPECT_NEAR(bench.circleOut.radius, 30.2, 0.02);
    EXPECT_NEAR(bench.circleOut.center.x, 60.4, 0.02);
    EXPECT_NEAR(bench.circleOut.center.y, 59.8, 0.02);
    EXPECT_EQ(csys_testing_liveBlocks(), live);
    const int64_t before = csys_testing_allocationCount();
    ASSERT_EQ(bench.findLine(), 0);
    const int64_t requests = csys_testing_allocationCount() - before;
    ASSERT_GT(requests, 0);
    for (int64_t k = 1; k <= requests; ++k) {
        mark(bench);
        csys_testing_failAllocation(static_cast<int32_t>(k));
        EXPECT_EQ(bench.findLine(), CSYS_STATUS_OUT_OF_MEMORY) << "request " << k;
        csys_testing_failAllocation(0);
        EXPECT_TRUE(untouched(bench)) << "request " << k;
        EXPECT_EQ(csys_testing_liveBlocks(), live) << "request " << k;
    }
}

TEST(Refusals, CaliperCountFromSpacing) {
    Bench bench;
    int32_t count = 0;
    bench.line.calipers.count = 0;
    bench.line.calipers.spacing = 7.0;
    ASSERT_EQ(cgeom_lineCaliperCount(&bench.line, &count), 0);
    EXPECT_EQ(count, 14);  // 100 px
    bench.line.calipers.spacing = 500.0;
    ASSERT_EQ(cgeom_lineCaliperCount(&bench.line, &count), 0);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(bench.findLine(), CGEOM_STATUS_TOO_FEW_POINTS);
}

}  // namespace
}  // namespace cgeom::testing

// What the tools and their fits refuse and how: a status naming the bad
// argument, the caller's records untouched, calipers outside the image
// reported one by one, nothing left behind, also when memory runs out.
#include <cstring>
#include <functional>
#include <string>

#include "circle_fit.hpp"
#include "geometry_scenes.hpp"
#include "line_fit.hpp"

namespace cgeom::testing {
namespace {

using Image = cedge::testing::SceneImage<uint8_t>;
const double kNan = std::nan("");

// Noise-free: a boundary at y = 60.3 under a line tool from x = 10 to 110,
// a disc of radius 30.2 at (60.4, 59.8) under a circle tool; outputs marked.
struct Bench {
    Image boundary{[] { BoundaryScene s; s.y0 = 60.3; return s; }(), 120, 120, 0.0, 1u};
    Image disc{[] { DiscScene s; s.cx = 60.4; s.cy = 59.8; s.radius = 30.2; return s; }(), 120, 120, 0.0, 1u};
    cedge_image lineView = boundary.view(), circleView = disc.view();
    cgeom_lineParams line{};
    cgeom_circleParams circle{};
    cedge_params edges = edgeSearch(1.0);
    std::unique_ptr<ScoreParams> rising = trueEdge(cclp_polarityPositive), falling = trueEdge(cclp_polarityNegative);
    std::vector<cgeom_caliperResult> results = std::vector<cgeom_caliperResult>(64);
    cgeom_line lineOut{};
    cgeom_circle circleOut{};

    Bench() {
        cgeom_lineParams_init(&line);
        line.startX = 10.0, line.startY = 60.0, line.endX = 110.0, line.endY = 60.0;
        cgeom_circleParams_init(&circle);
        circle.centerX = 60.0, circle.centerY = 60.0, circle.radius = 30.0;
        std::memset(results.data(), 0x5A, results.size() * sizeof(cgeom_caliperResult));
        std::memset(&lineOut, 0x5A, sizeof lineOut);
        std::memset(&circleOut, 0x5A, sizeof circleOut);
    }
    const cclp_scoreParams* score = &rising->c;
    int32_t findLine() { return cgeom_findLine(&lineView, &line, &edges, score, &lineOut, results.data(), 64); }
    int32_t findCircle() {
        return cgeom_findCircle(&circleView, &circle, &edges, &falling->c, &circleOut, results.data(), 64);
    }
    bool untouched() const {
        const auto* bytes = reinterpret_cast<const unsigned char*>(results.data());
        return bytes[0] == 0x5A && std::memcmp(bytes, bytes + 1, results.size() * sizeof results[0] - 1) == 0 &&
               std::memcmp(&lineOut, bytes, sizeof lineOut) == 0 &&
               std::memcmp(&circleOut, bytes, sizeof circleOut) == 0;
    }
};

using Call = std::function<int32_t(Bench&)>;

// The status, nothing written, no block left.
void expectRefused(const Call& call, int32_t status, const std::string& what) {
    Bench bench;
    const int64_t live = csys_testing_liveBlocks();
    EXPECT_EQ(call(bench), status) << what;
    csys_testing_failAllocation(0);
    EXPECT_TRUE(bench.untouched()) << what;
    EXPECT_EQ(csys_testing_liveBlocks(), live) << what;
}

// The fit's status by every weight when they agree, 1 otherwise.
template <class Geometry, class Model>
int32_t fitEveryWay(const Geometry& geometry, Model model, const std::vector<Point>& points) {
    std::vector<double> weights;
    const int32_t status = robustFit(geometry, points, cgeom_fitParams{cgeom_weightTukey, 20, 1.5}, model,
                                     weights);
    for (const int32_t weight : {cgeom_weightHuber, cgeom_weightNone}) {
        if (robustFit(geometry, points, cgeom_fitParams{weight, 20, 1.5}, model, weights) != status) return 1;
    }
    return status;
}

struct Case {
    bool circle;
    const char* what;
    std::function<void(Bench&)> spoil;
    int32_t status;
};

TEST(Refusals, ParametersNameTheBadFieldAndNothingIsWritten) {
    static const std::vector<uint8_t> blank(120 * 120, 90);
    const Case cases[] = {
        {false, "segment", [](Bench& b) { b.line.startX = kNan; }, CGEOM_STATUS_SEGMENT_NOT_VALID},
        {false, "zero length", [](Bench& b) { b.line.endX = b.line.startX; }, CGEOM_STATUS_SEGMENT_TOO_SHORT},
        {false, "search flags", [](Bench& b) { b.line.calipers.flags = 1u; }, CGEOM_STATUS_SEARCH_NOT_VALID},
        {false, "caliper length", [](Bench& b) { b.line.calipers.length = 1.0; }, CEDGE_STATUS_LENGTH_NOT_VALID},
        {false, "count", [](Bench& b) { b.line.calipers.count = 4097; }, CGEOM_STATUS_CALIPER_COUNT_NOT_VALID},
        {false, "spacing", [](Bench& b) { b.line.calipers.count = 0; }, CGEOM_STATUS_CALIPER_COUNT_NOT_VALID},
        {false, "weight", [](Bench& b) { b.line.fit.weight = 3; }, CGEOM_STATUS_FIT_SETTINGS_NOT_VALID},
        {false, "inlier distance", [](Bench& b) { b.line.fit.inlierDistance = kNan; },
         CGEOM_STATUS_FIT_SETTINGS_NOT_VALID},
        {false, "capacity", [](Bench& b) { b.line.calipers.count = 65; }, CGEOM_STATUS_CAPACITY_TOO_SMALL},
        {false, "sigma", [](Bench& b) { b.edges.sigma = 0.0; }, CEDGE_STATUS_SIGMA_NOT_VALID},
        {false, "pixel depth", [](Bench& b) { b.lineView.bitsPerPixel = 12; }, CEDGE_STATUS_PIXEL_DEPTH_NOT_VALID},
        {false, "score parameters", [](Bench& b) { b.rising->c.maxNumResults = -1; }, CSYS_STATUS_INVALID_ARGUMENT},
        {false, "null score", [](Bench& b) { b.score = nullptr; }, CSYS_STATUS_NULL_ARGUMENT},
        {false, "null pixels", [](Bench& b) { b.lineView.pixels = nullptr; }, CSYS_STATUS_NULL_ARGUMENT},
        {false, "blank image", [](Bench& b) { b.lineView.pixels = blank.data(); }, CGEOM_STATUS_TOO_FEW_POINTS},
        {true, "centre", [](Bench& b) { b.circle.centerY = kNan; }, CGEOM_STATUS_CENTER_NOT_VALID},
        {true, "zero radius", [](Bench& b) { b.circle.radius = 0.0; }, CGEOM_STATUS_RADIUS_NOT_VALID},
        {true, "zero sweep", [](Bench& b) { b.circle.sweep = 0.0; }, CGEOM_STATUS_ARC_NOT_VALID},
        {true, "sweep past a turn", [](Bench& b) { b.circle.sweep = -361.0; }, CGEOM_STATUS_ARC_NOT_VALID},
        {true, "blank image", [](Bench& b) { b.circleView.pixels = blank.data(); }, CGEOM_STATUS_TOO_FEW_POINTS},
    };
    for (const Case& c : cases) {
        const auto call = [&c](Bench& b) { c.spoil(b); return c.circle ? b.findCircle() : b.findLine(); };
        expectRefused(call, c.status, c.what);
    }
    // The count of a bad circle, into a marked record.
    const auto count = [](Bench& b) {
        b.circle.radius = kNan;
        return cgeom_circleCaliperCount(&b.circle, &b.results[0].numEdges);
    };
    expectRefused(count, CGEOM_STATUS_RADIUS_NOT_VALID, "count");
}

// The fits on points of their own, by every weight.
TEST(Refusals, DegeneratePointsAreNoFit) {
    const std::vector<Point> collinear{{0.0, 0.0}, {1.0, 2.0}, {2.0, 4.0}, {3.5, 7.0}, {-1.0, -2.0}};
    const std::vector<Point> coincident(6, Point{3.0, -2.0}), huge{{0.0, 0.0}, {1e200, 1e200}, {-1e200, 3e200}};
    const LineGeometry line(Point{1.0, 0.0});
    EXPECT_EQ(fitEveryWay(CircleGeometry{}, CircleModel{}, collinear), CGEOM_STATUS_POINTS_COLLINEAR);
    EXPECT_EQ(fitEveryWay(CircleGeometry{}, CircleModel{}, {collinear[0], collinear[1]}), CGEOM_STATUS_TOO_FEW_POINTS);
    EXPECT_EQ(fitEveryWay(line, LineModel{}, coincident), CGEOM_STATUS_POINTS_COINCIDENT);
    EXPECT_EQ(fitEveryWay(line, LineModel{}, huge), CGEOM_STATUS_FIT_NOT_FINITE);
}

// Calipers past the left border are reported one by one and left out; past
// the top and bottom, clipping to the image lets them search what is inside.
TEST(Refusals, CalipersOutsideTheImageAreReportedOneByOne) {
    Bench bench;
    bench.line.startX = -40.0;  // 10 calipers 15 px apart from x = -32.5
    ASSERT_EQ(bench.findLine(), 0);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(bench.results[i].status, i < 3 ? CEDGE_STATUS_OUTSIDE_IMAGE : 0) << i;
        EXPECT_EQ(bench.results[i].found, i < 3 ? 0 : 1) << i;
    }
    EXPECT_EQ(bench.lineOut.fit.numMissing, 3);
    EXPECT_NEAR(bench.lineOut.point.y, 60.3, 0.02);
    EXPECT_NEAR(bench.lineOut.angle, 0.0, 0.01);
    bench.line.startX = 10.0;
    bench.line.calipers.length = 150.0;
    EXPECT_EQ(bench.findLine(), CGEOM_STATUS_TOO_FEW_POINTS);
    bench.edges.flags = CEDGE_CLIP_TO_IMAGE;
    ASSERT_EQ(bench.findLine(), 0);
    EXPECT_EQ(bench.lineOut.fit.numFound, 10);
}

// Thick calipers (5 px) on a small circle, the radius corrected; no block
// left. (Every failed memory request, with the outputs as they were, is the
// geometry fuzzer's.)
TEST(Refusals, NothingLeftBehind) {
    Bench bench;
    const int64_t live = csys_testing_liveBlocks();
    ASSERT_EQ(bench.findCircle(), 0);
    EXPECT_NEAR(bench.circleOut.radius, 30.2, 0.02);
    EXPECT_NEAR(std::hypot(bench.circleOut.center.x - 60.4, bench.circleOut.center.y - 59.8), 0.0, 0.02);
    EXPECT_EQ(csys_testing_liveBlocks(), live);
}

}  // namespace
}  // namespace cgeom::testing

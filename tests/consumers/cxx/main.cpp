// A C++ application's use of the installed module: the strongest single
// edges of a fixed-point (1/256) profile, scored by contrast with the default
// parameters. Exits non-zero when anything differs from what the module
// promises.
#include <cclp_score/cclp_score.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

// A module record for the length of a scope: constructed by the module,
// destructed by it on the way out.
template <typename Record, int32_t (*construct)(Record*), int32_t (*destruct)(Record*)>
class Scoped {
public:
    Scoped() {
        if (construct(&record_) < 0) throw std::runtime_error("construct failed");
    }
    ~Scoped() { destruct(&record_); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Record* operator->() { return &record_; }
    Record* get() { return &record_; }

private:
    Record record_{};
};

using Input = Scoped<cclp_resultSet, cclp_resultSet_construct, cclp_resultSet_destruct>;
using Params = Scoped<cclp_scoreParams, cclp_scoreParams_construct, cclp_scoreParams_destruct>;
using Results =
    Scoped<cclp_scoreResultSet, cclp_scoreResultSet_construct, cclp_scoreResultSet_destruct>;

int failures = 0;

void expect(bool condition, const std::string& what) {
    if (!condition) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++failures;
    }
}

constexpr int32_t fixed(int32_t value) { return value * 256; }

void loadFixedEdges(Input& input) {
    const std::array<cclp_edgeFixed, 3> edges{{
        {fixed(-10), fixed(51)}, {fixed(3), fixed(-255)}, {fixed(8), fixed(102)}}};
    void* block = nullptr;
    if (csys_memory_clone_internal(sizeof edges, edges.data(), &block) < 0)
        throw std::runtime_error("out of memory");
    input->edgesFixed = static_cast<cclp_edgeFixed*>(block);
    input->numEdges = static_cast<int32_t>(edges.size());
    input->formats = CCLP_FORMAT_FIXED;
}

void checkResults(const cclp_scoreResultSet& results) {
    expect(results.numResults == 3, "every edge kept");
    if (results.numResults != 3) return;
    // Contrast scores 0 at 0 rising to 1 (256) at 255, whatever the sign;
    // sorted highest first.
    const std::array<int32_t, 3> positions{fixed(3), fixed(8), fixed(-10)};
    const std::array<int32_t, 3> scores{256, 102, 51};  // 255, 102 and 51 of 255
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const cclp_scoreOneResult& result = results.results[i];
        const std::string rank = "rank " + std::to_string(i + 1);
        expect(result.formats == CCLP_FORMAT_FIXED, rank + ": fixed-point result");
        expect(result.positionFixed == positions[i], rank + ": position");
        expect(std::abs(result.scoreFixed - scores[i]) <= 1, rank + ": score");
        expect(result.numEdges == 1 && result.edgesFixed[0].position == positions[i],
               rank + ": copy of its edge");
    }
}

}  // namespace

int main() {
    try {
        std::printf("cclp_score %s\n", CCLP_SCORE_VERSION_STRING);
        expect(std::string(CCLP_SCORE_VERSION_STRING) == PACKAGE_VERSION,
               "headers of the package's version");

        Input input;
        Params params;
        Results results;
        loadFixedEdges(input);
        expect(cclp_scoreParams_setMaxNumResults(params.get(), 5) == CCLP_STATUS_OK,
               "more results than edges");
        const int32_t status = cclp_runScore(input.get(), params.get(), results.get());
        const char* name = cclp_statusName(status);
        expect(status == CCLP_STATUS_OK, std::string("run: ") + (name != nullptr ? name : "?"));
        if (status == CCLP_STATUS_OK) checkResults(*results.get());
    } catch (const std::exception& error) {
        expect(false, error.what());
    }
    std::printf("%s\n", failures == 0 ? "C++ consumer: all checks passed" : "C++ consumer: FAILED");
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

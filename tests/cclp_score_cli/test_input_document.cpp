// Reading input documents: the samples, the defaults, and one case for each
// kind of bad input with the field and the reason it reports.
#include <gtest/gtest.h>

#include "cclp_score_cli/input_document.hpp"
#include "tests/cclp_score_cli/tool_fixtures.hpp"

namespace cclp_cli {
namespace {

using testing::inputErrorOf;
using testing::loadSample;
using testing::pairDocument;

// The samples are read in the end-to-end runs; an extra-value method alone
// calls for the extended run too.
TEST(InputDocument, AnExtraMethodAloneCallsForTheExtendedRun) {
    nlohmann::json document = pairDocument();
    document["params"]["scoreMethods"][0] = {{"method", "extraMax"},
                                             {"oneSided", {{"x0", 1}, {"x1", 0}, {"x2", 0}}}};
    const Job job = readJob(document);
    EXPECT_FALSE(job.edgesHaveExtras);
    EXPECT_TRUE(job.needsExtendedRun());
    EXPECT_TRUE(readJob(loadSample("extended_edges.json")).needsExtendedRun());
    EXPECT_FALSE(readJob(loadSample("pair_with_distractors.json")).needsExtendedRun());
}

struct BadInput {
    const char* name;
    const char* pointer;   // JSON pointer of the field changed
    nlohmann::json value;  // null: remove the field
    const char* field;
    const char* reason;  // a part of the reason
};

class InputDocumentRejects : public ::testing::TestWithParam<BadInput> {};

TEST_P(InputDocumentRejects, NamingTheFieldAndTheReason) {
    const BadInput& bad = GetParam();
    nlohmann::json document = pairDocument();
    const nlohmann::json::json_pointer pointer(bad.pointer);
    if (!bad.value.is_null()) {
        document[pointer] = bad.value;
    } else if (nlohmann::json& parent = document[pointer.parent_pointer()]; parent.is_array()) {
        parent.erase(std::stoul(pointer.back()));
    } else {
        parent.erase(pointer.back());
    }
    const InputError error = inputErrorOf(document);
    EXPECT_EQ(error.field(), bad.field);
    EXPECT_NE(error.reason().find(bad.reason), std::string::npos) << error.what();
}

// Bad documents of each kind. Values the library refuses are reported with
// its status by name; methods it would only reject once a candidate reaches
// them are refused up front.
INSTANTIATE_TEST_SUITE_P(
    EachKind, InputDocumentRejects,
    ::testing::Values(
        BadInput{"UnknownFormats", "/caliper/formats", "float", "caliper.formats",
                 "unknown formats 'float'"},
        BadInput{"MisspeltField", "/params/scoreMethods/0/oneSided/xo", 1,
                 "params.scoreMethods[0].oneSided.xo", "unknown field"},
        BadInput{"EdgesOutOfOrder", "/caliper/edges/2/position", 1.0, "caliper.edges[2].position",
                 "ascending position order"},
        BadInput{"BothFunctions", "/params/scoreMethods/0/twoSided",
                 {{"low", {{"x0", 0}, {"x1", -1}, {"x2", -1}}},
                  {"high", {{"x0", 0}, {"x1", 1}, {"x2", 1}}}},
                 "params.scoreMethods[0]", "not both"},
        BadInput{"FlatProfileStep", "/caliper/profile", {{"step", 0}, {"values", {1, 2}}},
                 "caliper.profile.step", "must be positive"},
        BadInput{"LowSideAboveSplit", "/params/scoreMethods/0",
                 {{"method", "sizeDiffSigned"},
                  {"twoSided",
                   {{"low", {{"x0", 1}, {"x1", 0}, {"x2", -1}}},
                    {"high", {{"x0", 0}, {"x1", 1}, {"x2", 1}}}}}},
                 "params.scoreMethods[0].twoSided", "CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT"},
        BadInput{"DesiredEdgesTogether", "/params/desiredEdges/1/position", -10,
                 "params.desiredEdges", "CCLP_STATUS_ZERO_PAIR_WIDTH"},
        BadInput{"OffsetOnAnotherMethod", "/params/scoreMethods/0/oneSided/offset", 3,
                 "params.scoreMethods[0].oneSided.offset", "only offsetDist reads an offset"},
        BadInput{"OffsetDistOneSidedOnPairs", "/params/scoreMethods/0",
                 {{"method", "offsetDist"}, {"oneSided", {{"x0", 0}, {"x1", 2}, {"x2", 2}}}},
                 "params.scoreMethods[0]", "give twoSided"}),
    [](const ::testing::TestParamInfo<BadInput>& param) { return param.param.name; });

// Problems the JSON parser meets are named by field too: a key given twice
// (readers differ on which one wins) and a number beyond the double range.
TEST(JsonText, NamesTheFieldOfADuplicateKeyAndOfAnOverflowingNumber) {
    const auto errorOf = [](std::string_view text) {
        try {
            parseJsonText(text);
        } catch (const InputError& error) {
            return error;
        }
        ADD_FAILURE() << "accepted: " << text;
        return InputError("", "");
    };
    const InputError twice =
        errorOf(R"({"caliper": {"edges": [{"position": 1, "contrast": 2, "position": 3}]}})");
    EXPECT_EQ(twice.field(), "caliper.edges[0].position");
    EXPECT_NE(twice.reason().find("given twice"), std::string::npos) << twice.what();
    const InputError overflow = errorOf(R"({"caliper": {"edges": [{}, {"position": -1e309}]}})");
    EXPECT_EQ(overflow.field(), "caliper.edges[1].position");
    EXPECT_NE(overflow.reason().find("-1e309"), std::string::npos) << overflow.what();
    EXPECT_EQ(errorOf("[1, 2e999]").field(), "[1]");
    EXPECT_NO_THROW(parseJsonText(R"({"a": {"x": 1}, "b": {"x": 2}, "c": [{"x": 1}, {"x": 2}]})"));
}

}  // namespace
}  // namespace cclp_cli

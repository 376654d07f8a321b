#include "cclp_score_cli/input_document.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "cclp_score_cli/input_error.hpp"
#include "cclp_score_cli/json_field.hpp"
#include "cclp_score_cli/method_table.hpp"

namespace cclp_cli {
namespace {

struct FunctionValues {
    double x0, x1, x2, y0, y1, offset;
};

std::string inQuotes(std::string_view text) { return "'" + std::string(text) + "'"; }

std::string knownMethodNames() {
    std::string names;
    for (const MethodInfo& method : allMethods()) {
        names += (names.empty() ? "" : ", ") + std::string(method.name);
    }
    return names;
}

uint32_t readFormats(const JsonField& caliper) {
    const std::optional<JsonField> field = caliper.optionalMember("formats");
    if (!field) return CCLP_FORMAT_DOUBLE;
    const std::string name = field->text();
    for (uint32_t formats :
         {CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED, CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED}) {
        if (name == formatsName(formats)) return formats;
    }
    field->fail("unknown formats " + inQuotes(name) + " (known: double, fixed, both)");
}

Edge readEdge(const JsonField& field, bool& hasExtras) {
    field.allowOnly({"position", "contrast", "extra1", "extra2", "extra3"});
    Edge edge;
    edge.position = field.member("position").number();
    edge.contrast = field.member("contrast").number();
    for (auto [key, value] : {std::pair{"extra1", &edge.extra1}, std::pair{"extra2", &edge.extra2},
                              std::pair{"extra3", &edge.extra3}}) {
        if (std::optional<JsonField> extra = field.optionalMember(key)) {
            *value = extra->number();
            hasExtras = true;
        }
    }
    return edge;
}

// The runs take the edges in array order and expect them along the caliper.
void readEdges(const JsonField& caliper, Job& job) {
    for (const JsonField& field : caliper.member("edges").elements()) {
        Edge edge = readEdge(field, job.edgesHaveExtras);
        if (!job.edges.empty() && edge.position < job.edges.back().position) {
            throw InputError(field.path() + ".position",
                             "edges must come in ascending position order, as the caliper "
                             "reports them; this one lies before the previous edge");
        }
        job.edges.push_back(edge);
    }
}

Profile readProfile(const JsonField& field) {
    field.allowOnly({"start", "step", "values"});
    Profile profile;
    profile.start = field.numberOr("start", 0.0);
    profile.step = field.numberOr("step", 1.0);
    if (!(profile.step > 0.0)) field.member("step").fail("the sample step must be positive");
    const JsonField values = field.member("values");
    for (const JsonField& value : values.elements()) profile.values.push_back(value.number());
    if (profile.values.size() < 2) values.fail("a profile needs at least two samples");
    return profile;
}

int32_t readPolarity(const JsonField& desired) {
    const std::optional<JsonField> field = desired.optionalMember("polarity");
    if (!field) return cclp_polarityAny;
    const std::string name = field->text();
    for (int32_t polarity : {cclp_polarityPositive, cclp_polarityNegative, cclp_polarityAny}) {
        if (name == polarityName(polarity)) return polarity;
    }
    field->fail("unknown polarity " + inQuotes(name) + " (known: positive, negative, any)");
}

cclp_desiredEdge readDesiredEdge(const JsonField& field) {
    field.allowOnly({"position", "polarity"});
    cclp_desiredEdge desired{};
    desired.position = field.numberOr("position", 0.0);
    desired.polarity = readPolarity(field);
    return desired;
}

// Only offsetDist reads a reference position; on any other method an
// offset would be ignored without a word.
FunctionValues readFunctionValues(const JsonField& field, const MethodInfo& method) {
    field.allowOnly({"x0", "x1", "x2", "y0", "y1", "offset"});
    if (const std::optional<JsonField> offset = field.optionalMember("offset");
        offset && methodNumber(method) != cclp_scoreMethodOffsetDist) {
        offset->fail("only offsetDist reads an offset; " + inQuotes(method.name) +
                     " would ignore it");
    }
    return {field.member("x0").number(), field.member("x1").number(),
            field.member("x2").number(), field.numberOr("y0", 1.0),
            field.numberOr("y1", 0.0),   field.numberOr("offset", 0.0)};
}

cclp_scoreOneSided buildOneSided(const JsonField& field, const MethodInfo& method) {
    const FunctionValues v = readFunctionValues(field, method);
    cclp_scoreOneSided function{};
    requireAccepted(cclp_scoreOneSided_initValues(&function, v.x0, v.x1, v.x2, v.y0, v.y1),
                    field.path(), "cclp_scoreOneSided_initValues");
    cclp_scoreOneSided_setPositionOffset(&function, v.offset);
    return function;
}

// sizeDiffSigned reads the whole function, split point included, so its
// sides are checked against each other; edgePos and offsetDist score each
// side on its own, so each side need only be a valid one-sided function.
cclp_scoreTwoSided buildTwoSided(const JsonField& field, const MethodInfo& method) {
    field.allowOnly({"low", "high"});
    const FunctionValues low = readFunctionValues(field.member("low"), method);
    const FunctionValues high = readFunctionValues(field.member("high"), method);
    cclp_scoreTwoSided function{};
    if (methodNumber(method) == cclp_scoreMethodSizeDiffSigned) {
        requireAccepted(
            cclp_scoreTwoSided_initValues(&function, low.x0, low.x1, low.x2, high.x0, high.x1,
                                          high.x2, low.y0, low.y1, high.y0, high.y1),
            field.path(), "cclp_scoreTwoSided_initValues");
    } else {
        requireAccepted(
            cclp_scoreTwoSided_initOneSided(&function, low.x0, low.x1, low.x2, low.y0, low.y1,
                                            high.x0, high.x1, high.x2, high.y0, high.y1),
            field.path(), "cclp_scoreTwoSided_initOneSided");
    }
    cclp_scoreTwoSided_setPositionOffsets(&function, low.offset, high.offset);
    return function;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

const MethodInfo& readMethodName(const JsonField& field) {
    const std::string name = field.text();
    if (const MethodInfo* method = findMethod(name)) return *method;
    for (const MethodInfo& method : allMethods()) {
        if (sameIgnoringCase(method.name, name)) {
            field.fail("unknown score method " + inQuotes(name) + " (did you mean " +
                       inQuotes(method.name) + "?)");
        }
    }
    field.fail("unknown score method " + inQuotes(name) + " (known: " + knownMethodNames() + ")");
}

std::string_view functionWanted(const MethodInfo& method) {
    switch (method.function) {
        case FunctionKind::OneSided:
            return "oneSided";
        case FunctionKind::TwoSided:
            return "twoSided";
        default:
            return "oneSided or twoSided";
    }
}

cclp_score readScoreMethod(const JsonField& field) {
    field.allowOnly({"method", "oneSided", "twoSided"});
    const MethodInfo& method = readMethodName(field.member("method"));
    const std::optional<JsonField> oneSided = field.optionalMember("oneSided");
    const std::optional<JsonField> twoSided = field.optionalMember("twoSided");
    cclp_score score{};
    if (oneSided && twoSided) field.fail("give oneSided or twoSided, not both");
    if (twoSided) {
        const cclp_scoreTwoSided function = buildTwoSided(*twoSided, method);
        requireAccepted(cclp_score_initScoreMethodTwoSided(&score, methodNumber(method), &function),
                        twoSided->path(),
                        "cclp_score_initScoreMethodTwoSided for " + inQuotes(method.name));
        return score;
    }
    if (!oneSided && method.function != FunctionKind::None) {
        throw InputError(field.path() + "." + std::string(functionWanted(method)),
                         "missing field (" + inQuotes(method.name) + " scores through it)");
    }
    cclp_scoreOneSided function{};
    if (oneSided) {
        function = buildOneSided(*oneSided, method);
    } else {
        cclp_scoreOneSided_init(&function);
    }
    requireAccepted(cclp_score_initScoreMethodOneSided(&score, methodNumber(method), &function),
                    oneSided ? oneSided->path() : field.path(),
                    "cclp_score_initScoreMethodOneSided for " + inQuotes(method.name));
    return score;
}

// The image caliper a report recorded: its edges are the document's, so
// this is kept for the next report and the plot, not searched again.
ImageCaliper readImageCaliper(const JsonField& field) {
    field.allowOnly({"file", "caliper", "sigma", "minContrast"});
    const JsonField geometry = field.member("caliper");
    geometry.allowOnly({"x", "y", "angle", "length", "thickness"});
    return {field.member("file").text(),
            geometry.member("x").number(),
            geometry.member("y").number(),
            geometry.member("angle").number(),
            geometry.member("length").number(),
            geometry.member("thickness").number(),
            field.member("sigma").number(),
            field.member("minContrast").number()};
}

void readCaliper(const JsonField& caliper, Job& job, EdgeSource source) {
    caliper.allowOnly({"formats", "edges", "profile", "image"});
    if (std::optional<JsonField> image = caliper.optionalMember("image")) {
        job.image = readImageCaliper(*image);
    }
    job.formats = readFormats(caliper);
    if (source == EdgeSource::Document || caliper.optionalMember("edges")) readEdges(caliper, job);
    if (std::optional<JsonField> profile = caliper.optionalMember("profile")) {
        job.profile = readProfile(*profile);
    }
}

Expectation readExpectation(const JsonField& field) {
    field.allowOnly({"edges", "position", "tolerance"});
    Expectation expected;
    if (const std::optional<JsonField> edges = field.optionalMember("edges")) {
        for (const JsonField& edge : edges->elements()) {
            const int32_t index = edge.integer();
            if (index < 0) edge.fail("an edge index is 0 or more");
            expected.edges.push_back(static_cast<std::size_t>(index));
        }
        if (expected.edges.empty() || expected.edges.size() > 2) {
            edges->fail("give the winner's one or two edge indices");
        }
    }
    if (const std::optional<JsonField> position = field.optionalMember("position")) {
        expected.position = position->number();
        expected.tolerance = field.numberOr("tolerance", 0.0);
        if (!(expected.tolerance >= 0.0)) field.member("tolerance").fail("must be 0 or more");
    }
    if (expected.edges.empty() == !expected.position) {
        field.fail("give the expected winner's edges or its position, one of the two");
    }
    return expected;
}

void readParams(const JsonField& params, Job& job) {
    params.allowOnly({"desiredEdges", "scoreMethods", "maxNumResults", "sortByScore"});
    for (const JsonField& field : params.member("desiredEdges").elements()) {
        job.desiredEdges.push_back(readDesiredEdge(field));
    }
    for (const JsonField& field : params.member("scoreMethods").elements()) {
        job.scoreMethods.push_back(readScoreMethod(field));
    }
    if (std::optional<JsonField> field = params.optionalMember("maxNumResults")) {
        job.maxNumResults = field->integer();
    }
    if (std::optional<JsonField> field = params.optionalMember("sortByScore")) {
        job.sortByScore = field->boolean();
    }
}

}  // namespace

Job readJob(const nlohmann::json& document, EdgeSource source) {
    const JsonField root(document, "");
    // An earlier run's output can be fed back in: its run and results are
    // what this run recomputes, so they are ignored.
    root.allowOnly({"description", "caliper", "params", "expect", "run", "results"});
    Job job;
    if (std::optional<JsonField> description = root.optionalMember("description")) {
        job.description = description->text();
    }
    if (source == EdgeSource::Document) {
        readCaliper(root.member("caliper"), job, source);
    } else if (std::optional<JsonField> caliper = root.optionalMember("caliper")) {
        readCaliper(*caliper, job, source);
    }
    readParams(root.member("params"), job);
    if (std::optional<JsonField> expected = root.optionalMember("expect")) {
        job.expected = readExpectation(*expected);
    }
    return job;
}

std::string_view formatsName(uint32_t formats) {
    switch (formats) {
        case CCLP_FORMAT_DOUBLE:
            return "double";
        case CCLP_FORMAT_FIXED:
            return "fixed";
        default:
            return "both";
    }
}

std::string_view polarityName(int32_t polarity) {
    switch (polarity) {
        case cclp_polarityPositive:
            return "positive";
        case cclp_polarityNegative:
            return "negative";
        default:
            return "any";
    }
}

}  // namespace cclp_cli

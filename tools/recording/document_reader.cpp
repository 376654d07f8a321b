#include "recording/document_reader.hpp"

#include <string>

#include "json_field.hpp"
#include "recording/document_error.hpp"
#include "recording/document_file.hpp"
#include "recording/json_text.hpp"
#include "recording/method_table.hpp"
#include "recording/polarity.hpp"
#include "recording/run_inputs.hpp"
#include "recording/schema.hpp"

namespace cclp_recording {
namespace {

struct FunctionValues {
    double x0, x1, x2, y0, y1, offset;
};

std::string inQuotes(std::string_view text) { return "'" + std::string(text) + "'"; }

uint32_t readFormats(const JsonField& caliper) {
    const std::optional<JsonField> field = caliper.optionalMember(key::formats);
    if (!field) return CCLP_FORMAT_DOUBLE;
    const std::string name = field->text();
    for (uint32_t formats :
         {CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED, CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED}) {
        if (name == formatsName(formats)) return formats;
    }
    field->fail("unknown formats " + inQuotes(name) + " (known: double, fixed, both)");
}

Edge readEdge(const JsonField& field, bool& hasExtras) {
    field.allowOnly({key::position, key::contrast, key::extra1, key::extra2, key::extra3});
    Edge edge;
    edge.position = field.member(key::position).number();
    edge.contrast = field.member(key::contrast).number();
    for (auto [key, value] : {std::pair{key::extra1, &edge.extra1}, std::pair{key::extra2, &edge.extra2},
                              std::pair{key::extra3, &edge.extra3}}) {
        if (std::optional<JsonField> extra = field.optionalMember(key)) {
            *value = extra->number();
            hasExtras = true;
        }
    }
    return edge;
}

// The runs take the edges in array order and expect them along the caliper.
void readEdges(const JsonField& caliper, Recording& recording) {
    for (const JsonField& field : caliper.member(key::edges).elements()) {
        Edge edge = readEdge(field, recording.edgesHaveExtras);
        if (!recording.edges.empty() && edge.position < recording.edges.back().position) {
            throw InputError(field.path() + ".position",
                             cclp::score::edgeOrderText(recording.edges.size()));
        }
        recording.edges.push_back(edge);
    }
}

Profile readProfile(const JsonField& field) {
    field.allowOnly({key::start, key::step, key::values});
    Profile profile;
    profile.start = field.numberOr(key::start, 0.0);
    profile.step = field.numberOr(key::step, 1.0);
    if (!(profile.step > 0.0)) field.member(key::step).fail("the sample step must be positive");
    const JsonField values = field.member(key::values);
    for (const JsonField& value : values.elements()) profile.values.push_back(value.number());
    if (profile.values.size() < 2) values.fail("a profile needs at least two samples");
    return profile;
}

int32_t readPolarity(const JsonField& desired) {
    const std::optional<JsonField> field = desired.optionalMember(key::polarity);
    if (!field) return cclp_polarityAny;
    const std::string name = field->text();
    if (const std::optional<Polarity> polarity = polarityByName(name)) {
        return static_cast<int32_t>(*polarity);
    }
    field->fail("unknown polarity " + inQuotes(name) + " (known: " + knownPolarityNames() + ")");
}

cclp_desiredEdge readDesiredEdge(const JsonField& field) {
    field.allowOnly({key::position, key::polarity});
    cclp_desiredEdge desired{};
    desired.position = field.numberOr(key::position, 0.0);
    desired.polarity = readPolarity(field);
    return desired;
}

// Only offsetDist reads a reference position; on any other method an
// offset would be ignored without a word.
FunctionValues readFunctionValues(const JsonField& field, const MethodInfo& method) {
    field.allowOnly({key::x0, key::x1, key::x2, key::y0, key::y1, key::offset});
    if (const std::optional<JsonField> offset = field.optionalMember(key::offset);
        offset && methodNumber(method) != cclp_scoreMethodOffsetDist) {
        offset->fail("only offsetDist reads an offset; " + inQuotes(method.name) +
                     " would ignore it");
    }
    return {field.member(key::x0).number(), field.member(key::x1).number(),
            field.member(key::x2).number(), field.numberOr(key::y0, 1.0),
            field.numberOr(key::y1, 0.0),   field.numberOr(key::offset, 0.0)};
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
    field.allowOnly({key::low, key::high});
    const FunctionValues low = readFunctionValues(field.member(key::low), method);
    const FunctionValues high = readFunctionValues(field.member(key::high), method);
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

const MethodInfo& readMethodName(const JsonField& field) {
    const std::string name = field.text();
    if (const MethodInfo* method = findMethod(name)) return *method;
    field.fail(cclp::score::unknownMethodText(name));
}

std::string_view functionWanted(const MethodInfo& method) {
    switch (method.function) {
        case FunctionKind::OneSided:
            return key::oneSided;
        case FunctionKind::TwoSided:
            return key::twoSided;
        default:
            return "oneSided or twoSided";
    }
}

cclp_score readScoreMethod(const JsonField& field) {
    field.allowOnly({key::method, key::oneSided, key::twoSided});
    const MethodInfo& method = readMethodName(field.member(key::method));
    const std::optional<JsonField> oneSided = field.optionalMember(key::oneSided);
    const std::optional<JsonField> twoSided = field.optionalMember(key::twoSided);
    cclp_score score{};
    if (oneSided && twoSided) field.fail("give oneSided or twoSided, not both");
    if (const std::optional<JsonField>& given = oneSided ? oneSided : twoSided;
        given && method.function == FunctionKind::None) {
        given->fail(cclp::score::functionUnwantedText(method));
    }
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
    field.allowOnly({key::file, key::caliper, key::sigma, key::minContrast});
    const JsonField geometry = field.member(key::caliper);
    geometry.allowOnly({key::x, key::y, key::angle, key::length, key::thickness});
    return {field.member(key::file).text(),
            geometry.member(key::x).number(),
            geometry.member(key::y).number(),
            geometry.member(key::angle).number(),
            geometry.member(key::length).number(),
            geometry.member(key::thickness).number(),
            field.member(key::sigma).number(),
            field.member(key::minContrast).number()};
}

void readCaliper(const JsonField& caliper, Recording& recording, EdgeSource source) {
    caliper.allowOnly({key::formats, key::edges, key::profile, key::image});
    if (std::optional<JsonField> image = caliper.optionalMember(key::image)) {
        recording.image = readImageCaliper(*image);
    }
    recording.formats = readFormats(caliper);
    if (source == EdgeSource::Document || caliper.optionalMember(key::edges)) readEdges(caliper, recording);
    if (std::optional<JsonField> profile = caliper.optionalMember(key::profile)) {
        recording.profile = readProfile(*profile);
    }
}

Expectation readExpectation(const JsonField& field) {
    field.allowOnly({key::edges, key::position, key::tolerance});
    Expectation expected;
    if (const std::optional<JsonField> edges = field.optionalMember(key::edges)) {
        for (const JsonField& edge : edges->elements()) {
            const int32_t index = edge.integer();
            if (index < 0) edge.fail("an edge index is 0 or more");
            expected.edges.push_back(static_cast<std::size_t>(index));
        }
        if (expected.edges.empty() || expected.edges.size() > 2) {
            edges->fail("give the winner's one or two edge indices");
        }
    }
    if (const std::optional<JsonField> position = field.optionalMember(key::position)) {
        expected.position = position->number();
        expected.tolerance = field.numberOr(key::tolerance, 0.0);
        if (!(expected.tolerance >= 0.0)) field.member(key::tolerance).fail("must be 0 or more");
    }
    if (expected.edges.empty() == !expected.position) {
        field.fail("give the expected winner's edges or its position, one of the two");
    }
    return expected;
}

void readParams(const JsonField& params, Recording& recording) {
    params.allowOnly({key::desiredEdges, key::scoreMethods, key::maxNumResults, key::sortByScore});
    for (const JsonField& field : params.member(key::desiredEdges).elements()) {
        recording.desiredEdges.push_back(readDesiredEdge(field));
    }
    for (const JsonField& field : params.member(key::scoreMethods).elements()) {
        recording.scoreMethods.push_back(readScoreMethod(field));
    }
    if (std::optional<JsonField> field = params.optionalMember(key::maxNumResults)) {
        recording.maxNumResults = field->integer();
    }
    if (std::optional<JsonField> field = params.optionalMember(key::sortByScore)) {
        recording.sortByScore = field->boolean();
    }
}

}  // namespace

Recording readRecording(const nlohmann::json& document, EdgeSource source) {
    const JsonField root(document, "");
    // An earlier run's output can be fed back in: its run and results are
    // what this run recomputes, so they are ignored.
    root.allowOnly({key::description, key::caliper, key::params, key::expect, key::run, key::results});
    Recording recording;
    if (std::optional<JsonField> description = root.optionalMember(key::description)) {
        recording.description = description->text();
    }
    if (source == EdgeSource::Document) {
        readCaliper(root.member(key::caliper), recording, source);
    } else if (std::optional<JsonField> caliper = root.optionalMember(key::caliper)) {
        readCaliper(*caliper, recording, source);
    }
    readParams(root.member(key::params), recording);
    if (std::optional<JsonField> expected = root.optionalMember(key::expect)) {
        recording.expected = readExpectation(*expected);
    }
    return recording;
}

Profile readProfile(const nlohmann::json& json, const std::string& path) {
    return readProfile(JsonField(json, path));
}

ImageCaliper readImageCaliper(const nlohmann::json& json, const std::string& path) {
    return readImageCaliper(JsonField(json, path));
}

Expectation readExpectation(const nlohmann::json& json, const std::string& path) {
    return readExpectation(JsonField(json, path));
}

Recording loadRecording(std::string_view text) {
    Recording recording = readRecording(parseJsonText(text));
    checkRunInputs(recording);
    return recording;
}

Recording loadRecordingFile(const std::filesystem::path& path) {
    return loadRecording(readRecordingFileText(path));
}

}  // namespace cclp_recording

// Conversions between plain and extended scored results, for one record and
// for whole sets, and the assignments and copy constructions of both forms,
// over sources decoded from arbitrary bytes: any counts and formats, arrays
// present or missing (a count of 0 or less with an array, a positive count
// without one), sets whose count disagrees with a missing array; into
// destinations that may already hold results; with an injected allocation
// failure. Checked:
// - the status is 0, or the injected out-of-memory status;
// - the source is unchanged, and nothing leaks;
// - a copied record has the source's scalars and counts, and its arrays
//   are copies (never shared) exactly when the source has the array and a
//   positive count; edges keep position and contrast, extras become 0 on
//   the way to the extended form;
// - converting a set to the other form and back gives the original again;
// - a failed record copy claims no edges, no scores and no score; a failed
//   set copy counts exactly the records it built; a failed copy
//   construction leaves nothing to destroy;
// - self-assignment changes nothing and allocates nothing.
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "cclp_score/cclp_results.h"
#include "fuzz/fuzz_forms.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

using cclp::fuzz::Bytes;
using cclp::fuzz::describeRecord;
using cclp::fuzz::describeSet;
using cclp::fuzz::ExtendedForm;
using cclp::fuzz::PlainForm;
using cclp::fuzz::bytesOf;
using cclp::fuzz::copiedArrayMatches;
using cclp::fuzz::Injection;
using cclp::fuzz::readEdge;
using cclp::fuzz::underInjection;
using cclp::fuzz::sameBits;

// A source record's arrays live in these vectors; the module only reads them.
struct Storage {
    std::vector<std::vector<unsigned char>> blocks;

    template <class T>
    T* make(int32_t count) {
        blocks.emplace_back(static_cast<size_t>(count) * sizeof(T));
        return reinterpret_cast<T*>(blocks.back().data());
    }
};

// An array of the record's count, of another length, or none; its values
// from the bytes.
template <class T, class Fill>
T* readArray(FuzzedDataProvider& in, Storage& storage, int32_t count, Fill fill) {
    const int choice = in.ConsumeIntegralInRange<int>(0, 3);
    if (choice == 0) return nullptr;
    // A record with a count of 0 or less may still point at an array.
    const int32_t length = count > 0 ? count : in.ConsumeIntegralInRange<int32_t>(0, 2);
    T* array = storage.make<T>(length);
    for (int32_t i = 0; i < length; ++i) fill(array[i]);
    return array;
}

template <class Record>
void readRecord(FuzzedDataProvider& in, Storage& storage, Record& record) {
    using Edge = std::remove_pointer_t<decltype(record.edges)>;
    using EdgeFixed = std::remove_pointer_t<decltype(record.edgesFixed)>;
    std::memset(&record, 0, sizeof record);
    record.numScores = cclp::fuzz::readInt(in, -1, 5);
    record.formats = static_cast<uint32_t>(cclp::fuzz::readInt(in, 0, 3));
    record.numEdges = cclp::fuzz::readInt(in, -1, 3);
    record.position = cclp::fuzz::readDouble(in);
    record.positionFixed = in.ConsumeIntegral<int32_t>();
    record.score = cclp::fuzz::readDouble(in);
    record.scoreFixed = in.ConsumeIntegral<int32_t>();
    // Arrays only for counts that the bytes can fill; larger counts go
    // without.
    const int32_t scores = record.numScores;
    const int32_t edges = record.numEdges;
    if (scores <= 16) {
        record.scores = readArray<double>(in, storage, scores,
                                          [&in](double& v) { v = cclp::fuzz::readDouble(in); });
        record.scoresFixed = readArray<int32_t>(
            in, storage, scores, [&in](int32_t& v) { v = in.ConsumeIntegral<int32_t>(); });
    }
    if (edges <= 16) {
        record.edges = readArray<Edge>(in, storage, edges, [&in](Edge& e) { readEdge(in, e); });
        record.edgesFixed =
            readArray<EdgeFixed>(in, storage, edges, [&in](EdgeFixed& e) { readEdge(in, e); });
    }
}

// A set of records, or a missing array with any count.
template <class Set>
void readSet(FuzzedDataProvider& in, Storage& storage, Set& set) {
    using Record = std::remove_pointer_t<decltype(set.results)>;
    const int32_t count = in.ConsumeIntegralInRange<int32_t>(0, 5);
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) {
        set.results = nullptr;
        set.numResults = cclp::fuzz::readInt(in, -1, 5);
        return;
    }
    set.results = storage.make<Record>(count);
    for (int32_t r = 0; r < count; ++r) readRecord(in, storage, set.results[r]);
    set.numResults = in.ConsumeIntegralInRange<int>(0, 7) == 0 ? -count : count;
}

template <class To, class From>
void checkRecordCopied(const To& to, const From& from) {
    FUZZ_CHECK(to.numScores == from.numScores && to.numEdges == from.numEdges);
    FUZZ_CHECK(to.formats == from.formats);
    FUZZ_CHECK(sameBits(to.position, from.position) && to.positionFixed == from.positionFixed);
    FUZZ_CHECK(sameBits(to.score, from.score) && to.scoreFixed == from.scoreFixed);
    FUZZ_CHECK(copiedArrayMatches(to.scores, from.scores, from.numScores));
    FUZZ_CHECK(copiedArrayMatches(to.scoresFixed, from.scoresFixed, from.numScores));
    FUZZ_CHECK(copiedArrayMatches(to.edges, from.edges, from.numEdges));
    FUZZ_CHECK(copiedArrayMatches(to.edgesFixed, from.edgesFixed, from.numEdges));
}

template <class Set>
int32_t recordsIn(const Set& set) {
    return set.results == nullptr || set.numResults < 0 ? 0 : set.numResults;
}

// The conversions from the form of From to the form of To.
int32_t convertRecord(cclp_scoreOneResultEx* to, const cclp_scoreOneResult* from) {
    return cclp_scoreOneResultEx_assignToEx(to, from);
}
int32_t convertRecord(cclp_scoreOneResult* to, const cclp_scoreOneResultEx* from) {
    return cclp_scoreOneResultEx_assignFromEx(to, from);
}
int32_t convertSet(cclp_scoreResultSetEx* to, const cclp_scoreResultSet* from) {
    return cclp_scoreResultSetEx_assignToEx(to, from);
}
int32_t convertSet(cclp_scoreResultSet* to, const cclp_scoreResultSetEx* from) {
    return cclp_scoreResultSetEx_assignFromEx(to, from);
}

// A record copy (assignment or conversion) into a destination that may hold
// an earlier copy.
template <class ToForm, class From, class Copy>
void fuzzRecordCopy(FuzzedDataProvider& in, const From& source, Copy copy) {
    using Record = typename ToForm::Record;
    Record record;
    FUZZ_CHECK(ToForm::constructRecord(&record) == 0);
    if (in.ConsumeBool()) {
        Storage storage;
        Record earlier;
        readRecord(in, storage, earlier);
        FUZZ_CHECK(ToForm::assignRecord(&record, &earlier) == 0);
    }
    const int32_t status = underInjection(Injection::read(in), source, describeRecord<From>,
                                          [&] { return copy(&record, &source); });
    if (status < 0) {
        FUZZ_CHECK(record.numEdges == 0 && record.numScores == 0);
        FUZZ_CHECK(record.score == 0.0 && record.scoreFixed == 0);
    } else {
        checkRecordCopied(record, source);
    }
    FUZZ_CHECK(ToForm::destructRecord(&record) == 0);
}

// A set converted to the other form and back.
template <class FromForm, class ToForm>
void fuzzSetRoundTrip(FuzzedDataProvider& in, const typename FromForm::Set& source) {
    using To = typename ToForm::Set;
    using From = typename FromForm::Set;
    To converted;
    FUZZ_CHECK(ToForm::construct(&converted) == 0);
    if (in.ConsumeBool()) {
        Storage storage;
        To earlier{};
        readSet(in, storage, earlier);
        FUZZ_CHECK(ToForm::assign(&converted, &earlier) == 0);
    }
    const int32_t status = underInjection(Injection::read(in), source, describeSet<From>,
                                          [&] { return convertSet(&converted, &source); });
    const int32_t expected = recordsIn(source);
    if (status < 0) {
        FUZZ_CHECK(converted.numResults >= 0 && converted.numResults <= expected);
    } else {
        FUZZ_CHECK(converted.numResults == expected);
    }
    for (int32_t r = 0; r < converted.numResults; ++r) {
        checkRecordCopied(converted.results[r], source.results[r]);
    }
    if (status == 0) {
        From back;
        FUZZ_CHECK(FromForm::construct(&back) == 0);
        const int32_t backStatus = underInjection(Injection::read(in), converted, describeSet<To>,
                                                  [&] { return convertSet(&back, &converted); });
        if (backStatus == 0) {
            FUZZ_CHECK(back.numResults == expected);
            for (int32_t r = 0; r < expected; ++r) {
                // Extras do not survive the plain form; everything else does.
                checkRecordCopied(back.results[r], converted.results[r]);
                FUZZ_CHECK(back.results[r].numEdges == source.results[r].numEdges);
            }
        }
        FUZZ_CHECK(FromForm::destruct(&back) == 0);
    }
    FUZZ_CHECK(ToForm::destruct(&converted) == 0);
}

// Assignment and copy construction of a set in its own form.
template <class Form>
void fuzzSetCopies(FuzzedDataProvider& in, const typename Form::Set& source) {
    using Set = typename Form::Set;
    Set copy;
    FUZZ_CHECK(Form::construct(&copy) == 0);
    const int32_t status = underInjection(Injection::read(in), source, describeSet<Set>,
                                          [&] { return Form::assign(&copy, &source); });
    const int32_t expected = recordsIn(source);
    FUZZ_CHECK(status < 0 ? copy.numResults <= expected : copy.numResults == expected);
    for (int32_t r = 0; r < copy.numResults; ++r) {
        checkRecordCopied(copy.results[r], source.results[r]);
    }
    cclp::fuzz::checkSelfAssignment(copy, describeSet<Set>, Form::assign);
    if (copy.numResults > 0) {
        cclp::fuzz::checkSelfAssignment(copy.results[0], describeRecord<typename Form::Record>,
                                        Form::assignRecord);
    }
    FUZZ_CHECK(Form::destruct(&copy) == 0);

    cclp::fuzz::checkConstructCopy(in, source, describeSet<Set>, Form::constructCopy,
                                   Form::destruct, [&](const Set& constructed) {
                                       FUZZ_CHECK(constructed.numResults == expected);
                                   });
}

template <class Form, class Other>
void fuzzForm(FuzzedDataProvider& in) {
    Storage storage;
    typename Form::Set source{};
    readSet(in, storage, source);
    const int32_t records = recordsIn(source);
    if (records > 0) {
        const auto& record = source.results[in.ConsumeIntegralInRange<int32_t>(0, records - 1)];
        fuzzRecordCopy<Other>(in, record,
                              [](auto* to, const auto* from) { return convertRecord(to, from); });
        fuzzRecordCopy<Form>(in, record, Form::assignRecord);
        cclp::fuzz::checkConstructCopy(
            in, record, describeRecord<typename Form::Record>, Form::constructCopyRecord,
            Form::destructRecord, [&](const auto& copy) { checkRecordCopied(copy, record); });
    }
    fuzzSetRoundTrip<Form, Other>(in, source);
    fuzzSetCopies<Form>(in, source);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    cclp::fuzz::NoLeaks noLeaks;
    if (in.ConsumeBool()) {
        fuzzForm<PlainForm, ExtendedForm>(in);
    } else {
        fuzzForm<ExtendedForm, PlainForm>(in);
    }
    return 0;
}

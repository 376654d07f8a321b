// The four vector families, typed and shareable, under random sequences of
// their exported members, each call with one of its first allocations
// failing or none. Every vector is held against a model of its elements:
// new elements are fresh records, copies carry the source's elements in
// arrays of their own, a call succeeds or reports only the injected failure,
// a failed new or newClone leaves the pointer null, nothing leaks. Each input
// ends with the shareable family's name queries and the never-called member
// that references every other one.
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "cclp_score/cclp_vectors.h"
#include "fuzz_support.hpp"

namespace {

using namespace cclp::fuzz;
constexpr double kFresh = -1.0;

// Per element type: fill(record, seed) makes a record whose key() is seed
// (>= 0) and that owns an array where its type has one; key() of a record as
// the family's construct leaves it is kFresh.
template <class E>
struct Element;
template <>
struct Element<cclp_score> {
    static void fill(cclp_score& score, int32_t seed) {
        cclp_scoreOneSided f;
        FUZZ_CHECK(cclp_scoreOneSided_initValues(&f, seed, seed + 1.0, seed + 2.0, 1, 0) == 0);
        FUZZ_CHECK(cclp_score_initScoreMethodOneSided(&score, cclp_scoreMethodPos, &f) == 0);
    }
    static double key(const cclp_score& s) {
        return s.method == cclp_scoreMethodContrast ? kFresh : s.oneSided.x0;
    }
    static const void* array(const cclp_score&) { return nullptr; }
};
template <>
struct Element<cclp_scoreParams> {
    static void fill(cclp_scoreParams& params, int32_t seed) {
        const cclp_desiredEdge edges[2] = {{0.0, 1}, {10.0 + seed, 2}};
        FUZZ_CHECK(cclp_scoreParams_setDesiredEdges(&params, 2, edges) == 0);
        FUZZ_CHECK(cclp_scoreParams_setMaxNumResults(&params, 1 + seed) == 0);
    }
    static double key(const cclp_scoreParams& p) {
        const bool fresh = p.numDesiredEdges == 1 && p.maxNumResults == 1 &&
                           p.numScoreMethods == 1 &&
                           p.scoreMethods[0].method == cclp_scoreMethodContrast;
        return fresh ? kFresh : p.maxNumResults - 1;
    }
    static const void* array(const cclp_scoreParams& p) { return p.desiredEdges; }
};
template <>
struct Element<cclp_scoreResultSet> {
    // One result with one score, as a run leaves it.
    static void fill(cclp_scoreResultSet& set, int32_t seed) {
        FUZZ_CHECK(cclp_scoreResultSet_reset(&set) == 0);
        set.results = allocateZeroed<cclp_scoreOneResult>(1);
        FUZZ_CHECK(cclp_scoreOneResult_construct(&set.results[0]) == 0);
        set.numResults = set.results[0].numScores = 1;
        set.results[0].formats = CCLP_FORMAT_DOUBLE;
        set.results[0].position = seed;
        set.results[0].scores = allocateZeroed<double>(1);
    }
    static double key(const cclp_scoreResultSet& s) {
        return s.numResults == 0 ? kFresh : s.results[0].position;
    }
    static const void* array(const cclp_scoreResultSet& s) { return s.results; }
};
template <>
struct Element<cclp_resultSetEx> {
    static void fill(cclp_resultSetEx& set, int32_t seed) {
        FUZZ_CHECK(cclp_resultSetEx_destruct(&set) == 0 && cclp_resultSetEx_construct(&set) == 0);
        set.numEdges = 1 + seed;
        set.formats = CCLP_FORMAT_DOUBLE;
        set.edges = allocateZeroed<cclp_edgeEx>(set.numEdges);
    }
    static double key(const cclp_resultSetEx& s) {
        const bool fresh =
            s.numEdges == 0 && s.edges == nullptr && s.projectionImage.pixels == nullptr;
        return fresh ? kFresh : s.numEdges - 1;
    }
    static const void* array(const cclp_resultSetEx& s) { return s.edges; }
};

// Each family's members, typed and shareable, gathered from cclp_vectors.h
// (outside the anonymous namespace: a family's members are not all called).
}  // namespace
namespace cclp::fuzz {
template <class E>
struct Family;
#define CCLP_FUZZ_TYPED_(family, member, parameters, arguments, zeros) \
    static constexpr auto member = &cstd_vector_cclp_##family##_##member;
#define CCLP_FUZZ_SHAREABLE_(family, member, parameters, arguments) \
    static constexpr auto member = &cstd_vector_cclp_##family##Shareable_##member;
#define CCLP_FUZZ_FAMILY_(family)                                                         \
    template <>                                                                           \
    struct Family<cclp_##family> {                                                        \
        using Vector = cstd_vector_cclp_##family;                                         \
        CSTD_VECTOR_CCLP_TYPED_MEMBERS(CCLP_FUZZ_TYPED_, family, Vector, cclp_##family)   \
        static constexpr auto create = &cstd_vector_cclp_##family##_new;                  \
        static constexpr auto destroy = &cstd_vector_cclp_##family##_delete;              \
        static constexpr auto unused = &cstd_vector_cclp_##family##___unused__;           \
        struct Shareable {                                                                \
            using Vector = cstd_vector_cclp_##family##Shareable;                          \
            static constexpr const char* typeName = CSTD_VECTOR_CCLP_TYPENAME(family);    \
            CSTD_VECTOR_CCLP_SHAREABLE_MEMBERS(CCLP_FUZZ_SHAREABLE_, family, Vector,      \
                                               cstd_vector_cclp_##family, cclp_##family)  \
            static constexpr auto create = &cstd_vector_cclp_##family##Shareable_new;     \
            static constexpr auto destroy = &cstd_vector_cclp_##family##Shareable_delete; \
        };                                                                                \
    };
CSTD_VECTOR_CCLP_FAMILIES(CCLP_FUZZ_FAMILY_)
#undef CCLP_FUZZ_FAMILY_
}  // namespace cclp::fuzz
namespace {

using Keys = std::vector<double>;

// The keys of a vector's elements; no array is owned by two elements of the
// vectors read with the same `arrays`.
template <class E, class Api>
Keys keysOf(typename Api::Vector& vector, std::set<const void*>* arrays = nullptr) {
    std::set<const void*> own;
    const E* begin = nullptr;
    int32_t size = -1;
    FUZZ_CHECK(Api::getBeginSizeConst(&vector, &begin, &size) == 0 && size >= 0);
    Keys keys;
    for (int32_t i = 0; i < size; ++i) {
        keys.push_back(Element<E>::key(begin[i]));
        const void* array = Element<E>::array(begin[i]);
        FUZZ_CHECK(array == nullptr || (arrays != nullptr ? *arrays : own).insert(array).second);
    }
    return keys;
}

// A call with its k-th allocation failing, once or from then on, or none;
// it succeeds or reports the failure.
template <class Call>
int32_t injected(FuzzedDataProvider& in, Call call) {
    Injection injection;
    injection.kind = static_cast<Injection::Kind>(in.ConsumeIntegralInRange<int>(0, 2));
    injection.k = in.ConsumeIntegralInRange<int32_t>(1, 6);
    int32_t status;
    {
        Armed armed(injection);
        status = call();
    }
    FUZZ_CHECK(status == 0 || (injection.allocation() && status == CSYS_STATUS_OUT_OF_MEMORY));
    return status;
}

// A call that is refused for a null argument, with one assertion.
#define CCLP_FUZZ_NULL_REFUSED(call)                                 \
    do {                                                             \
        const int64_t assertions = csys_testing_assertionCount();    \
        FUZZ_CHECK((call) == CSYS_STATUS_NULL_ARGUMENT);             \
        FUZZ_CHECK(csys_testing_assertionCount() == assertions + 1); \
    } while (0)

// new, newClone and delete of either kind over `source` holding `keys`.
template <class E, class Api>
void heapLifecycle(FuzzedDataProvider& in, const typename Api::Vector& source, const Keys& keys) {
    typename Api::Vector* held = nullptr;
    if (injected(in, [&] { return Api::create(&held); }) < 0 ||
        injected(in, [&] { return Api::newClone(&held, &source); }) < 0) {
        FUZZ_CHECK(held == nullptr);
        return;
    }
    int32_t size = -1;
    FUZZ_CHECK(Api::newClone(&held, held) == 0 && (keysOf<E, Api>(*held) == keys));
    FUZZ_CHECK(Api::getSize(held, &size) == 0 && size == static_cast<int32_t>(keys.size()));
    if (in.ConsumeBool()) FUZZ_CHECK(Api::destroy(&held) == 0 && held == nullptr);
    FUZZ_CHECK(Api::newClone(&held, nullptr) == 0 && held == nullptr && Api::destroy(&held) == 0);
    CCLP_FUZZ_NULL_REFUSED(Api::newClone(nullptr, &source));
}

// The shareable vector answers its own name with itself and passes other
// names to the base, which knows the vector names but not another family's.
template <class E, class Api = typename Family<E>::Shareable>
void checkNames(typename Api::Vector& shareable) {
    const char* name = nullptr;
    FUZZ_CHECK(Api::getTypename(nullptr, &name) == 0 && std::strcmp(name, Api::typeName) == 0);
    const std::pair<const char*, void*> answers[] = {
        {name, &shareable},
        {std::is_same_v<E, cclp_score> ? CSTD_VECTOR_CCLP_TYPENAME(scoreParams)
                                       : CSTD_VECTOR_CCLP_TYPENAME(score),
         nullptr},
        {CSTD_VECTOR_SHAREABLE_TYPENAME, &shareable},
        {CSTD_VECTOR_TYPENAME, &shareable.base.vector}};
    for (const auto& [asked, expected] : answers) {
        void* object = &shareable;
        FUZZ_CHECK(Api::queryInterfaceByTypename(&shareable, asked, &object) == 0 &&
                   object == expected);
    }
    void* object = &shareable;
    FUZZ_CHECK(Api::queryInterfaceByTypenameFinal(nullptr, name, &object) == 0 &&
               object == nullptr);
    CCLP_FUZZ_NULL_REFUSED(Api::queryInterfaceByTypename_(&shareable, nullptr, &object));
    CCLP_FUZZ_NULL_REFUSED(Api::getTypename(nullptr, nullptr));
    FUZZ_CHECK(Api::construct(nullptr, 2) == CSYS_STATUS_NULL_ARGUMENT);
}

template <class E>
void run(FuzzedDataProvider& in) {
    using Api = Family<E>;
    using Shared = typename Api::Shareable;
    typename Api::Vector vectors[2];
    typename Shared::Vector shareable;
    Keys models[2], shared;
    for (auto& vector : vectors) FUZZ_CHECK(Api::constructEmpty(&vector) == 0);
    FUZZ_CHECK(Shared::constructEmpty(&shareable) == 0);
    while (in.remaining_bytes() > 0) {
        // Appending a vector to itself doubles it: past a few dozen elements an
        // input only costs memory and finds nothing new.
        if (models[0].size() + models[1].size() > 128) break;
        const int which = in.ConsumeIntegralInRange<int>(0, 1);
        typename Api::Vector& vector = vectors[which];
        Keys& model = models[which];
        // The source of copies: the other vector, or this one itself.
        const int from = in.ConsumeBool() ? which : 1 - which;
        typename Api::Vector& source = vectors[from];
        const Keys before = model, sourceKeys = models[from];
        const int32_t n = in.ConsumeIntegralInRange<int32_t>(0, 5);
        const auto size = static_cast<int32_t>(model.size());
        const E* first = nullptr;
        const E* last = nullptr;
        const E* begin = nullptr;
        FUZZ_CHECK(Api::getBeginEndConst(&vector, &begin, &last) == 0);
        FUZZ_CHECK(Api::getBeginEndConst(&source, &first, &last) == 0);
        int32_t status = 0;
        bool grows = true;  // a failure leaves the vector as it was, storage included
        switch (in.ConsumeIntegralInRange<int>(0, 12)) {
            case 0:
                status = injected(in, [&] { return Api::resize(&vector, n); });
                model.resize(static_cast<size_t>(n), kFresh);
                break;
            case 1:
                status = injected(
                    in, [&] { return Api::insert(&vector, std::min(n, size), first, last); });
                model.insert(model.begin() + std::min(n, size), sourceKeys.begin(),
                             sourceKeys.end());
                break;
            case 2:
                if (first == last) break;
                status = injected(in, [&] { return Api::pushBack(&vector, first); });
                model.push_back(sourceKeys[0]);
                break;
            case 3:
                status = injected(in, [&] { return Api::append(&vector, &source); });
                model.insert(model.end(), sourceKeys.begin(), sourceKeys.end());
                break;
            case 4:
                grows = false;
                status = injected(in, [&] { return Api::assign(&vector, &source); });
                model = sourceKeys;
                break;
            case 5: {
                typename Api::Vector copy{};
                if (injected(in, [&] { return Api::constructCopy(&copy, &source); }) == 0) {
                    FUZZ_CHECK((keysOf<E, Api>(copy) == sourceKeys));
                }
                FUZZ_CHECK(Api::destruct(&copy) == 0);
                break;
            }
            case 6:
                if (n >= size) break;
                E* element;
                FUZZ_CHECK(Api::getElement(&vector, n, &element) == 0);
                Element<E>::fill(*element, in.ConsumeIntegralInRange<int32_t>(0, 9));
                model[static_cast<size_t>(n)] = Element<E>::key(*element);
                break;
            case 7:
                if (n < size) FUZZ_CHECK(Api::erase(&vector, n, std::min(2, size - n)) == 0);
                if (n < size)
                    model.erase(model.begin() + n, model.begin() + n + std::min(2, size - n));
                if (!model.empty()) FUZZ_CHECK(Api::popBack(&vector) == 0);
                if (!model.empty()) model.pop_back();
                if (in.ConsumeBool()) FUZZ_CHECK(Api::clear(&vector) == 0);
                model = keysOf<E, Api>(vector);
                break;
            case 8:
                FUZZ_CHECK(Shared::destruct(&shareable) == 0);
                shared = Keys(static_cast<size_t>(n), kFresh);
                if (injected(in, [&] { return Shared::construct(&shareable, n); }) < 0) {
                    FUZZ_CHECK(Shared::destruct(&shareable) == 0 &&
                               Shared::constructEmpty(&shareable) == 0);
                    shared.clear();
                }
                break;
            case 9:
                if (injected(in, [&] { return Shared::assignVector(&shareable, &vector); }) < 0) {
                    shared = keysOf<E, Shared>(shareable);
                } else {
                    shared = before;
                }
                break;
            case 10:
                if (first == last) break;
                if (injected(in, [&] { return Shared::pushBack(&shareable, first); }) == 0) {
                    shared.push_back(sourceKeys[0]);
                }
                break;
            default:
                heapLifecycle<E, Api>(in, vector, before);
                heapLifecycle<E, Shared>(in, shareable, shared);
        }
        if (status < 0 && grows) {
            model = before;
            const E* now = nullptr;
            FUZZ_CHECK(Api::getBeginEndConst(&vector, &now, &last) == 0);
            FUZZ_CHECK(now == begin);
        }
        if (status < 0 && !grows) model = keysOf<E, Api>(vector);
        std::set<const void*> arrays;
        FUZZ_CHECK((keysOf<E, Api>(vectors[0], &arrays) == models[0]));
        FUZZ_CHECK((keysOf<E, Api>(vectors[1], &arrays) == models[1]));
        FUZZ_CHECK((keysOf<E, Shared>(shareable, &arrays) == shared));
    }
    checkNames<E>(shareable);
    FUZZ_CHECK(Shared::destruct(&shareable) == 0);
    for (auto& vector : vectors) FUZZ_CHECK(Api::destruct(&vector) == 0);
    const int64_t assertions = csys_testing_assertionCount();
    Api::unused();
    FUZZ_CHECK(csys_testing_assertionCount() > assertions + 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const NoLeaks noLeaks;
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: run<cclp_score>(in); break;
        case 1: run<cclp_scoreParams>(in); break;
        case 2: run<cclp_scoreResultSet>(in); break;
        default: run<cclp_resultSetEx>(in); break;
    }
    return 0;
}

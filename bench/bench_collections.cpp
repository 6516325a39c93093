// Removing one array's elements from another and the set operations, on 100k distinct strings
// each (half of them shared), beside the same work on QList + QSet<QString>; and each figure at
// twice the input, at that size and at one that stays in the caches. After the table: ours over the anchor (goal at most 1.5) and time(2n) over
// time(n) (goal at most 2.2), from the fastest of the repetitions.
#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSArrayAdditions.h"
#include "Foundation_Additions/NSCollection/TzNSSetAdditions.h"

#include <benchmark/benchmark.h>

#include <QList>
#include <QSet>

#include <cstdio>
#include <malloc.h>
#include <map>

namespace {

constexpr qsizetype elements = 100'000;
// Small enough for both inputs and the result to stay in the caches at both sizes, so that the
// ratio shows the algorithm rather than the memory hierarchy.
constexpr qsizetype cachedElements = 2'000;

// n texts starting at first: "element 50000", ...
QList<QString> texts(qsizetype first, qsizetype n)
{
    QList<QString> list;
    list.reserve(n);
    for (qsizetype i = first; i < first + n; ++i)
        list.append(QStringLiteral("element %1").arg(i));
    return list;
}

QList<tz::Id> objects(const QList<QString>& list)
{
    QList<tz::Id> result;
    result.reserve(list.size());
    for (const QString& s : list)
        result.append(tz::str(s));
    return result;
}

// The receiver's texts and the argument's, which share half of them.
struct Input
{
    explicit Input(qsizetype n) : left(texts(0, n)), right(texts(n / 2, n)) {}
    QList<QString> left;
    QList<QString> right;
};

const Input& input(qsizetype n)
{
    static std::map<qsizetype, Input> cache;
    return cache.try_emplace(n, n).first->second;
}

// A set as the anchor keeps it: the members in order and their hash.
struct OrderedSet
{
    QList<QString> list;
    QSet<QString> members;
    void add(const QString& s)
    {
        if (!members.contains(s)) {
            members.insert(s);
            list.append(s);
        }
    }
};

OrderedSet orderedSet(const QList<QString>& list)
{
    OrderedSet set;
    set.list.reserve(list.size());
    set.members.reserve(list.size());
    for (const QString& s : list)
        set.add(s);
    return set;
}

void count(benchmark::State& state, qsizetype n)
{
    state.SetItemsProcessed(std::int64_t(state.iterations()) * n * 2);
}

void BM_removeObjectsInArray_ours(benchmark::State& state)
{
    const auto& in = input(state.range(0));
    const auto left = tz::Array::make(objects(in.left));
    const auto right = tz::Array::make(objects(in.right));
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::arrayByRemovingObjectsInArray(left, right));
    count(state, state.range(0));
}
void BM_removeObjectsInArray_QListQSet(benchmark::State& state)
{
    const auto& in = input(state.range(0));
    for (auto _ : state) {
        QSet<QString> doomed;
        doomed.reserve(in.right.size());
        for (const QString& s : in.right)
            doomed.insert(s);
        QList<QString> kept = in.left;
        kept.removeIf([&](const QString& s) { return doomed.contains(s); });
        benchmark::DoNotOptimize(kept);
    }
    count(state, state.range(0));
}

template <typename Ours, typename Anchor>
void runSets(benchmark::State& state, bool ours, Ours oursOp, Anchor anchorOp)
{
    const auto& in = input(state.range(0));
    if (ours) {
        const auto left = tz::Set::make(objects(in.left));
        const auto right = tz::Set::make(objects(in.right));
        for (auto _ : state)
            benchmark::DoNotOptimize(oursOp(left, right));
    } else {
        const OrderedSet left = orderedSet(in.left);
        const OrderedSet right = orderedSet(in.right);
        for (auto _ : state) {
            OrderedSet result = anchorOp(left, right);
            benchmark::DoNotOptimize(result);
        }
    }
    count(state, state.range(0));
}

OrderedSet anchorIntersection(const OrderedSet& a, const OrderedSet& b)
{
    OrderedSet r;
    for (const QString& s : a.list) {
        if (b.members.contains(s))
            r.add(s);
    }
    return r;
}
OrderedSet anchorSubtraction(const OrderedSet& a, const OrderedSet& b)
{
    OrderedSet r;
    for (const QString& s : a.list) {
        if (!b.members.contains(s))
            r.add(s);
    }
    return r;
}
OrderedSet anchorUnion(const OrderedSet& a, const OrderedSet& b)
{
    OrderedSet r;
    r.list.reserve(a.list.size() + b.list.size());
    r.members.reserve(a.list.size() + b.list.size());
    for (const QString& s : a.list)
        r.add(s);
    for (const QString& s : b.list)
        r.add(s);
    return r;
}

void BM_intersection_ours(benchmark::State& s)
{
    runSets(s, true, tz::setByIntersectionWithSet, anchorIntersection);
}
void BM_intersection_QListQSet(benchmark::State& s)
{
    runSets(s, false, tz::setByIntersectionWithSet, anchorIntersection);
}
void BM_subtraction_ours(benchmark::State& s)
{
    runSets(s, true, tz::setBySubtractingSet, anchorSubtraction);
}
void BM_subtraction_QListQSet(benchmark::State& s)
{
    runSets(s, false, tz::setBySubtractingSet, anchorSubtraction);
}
void BM_union_ours(benchmark::State& s)
{
    runSets(s, true, tz::setByUnionWithSet, anchorUnion);
}
void BM_union_QListQSet(benchmark::State& s)
{
    runSets(s, false, tz::setByUnionWithSet, anchorUnion);
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration)
                continue;
            const std::string name = r.run_name.function_name + '/' + r.run_name.args;
            const double time = r.GetAdjustedCPUTime();
            const auto known = _times.find(name);
            _times[name] = known == _times.end() ? time : std::min(known->second, time);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const std::string once = '/' + std::to_string(elements);
        std::printf("\nours / QList+QSet at n = %lld (goal: at most 1.5):\n", (long long)elements);
        for (const char* op : {"removeObjectsInArray", "intersection", "subtraction", "union"}) {
            const std::string base = std::string("BM_") + op;
            std::printf("  %-22s %.2f\n", op, time(base + "_ours" + once) / time(base + "_QListQSet" + once));
        }
        for (const qsizetype n : {elements, cachedElements}) {
            const std::string once = '/' + std::to_string(n);
            const std::string twice = '/' + std::to_string(2 * n);
            std::printf("\ntime(2n) / time(n), n = %lld (goal: at most 2.2):\n", (long long)n);
            for (const char* op : {"removeObjectsInArray", "intersection", "subtraction", "union"}) {
                const std::string base = std::string("BM_") + op;
                std::printf("  %-22s ours %.2f   QList+QSet %.2f\n", op,
                            time(base + "_ours" + twice) / time(base + "_ours" + once),
                            time(base + "_QListQSet" + twice) / time(base + "_QListQSet" + once));
            }
        }
    }

private:
    double time(const std::string& name) const
    {
        const auto it = _times.find(name);
        return it == _times.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> _times;
};

} // namespace

// A warm-up run of each before the measured ones.
#define TZ_SIZES(name) \
    BENCHMARK(name) \
        ->Arg(elements) \
        ->Arg(2 * elements) \
        ->Arg(cachedElements) \
        ->Arg(2 * cachedElements) \
        ->Unit(benchmark::kMillisecond) \
        ->MinWarmUpTime(0.2) \
        ->Repetitions(5)
TZ_SIZES(BM_removeObjectsInArray_ours);
TZ_SIZES(BM_removeObjectsInArray_QListQSet);
TZ_SIZES(BM_intersection_ours);
TZ_SIZES(BM_intersection_QListQSet);
TZ_SIZES(BM_subtraction_ours);
TZ_SIZES(BM_subtraction_QListQSet);
TZ_SIZES(BM_union_ours);
TZ_SIZES(BM_union_QListQSet);

int main(int argc, char** argv)
{
    // Freed blocks stay in the heap, so fresh mappings' page faults stay out of the loop.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

// Building styled text piece by piece and reading its runs, each beside the plain-QString anchor
// doing the same character work. Both should grow linearly with the number of pieces.
#include "Foundation_Additions/NSAttributedString/TzNSAttributedComponentsJoinedByString.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringAdditions.h"

#include <QColor>

#include <benchmark/benchmark.h>

namespace {

const tz::Attributes blue{{tz::ForegroundColorAttributeName, QColor(Qt::blue)}};
const QString name = QStringLiteral("MediaSessionCount");
const QString value = QStringLiteral(": 1\n");

// Lines of a blue name and a plain value, as the details pane builds them.
void appendLines(benchmark::State& state)
{
    for (auto _ : state) {
        tz::MutableAttributedString text;
        for (int64_t i = 0; i < state.range(0); ++i) {
            text.appendString(name, blue);
            text.appendString(value);
        }
        benchmark::DoNotOptimize(text);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(appendLines)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

void anchorAppendPlainLines(benchmark::State& state)
{
    for (auto _ : state) {
        QString text;
        for (int64_t i = 0; i < state.range(0); ++i) {
            text.append(name);
            text.append(value);
        }
        benchmark::DoNotOptimize(text);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(anchorAppendPlainLines)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

void joinComponents(benchmark::State& state)
{
    const QList<tz::AttributedString> parts(state.range(0), tz::AttributedString(name, blue));
    const tz::AttributedString separator(value);
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::attributedComponentsJoinedByString(parts, separator));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(joinComponents)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

void anchorJoinPlain(benchmark::State& state)
{
    const QStringList parts(state.range(0), name);
    for (auto _ : state)
        benchmark::DoNotOptimize(parts.join(value));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(anchorJoinPlain)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

void attributesOfAllRuns(benchmark::State& state)
{
    const QList<tz::AttributedString> parts(state.range(0), tz::AttributedString(name, blue));
    const tz::AttributedString text = tz::attributedComponentsJoinedByString(parts, value);
    const tz::Range all{0, quint32(text.length())};
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::attributesInRange(text, all));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(attributesOfAllRuns)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oNLogN);

} // namespace

BENCHMARK_MAIN();

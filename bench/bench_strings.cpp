// String toolkit figures, each beside its Qt anchor on the same input in the same run, and the
// linearity of the substring and agreement searches (time at 2n over time at n, input made of
// long runs of one letter). The ratios are printed after the table.
#include "Foundation_Additions/NSString/TzNSStringComponentsSeparatedByCharactersFromSet.h"
#include "Foundation_Additions/NSString/TzNSStringLinesFromString.h"
#include "Foundation_Additions/NSString/TzNSStringMiscTrimming.h"
#include "Foundation_Additions/NSString/TzNSStringRangesInCommon.h"
#include "Foundation_Additions/NSString/TzNSStringRangesOfString.h"

#include <QRandomGenerator>
#include <QStringTokenizer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

constexpr qsizetype textUnits = 32 * 1024 * 1024; // 64 MiB of UTF-16
// Small enough for text and result to stay in cache at both sizes, so that the ratio shows the
// algorithm rather than the memory hierarchy. Every benchmark repeats three times and the fastest
// repetition counts, so the first one serves as the warm-up.
constexpr qsizetype linearUnits = 1024 * 1024;

// Words of 1 to 9 letters, each followed by a separator of 1 to 3 units picked by separator().
template <typename Separator>
QString makeText(Separator separator)
{
    QRandomGenerator random(42);
    QString text;
    text.reserve(textUnits + 16);
    while (text.size() < textUnits) {
        const int letters = 1 + int(random.bounded(9));
        for (int i = 0; i < letters; ++i)
            text.append(QChar(u'a' + char16_t(random.bounded(26))));
        text.append(separator(random));
    }
    return text;
}

const QString& spacedText()
{
    static const QString text = makeText([](QRandomGenerator& r) { return QString(1 + int(r.bounded(3)), u' '); });
    return text;
}

const QString& commaText()
{
    static const QString text =
        makeText([](QRandomGenerator& r) { return r.bounded(4) == 0 ? QStringLiteral(",,") : QStringLiteral(","); });
    return text;
}

const QString& lineText()
{
    static const QString text =
        makeText([](QRandomGenerator& r) { return r.bounded(6) == 0 ? QStringLiteral("\n") : QStringLiteral(" "); });
    return text;
}

const QString& paddedText()
{
    static const QString text = QStringLiteral(" \t\n ") + spacedText() + QStringLiteral("\n \t ");
    return text;
}

const tz::CharacterSet& spaceSet()
{
    static const tz::CharacterSet set = tz::CharacterSet::fromCharacters(u" ");
    return set;
}

const tz::CharacterSet& commaSet()
{
    static const tz::CharacterSet set = tz::CharacterSet::fromCharacters(u",");
    return set;
}

// The tokenizer's pieces as owned strings, as the other splitters return them.
QStringList tokens(const QString& text, QChar separator, Qt::SplitBehavior behavior = Qt::KeepEmptyParts)
{
    QStringList list;
    for (const QStringView piece : QStringTokenizer(text, separator, behavior))
        list.append(piece.toString());
    return list;
}

template <typename Work>
void run(benchmark::State& state, const QString& input, Work work)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(work(input));
    state.SetBytesProcessed(state.iterations() * input.size() * qsizetype(sizeof(QChar)));
}

// Splitting at runs of spaces.
void BM_splitRuns_ours(benchmark::State& s)
{
    run(s, spacedText(), [](const QString& t) { return tz::componentsSeparatedByCharactersFromSet(t, spaceSet()); });
}
void BM_splitRuns_QStringSplit(benchmark::State& s)
{
    run(s, spacedText(), [](const QString& t) { return t.split(u' ', Qt::SkipEmptyParts); });
}
void BM_splitRuns_QStringTokenizer(benchmark::State& s)
{
    run(s, spacedText(), [](const QString& t) { return tokens(t, u' ', Qt::SkipEmptyParts); });
}

// Splitting at single commas.
void BM_splitSingle_ours(benchmark::State& s)
{
    run(s, commaText(), [](const QString& t) { return tz::componentsSeparatedByACharacterFromSet(t, commaSet()); });
}
void BM_splitSingle_QStringSplit(benchmark::State& s)
{
    run(s, commaText(), [](const QString& t) { return t.split(u','); });
}
void BM_splitSingle_QStringTokenizer(benchmark::State& s)
{
    run(s, commaText(), [](const QString& t) { return tokens(t, u','); });
}

// Lines (the anchors split at LF only; ours also looks for CR, NEL, LS and PS).
void BM_lines_ours(benchmark::State& s)
{
    run(s, lineText(), [](const QString& t) { return tz::lines(t); });
}
void BM_lines_QStringSplit(benchmark::State& s)
{
    run(s, lineText(), [](const QString& t) { return t.split(u'\n'); });
}
void BM_lines_QStringTokenizer(benchmark::State& s)
{
    run(s, lineText(), [](const QString& t) { return tokens(t, u'\n'); });
}

// Trimming white space and line ends at both ends.
void BM_trim_ours(benchmark::State& s)
{
    run(s, paddedText(), [](const QString& t) { return tz::stringByTrimmingWhiteSpaces(t); });
}
void BM_trim_QStringTrimmed(benchmark::State& s)
{
    run(s, paddedText(), [](const QString& t) { return t.trimmed(); });
}

// Counting white space and line ends.
void BM_count_ours(benchmark::State& s)
{
    run(s, lineText(), [](const QString& t) {
        return tz::countOfCharactersFromSet(t, tz::CharacterSet::whitespaceAndNewlineCharacterSet());
    });
}
void BM_count_QCharIsSpace(benchmark::State& s)
{
    run(s, lineText(),
        [](const QString& t) { return std::count_if(t.cbegin(), t.cend(), [](QChar c) { return c.isSpace(); }); });
}

// Linearity: long runs of one letter.
QString runOfA(qsizetype n)
{
    return QString(n, u'a');
}

void BM_rangesOfString_pairs(benchmark::State& s)
{
    const QString text = runOfA(s.range(0));
    run(s, text, [](const QString& t) { return tz::rangesOfString(t, QStringLiteral("aa")); });
}
void BM_rangesOfString_nearMiss(benchmark::State& s)
{
    const QString text = runOfA(s.range(0));
    const QString target = QString(63, u'a') + u'b';
    run(s, text, [&](const QString& t) { return tz::rangesOfString(t, target); });
}
void BM_rangesOfString_caseless(benchmark::State& s)
{
    const QString text = runOfA(s.range(0));
    const QString target = QString(16, u'A');
    run(s, text, [&](const QString& t) { return tz::rangesOfStringOptions(t, target, tz::CaseInsensitiveSearch); });
}
void BM_rangesInCommon_runs(benchmark::State& s)
{
    const QString text = runOfA(s.range(0));
    QString other = text;
    for (qsizetype i = 1000; i < other.size(); i += 1000)
        other[i] = u'b';
    run(s, text, [&](const QString& t) { return tz::rangesInCommonWithString(t, other); });
}
void BM_rangesNotInCommon_alternating(benchmark::State& s)
{
    const QString text = runOfA(s.range(0));
    QString other = text;
    for (qsizetype i = 0; i < other.size(); i += 2)
        other[i] = u'B';
    run(s, text, [&](const QString& t) { return tz::rangesNotInCommonWithString(t, other); });
}

// Canonical comparison: the receiver holds decomposed accents, the other text precomposed ones.
QString decomposedRun(qsizetype n)
{
    QString text;
    text.reserve(n);
    while (text.size() + 2 <= n)
        text += QStringLiteral("e\u0301");
    return text.leftJustified(n, u'a');
}
void BM_rangesNotInCommon_canonical(benchmark::State& s)
{
    const QString text = decomposedRun(s.range(0));
    QString other = QString(text.size() / 2, QChar(0x00E9));
    for (qsizetype i = 500; i < other.size(); i += 1000)
        other[i] = u'x';
    run(s, text, [&](const QString& t) { return tz::rangesNotInCommonWithString(t, other); });
}
void BM_rangesOfString_canonical(benchmark::State& s)
{
    const QString text = decomposedRun(s.range(0));
    const QString target = QString(8, QChar(0x00E9));
    run(s, text, [&](const QString& t) { return tz::rangesOfStringOptions(t, target, 0); });
}

// Goals of the ratios; a family without one is printed for reading only.
double goalOf(const QString& family)
{
    return family == u"BM_splitRuns_" ? 1.0 : 0.0;
}

// Prints the table as usual, then ours over each anchor and time(2n) over time(n), both from
// CPU time, the fastest repetition where there are several (steadier on a shared machine).
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration)
                continue;
            QString name = QString::fromStdString(r.run_name.function_name);
            if (!r.run_name.args.empty())
                name += u'/' + QString::fromStdString(r.run_name.args);
            const auto known = _times.find(name);
            const double time = r.GetAdjustedCPUTime();
            _times[name] = known == _times.end() ? time : std::min(known->second, time);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nours / anchor (below 1 is faster than the anchor):\n");
        for (const auto& [name, time] : _times) {
            if (!name.endsWith(u"_ours"))
                continue;
            const QString family = name.chopped(4);
            for (const auto& [other, otherTime] : _times) {
                if (!other.startsWith(family) || other == name)
                    continue;
                const double ratio = time / otherTime;
                const double goal = goalOf(family);
                std::printf("  %-16s vs %-24s %.2f", qPrintable(family.sliced(3).chopped(1)),
                            qPrintable(other.sliced(family.size())), ratio);
                if (goal > 0)
                    std::printf("   goal <= %.2f  %s", goal, ratio <= goal ? "met" : "NOT met");
                std::printf("\n");
            }
        }
        std::printf("\ntime(2n) / time(n), n = %lld code units (linear: at most 2.2):\n", (long long)linearUnits);
        const QString once = u'/' + QString::number(linearUnits);
        const QString twice = u'/' + QString::number(2 * linearUnits);
        for (const auto& [name, time] : _times) {
            if (!name.endsWith(once))
                continue;
            const QString base = name.chopped(once.size());
            const auto doubled = _times.find(base + twice);
            if (doubled != _times.end()) {
                const double ratio = doubled->second / time;
                std::printf("  %-36s %.2f   goal <= 2.20  %s\n", qPrintable(base.sliced(3)), ratio,
                            ratio <= 2.2 ? "met" : "NOT met");
            }
        }
    }

private:
    std::map<QString, double> _times;
};

} // namespace

#define TZ_PAIR(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)
TZ_PAIR(BM_splitRuns_ours);
TZ_PAIR(BM_splitRuns_QStringSplit);
TZ_PAIR(BM_splitRuns_QStringTokenizer);
TZ_PAIR(BM_splitSingle_ours);
TZ_PAIR(BM_splitSingle_QStringSplit);
TZ_PAIR(BM_splitSingle_QStringTokenizer);
TZ_PAIR(BM_lines_ours);
TZ_PAIR(BM_lines_QStringSplit);
TZ_PAIR(BM_lines_QStringTokenizer);
TZ_PAIR(BM_trim_ours);
TZ_PAIR(BM_trim_QStringTrimmed);
TZ_PAIR(BM_count_ours);
TZ_PAIR(BM_count_QCharIsSpace);

#define TZ_LINEAR(name) \
    BENCHMARK(name)->Arg(linearUnits)->Arg(2 * linearUnits)->Unit(benchmark::kMillisecond)->Iterations(50)
TZ_LINEAR(BM_rangesOfString_pairs);
TZ_LINEAR(BM_rangesOfString_nearMiss);
TZ_LINEAR(BM_rangesOfString_caseless);
TZ_LINEAR(BM_rangesInCommon_runs);
TZ_LINEAR(BM_rangesNotInCommon_alternating);
TZ_LINEAR(BM_rangesNotInCommon_canonical);
TZ_LINEAR(BM_rangesOfString_canonical);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

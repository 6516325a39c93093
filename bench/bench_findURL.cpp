// URL and e-mail finder on mixed text (words, blanks, commas, line ends, and now and then
// "www.", ".com", "://" or an address): the e-mail scan and the marker scan beside a
// QRegularExpression doing the same search, and the linearity of both (time at 2n over time at
// n, 32 MiB and 64 MiB of text), also on a text made only of "@" (1 M and 2 M of them).
// Fastest of the repetitions. The heap keeps freed blocks (mallopt in main), so that page faults
// of fresh mappings for the results stay out of the loop at both sizes alike.
#include "Foundation_Additions/NSString/TzNSStringFindURL.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr qsizetype MiUnits = 1024 * 1024;

QString mixedText(qsizetype units)
{
    static const QString pieces[] = {QStringLiteral(" "),
                                     QStringLiteral(", "),
                                     QStringLiteral("\n"),
                                     QStringLiteral(" www."),
                                     QStringLiteral(".com "),
                                     QStringLiteral(" http://"),
                                     QStringLiteral(" joe@example.org "),
                                     QStringLiteral(" mail:(ann@ex.net) ")};
    QRandomGenerator random(17);
    QString text;
    text.reserve(units + 64);
    while (text.size() < units) {
        const int letters = 1 + int(random.bounded(9));
        for (int i = 0; i < letters; ++i)
            text.append(QChar(u'a' + char16_t(random.bounded(26))));
        const quint32 roll = random.bounded(100);
        text.append(pieces[roll < 70 ? 0 : roll < 80 ? 1 : roll < 88 ? 2 : 3 + (roll - 88) % 5]);
    }
    text.truncate(units);
    return text;
}

const QString& mixed(qsizetype units)
{
    static std::map<qsizetype, QString> texts;
    auto it = texts.find(units);
    if (it == texts.end())
        it = texts.emplace(units, units < 16 * MiUnits ? QString(units, u'@') : mixedText(units)).first;
    return it->second;
}

tz::Range whole(const QString& text)
{
    return tz::Range{0, quint32(text.size())};
}

// Arguments: the text's length in units; below 16 Mi the text is all "@". No candidate in the
// mixed text is 5 units or shorter, so the e-mail scan runs to the end.
void BM_extractEmails(benchmark::State& state)
{
    const QString& text = mixed(state.range(0));
    // One candidate per "@" in the mixed text, one in all for the text of "@".
    const qsizetype expected = text.startsWith(u"@@") ? 1 : text.count(u'@');
    if (tz::extractEmailAddressRangesFromRange(text, whole(text)).size() != expected)
        state.SkipWithError("the scan stopped early");
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::extractEmailAddressRangesFromRange(text, whole(text)));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_markers(benchmark::State& state)
{
    const QString& text = mixed(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::rangesOfURLMarkersInRange(text, whole(text)));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

template <typename Pattern>
void matchAll(benchmark::State& state, const Pattern& pattern)
{
    const QString& text = mixed(state.range(0));
    for (auto _ : state) {
        QList<tz::Range> ranges;
        QRegularExpressionMatchIterator it = pattern.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            ranges.append(tz::Range{quint32(m.capturedStart()), quint32(m.capturedLength())});
        }
        benchmark::DoNotOptimize(ranges);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_extractEmails_QRegularExpression(benchmark::State& state)
{
    static const QRegularExpression pattern(
        QStringLiteral("[^()<>\\[\\],;:\\\\/\" \\t\\r\\n\\x00@]*@[^()<>\\[\\],;:\\\\/\" \\t\\r\\n\\x00]*"));
    matchAll(state, pattern);
}

void BM_markers_QRegularExpression(benchmark::State& state)
{
    static const QRegularExpression pattern(
        QStringLiteral("://|www\\.|\\.com|\\.org|\\.net|\\.mil|\\.edu|\\.aero|\\.biz|\\.coop|\\.info|\\.museum|"
                       "\\.name|\\.pro|ftp\\.|news\\.|@"),
        QRegularExpression::CaseInsensitiveOption);
    matchAll(state, pattern);
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const double time = run.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto [it, added] = _times.emplace(run.run_name.function_name + '/' + run.run_name.args, time);
            if (!added && time < it->second)
                it->second = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto at = [this](const std::string& name, qsizetype units) {
            const auto it = _times.find(name + '/' + std::to_string(units));
            return it == _times.end() ? 0.0 : it->second;
        };
        const auto ratio = [&](const char* label, const std::string& a, qsizetype na, const std::string& b,
                               qsizetype nb, const char* goal) {
            const double ta = at(a, na);
            const double tb = at(b, nb);
            if (ta > 0 && tb > 0)
                std::printf("  %-46s %6.2f  %s\n", label, ta / tb, goal);
        };
        std::printf("\nfinder figures (fastest of the repetitions, CPU time):\n");
        ratio("e-mail scan / QRegularExpression, 64 MiB", "BM_extractEmails", 32 * MiUnits,
              "BM_extractEmails_QRegularExpression", 32 * MiUnits, "(anchor)");
        ratio("marker scan / QRegularExpression, 64 MiB", "BM_markers", 32 * MiUnits, "BM_markers_QRegularExpression",
              32 * MiUnits, "(anchor)");
        ratio("e-mail scan time(64 MiB) / time(32 MiB)", "BM_extractEmails", 32 * MiUnits, "BM_extractEmails",
              16 * MiUnits, "goal at most 2.2");
        ratio("marker scan time(64 MiB) / time(32 MiB)", "BM_markers", 32 * MiUnits, "BM_markers", 16 * MiUnits,
              "goal at most 2.2");
        ratio("e-mail scan time(2 M \"@\") / time(1 M \"@\")", "BM_extractEmails", 2 * MiUnits, "BM_extractEmails",
              MiUnits, "goal at most 2.2");
        ratio("marker scan time(2 M \"@\") / time(1 M \"@\")", "BM_markers", 2 * MiUnits, "BM_markers", MiUnits,
              "goal at most 2.2");
    }

private:
    std::map<std::string, double> _times;
};

} // namespace

#define TZ_FINDER(name) \
    BENCHMARK(name) \
        ->Arg(16 * MiUnits) \
        ->Arg(32 * MiUnits) \
        ->Arg(MiUnits) \
        ->Arg(2 * MiUnits) \
        ->Iterations(2) \
        ->Repetitions(3) \
        ->Unit(benchmark::kMillisecond)
TZ_FINDER(BM_extractEmails);
TZ_FINDER(BM_markers);
BENCHMARK(BM_extractEmails_QRegularExpression)
    ->Arg(32 * MiUnits)
    ->Iterations(2)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_markers_QRegularExpression)
    ->Arg(32 * MiUnits)
    ->Iterations(2)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

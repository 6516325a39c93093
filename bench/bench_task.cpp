// The task runner collecting a tool's output (head -c of /dev/zero) beside QProcess's own
// waitForFinished + readAllStandardOutput on the same work, and its linearity (time at 2n over
// time at n). Wall-clock time, since the work is the child's and the pipe's; the runner's own
// CPU time is printed as a second linearity figure, steadier on a busy machine. Fastest of the
// repetitions.
#include "Foundation_Additions/SynchronousTaskWrapper/SynchronousTaskWrapper.h"

#include <QCoreApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr qint64 MiB = 1024 * 1024;
const QString head = QStringLiteral("/usr/bin/head");

QStringList headArguments(qint64 bytes)
{
    return {QStringLiteral("-c"), QString::number(bytes), QStringLiteral("/dev/zero")};
}

void checkSize(benchmark::State& state, const QByteArray& bytes, qint64 expected)
{
    if (bytes.size() != expected)
        state.SkipWithError("wrong amount of output");
}

void BM_collect_ours(benchmark::State& state)
{
    const qint64 bytes = state.range(0) * MiB;
    for (auto _ : state) {
        const QByteArray output = tz::SynchronousTaskWrapper::executeWithArgs(head, headArguments(bytes));
        checkSize(state, output, bytes);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_collect_QProcess(benchmark::State& state)
{
    const qint64 bytes = state.range(0) * MiB;
    for (auto _ : state) {
        QProcess process;
        process.start(head, headArguments(bytes));
        process.waitForFinished(-1);
        const QByteArray output = process.readAllStandardOutput();
        checkSize(state, output, bytes);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string name = run.run_name.function_name + '/' + run.run_name.args;
            keepFastest(_times, name, run.GetAdjustedRealTime() * unit);
            keepFastest(_cpuTimes, name, run.GetAdjustedCPUTime() * unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto at = [this](const std::string& name) {
            const auto it = _times.find(name);
            return it == _times.end() ? 0.0 : it->second;
        };
        const double ours = at("BM_collect_ours/256");
        const double anchor = at("BM_collect_QProcess/256");
        const double half = at("BM_collect_ours/128");
        const double cpu = _cpuTimes["BM_collect_ours/256"];
        const double cpuHalf = _cpuTimes["BM_collect_ours/128"];
        if (ours > 0 && anchor > 0)
            std::printf("\nrunner / QProcess waitForFinished+readAll, 256 MiB: %.2f (goal at most 1.2)\n",
                        ours / anchor);
        if (ours > 0 && half > 0)
            std::printf("runner time(256 MiB) / time(128 MiB): %.2f (goal at most 2.2)\n", ours / half);
        if (cpu > 0 && cpuHalf > 0)
            std::printf("runner's own CPU time(256 MiB) / time(128 MiB): %.2f (goal at most 2.2)\n", cpu / cpuHalf);
    }

private:
    static void keepFastest(std::map<std::string, double>& times, const std::string& name, double time)
    {
        auto [it, added] = times.emplace(name, time);
        if (!added && time < it->second)
            it->second = time;
    }

    std::map<std::string, double> _times;
    std::map<std::string, double> _cpuTimes;
};

} // namespace

BENCHMARK(BM_collect_ours)
    ->Arg(128)
    ->Arg(256)
    ->Iterations(2)
    ->Repetitions(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_collect_QProcess)->Arg(256)->Iterations(2)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

// Walking a generated tree of 100,000 small files (1,000 folders of 100) in a temporary folder:
// the folder size beside an fts walk that sums the same rounded sizes (what du --apparent-size
// -B4096 does), and the tree count beside the pipeline "find DIR | wc -l". Wall-clock time,
// since the work is the kernel's; the tree is walked once before the measured runs so that the
// page cache is warm. After the table: ours over each anchor (goal at most 1.3), from the fastest
// of the repetitions.
#include "Foundation_Additions/NSFileManager/TzNSFileManagerAdditions.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerCountDirectoryTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fts.h>
#include <map>
#include <string>

namespace {

constexpr int folders = 1000;
constexpr int filesPerFolder = 100;

// The tree, made at the first use and removed at exit.
const QString& treeRoot()
{
    static QTemporaryDir dir;
    static const QString root = [] {
        const QString path = dir.path() + QStringLiteral("/tree");
        for (int f = 0; f < folders; ++f) {
            const QString folder = path + QStringLiteral("/folder%1").arg(f);
            QDir().mkpath(folder);
            for (int i = 0; i < filesPerFolder; ++i) {
                QFile file(folder + QStringLiteral("/file%1").arg(i));
                if (file.open(QIODevice::WriteOnly))
                    file.write(QByteArray((f * filesPerFolder + i) % 9000, 'x'));
            }
        }
        return path;
    }();
    return root;
}

quint64 ftsSize(const QByteArray& root)
{
    QByteArray path = root;
    char* roots[] = {path.data(), nullptr};
    FTS* walk = ::fts_open(roots, FTS_PHYSICAL, nullptr);
    quint64 total = 0;
    while (const FTSENT* entry = ::fts_read(walk)) {
        if (entry->fts_info == FTS_D || entry->fts_info == FTS_DP || entry->fts_level == 0)
            continue;
        const quint64 size = quint64(entry->fts_statp->st_size);
        total += (size + 4095) / 4096 * 4096;
    }
    ::fts_close(walk);
    return total;
}

qint64 findCount(const QByteArray& root)
{
    const std::string command = "find '" + root.toStdString() + "' | wc -l";
    FILE* pipe = ::popen(command.c_str(), "r");
    long long count = 0;
    if (pipe) {
        if (std::fscanf(pipe, "%lld", &count) != 1)
            count = -1;
        ::pclose(pipe);
    }
    return count;
}

void warmUp()
{
    static const bool warm = [] {
        benchmark::DoNotOptimize(ftsSize(QFile::encodeName(treeRoot())));
        return true;
    }();
    (void)warm;
}

void BM_directorySize_ours(benchmark::State& state)
{
    warmUp();
    const quint64 expected = ftsSize(QFile::encodeName(treeRoot()));
    for (auto _ : state) {
        if (tz::directorySize64ResolvingAliases(treeRoot(), false) != expected)
            state.SkipWithError("a size other than the anchor's");
    }
    state.SetItemsProcessed(state.iterations() * folders * filesPerFolder);
}

void BM_directorySize_fts(benchmark::State& state)
{
    warmUp();
    const QByteArray root = QFile::encodeName(treeRoot());
    for (auto _ : state)
        benchmark::DoNotOptimize(ftsSize(root));
    state.SetItemsProcessed(state.iterations() * folders * filesPerFolder);
}

void BM_countDirectoryTree_ours(benchmark::State& state)
{
    warmUp();
    const qint64 expected = findCount(QFile::encodeName(treeRoot()));
    for (auto _ : state) {
        if (tz::countDirectoryTreeTraverseLinks(treeRoot(), false) != expected)
            state.SkipWithError("a count other than find's");
    }
    state.SetItemsProcessed(state.iterations() * folders * filesPerFolder);
}

void BM_countDirectoryTree_find(benchmark::State& state)
{
    warmUp();
    const QByteArray root = QFile::encodeName(treeRoot());
    for (auto _ : state)
        benchmark::DoNotOptimize(findCount(root));
    state.SetItemsProcessed(state.iterations() * folders * filesPerFolder);
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            const double time = run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto [it, added] = _times.emplace(name, time);
            if (!added && time < it->second)
                it->second = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nours / anchor, %d files (goal: at most 1.3):\n", folders * filesPerFolder);
        ratio("directorySize / fts walk summing rounded sizes", "BM_directorySize_ours", "BM_directorySize_fts");
        ratio("countDirectoryTree / find DIR | wc -l", "BM_countDirectoryTree_ours", "BM_countDirectoryTree_find");
    }

private:
    void ratio(const char* label, const std::string& ours, const std::string& anchor) const
    {
        const auto a = _times.find(ours);
        const auto b = _times.find(anchor);
        if (a == _times.end() || b == _times.end() || b->second <= 0) {
            std::printf("  %-50s not measured\n", label);
            return;
        }
        const double value = a->second / b->second;
        std::printf("  %-50s %.2f  %s\n", label, value, value <= 1.3 ? "met" : "NOT met");
    }

    std::map<std::string, double> _times;
};

} // namespace

BENCHMARK(BM_directorySize_ours)->Repetitions(5)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_directorySize_fts)->Repetitions(5)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_countDirectoryTree_ours)->Repetitions(5)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_countDirectoryTree_find)->Repetitions(5)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

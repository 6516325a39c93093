// The application's start-up costs, each beside its anchor, the ratios printed after the table:
// - building the supported table from a generated 5,000-entry profile (reading the file and
//   making the rows) vs libplist parsing that file alone (goal: at most 1.5x CPU time);
// - a cold start of the program until its window is shown vs the same layout (the window's .ui
//   with both tables and the details pane, empty models) in a fresh process (goal: at most
//   1.2x), and vs a minimal QApplication with an empty QMainWindow (goal: at most 1.3x), all
//   offscreen, wall time.
// The start-up figures re-run this executable as the child ("--child=app", "--child=layout" or
// "--child=minimal").
#include "Foundation/String.h"
#include "app/AppController.h"
#include "app/AppWindow.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"
#include "ui_AppWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <cstdio>
#include <malloc.h>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr int profileEntries = 5000;

// A profile shaped like the real ones: most entries one personality, every fifth two, with
// alternate vendor names and a profile dictionary of a few keys.
QByteArray generatedProfile()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<array>\n";
    for (int i = 0; i < profileEntries; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray personality = "<dict><key>DRDeviceVendorName</key><string>VENDOR" + n
            + "</string><key>DRDeviceProductName</key><string>DVD-RW DRIVE " + n
            + "</string><key>DRDeviceAlternateVendorNames</key><array><string>Brand A" + n
            + "</string><string>Brand B</string></array></dict>";
        xml += "<dict><key>DRDevicePersonalities</key>";
        xml += i % 5 == 0 ? "<array>" + personality + personality + "</array>" : personality;
        xml += "<key>DRDeviceProfile</key><dict><key>DRDeviceActualVendorName</key><string> Maker " + n
            + " </string><key>DRDeviceCanWriteDVDKey</key><true/><key>DRDeviceMaximumWriteSpeed</key>"
              "<integer>24</integer><key>DRDeviceBufferSize</key><integer>2048</integer></dict></dict>\n";
    }
    xml += "</array>\n</plist>\n";
    return xml;
}

struct ProfileFile
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("DeviceSupport.drprofile"));
    ProfileFile()
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(generatedProfile()) < 0)
            std::abort();
    }
};

const ProfileFile& profileFile()
{
    static const ProfileFile file;
    return file;
}

void BM_ParseProfileWithLibplist(benchmark::State& state)
{
    const QString path = profileFile().path;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = file.readAll();
        plist_t root = nullptr;
        plist_from_xml(bytes.constData(), uint32_t(bytes.size()), &root);
        benchmark::DoNotOptimize(root);
        plist_free(root);
    }
}
BENCHMARK(BM_ParseProfileWithLibplist)->Unit(benchmark::kMillisecond);

// Part of the figure below: the file read into objects, without the rows.
void BM_ReadProfileIntoObjects(benchmark::State& state)
{
    for (auto _ : state) {
        tz::Id root = DeviceSupportProfile::readProfile(profileFile().path);
        benchmark::DoNotOptimize(root.get());
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadProfileIntoObjects)->Unit(benchmark::kMillisecond);

// Reading the file and building the rows, as at start-up. Start-up builds them once: freeing
// the previous run's profile and rows is left out of the time.
void BM_BuildSupportedTable(benchmark::State& state)
{
    DriveService service;
    AppWindow window(service);
    for (auto _ : state) {
        service.setSupportProfile(DeviceSupportProfile::readProfile(profileFile().path));
        window.buildSupportedTable();
        if (window.supporteds()->count() != profileEntries + profileEntries / 5)
            std::abort();
        state.PauseTiming();
        service.setSupportProfile({});
        window.setSupporteds(tz::Array::make());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildSupportedTable)->Unit(benchmark::kMillisecond);

// Wall time of one child run of this executable, offscreen.
void runChild(benchmark::State& state, const char* mode)
{
    for (auto _ : state) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QString::fromUtf8(mode)});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            state.SkipWithError("the child did not start its window");
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

void BM_ColdStartMinimalMainWindow(benchmark::State& state)
{
    runChild(state, "--child=minimal");
}
BENCHMARK(BM_ColdStartMinimalMainWindow)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_ColdStartSameLayoutEmpty(benchmark::State& state)
{
    runChild(state, "--child=layout");
}
BENCHMARK(BM_ColdStartSameLayoutEmpty)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_ColdStartApp(benchmark::State& state)
{
    runChild(state, "--child=app");
}
BENCHMARK(BM_ColdStartApp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The children: start, show the window, leave as soon as it is shown.
int runMinimal(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}

int runLayout(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    Ui::AppWindow ui;
    ui.setupUi(&window);
    QStandardItemModel connected(0, 3);
    QStandardItemModel supported(0, 2);
    ui.connectedTable->setModel(&connected);
    ui.supportedTable->setModel(&supported);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}

int runApp(int argc, char** argv)
{
    Application app(argc, argv);
    DriveService service;
    service.install();
    if (!CommandLine::applyDataOptions(CommandLine::parseArguments({QStringLiteral("bench_app")}), service))
        return 1;
    AppController controller(service);
    controller.applicationDidFinishLaunching();
    // Queued behind the delegate's deferred start, so the window exists by then.
    QTimer::singleShot(0, &app, [&controller] {
        const bool shown = controller.appWindow() && controller.appWindow()->window()->isVisible();
        QCoreApplication::exit(shown ? 0 : 1);
    });
    return QApplication::exec();
}

// Keeps each run's times so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            cpu[run.benchmark_name()] = run.GetAdjustedCPUTime() * unit;
            real[run.benchmark_name()] = run.GetAdjustedRealTime() * unit;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> cpu;
    std::map<std::string, double> real;
};

struct Comparison
{
    const char* figure;
    const char* anchor;
    bool wallTime; // else CPU time
    double goal;   // the figure's time at most this many times the anchor's
};

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--child=minimal") == 0)
        return runMinimal(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--child=layout") == 0)
        return runLayout(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--child=app") == 0)
        return runApp(argc, argv);
    // The same allocation regime as the data benchmarks: no trimming or mapping of freed memory.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const Comparison comparisons[] = {
        {"BM_BuildSupportedTable", "BM_ParseProfileWithLibplist", false, 1.5},
        {"BM_ColdStartApp/iterations:20/manual_time", "BM_ColdStartSameLayoutEmpty/iterations:20/manual_time", true,
         1.2},
        {"BM_ColdStartApp/iterations:20/manual_time", "BM_ColdStartMinimalMainWindow/iterations:20/manual_time", true,
         1.3},
    };
    std::printf("\nTime relative to the anchor (figure time / anchor time):\n");
    for (const Comparison& c : comparisons) {
        const auto& times = c.wallTime ? reporter.real : reporter.cpu;
        const auto figure = times.find(c.figure);
        const auto anchor = times.find(c.anchor);
        if (figure == times.end() || anchor == times.end() || anchor->second <= 0)
            continue;
        const double ratio = figure->second / anchor->second;
        std::printf("  %-24.24s %6.2fx  vs %-32.32s goal <= %.1fx  %s\n", c.figure, ratio, c.anchor, c.goal,
                    ratio <= c.goal ? "met" : "NOT MET");
    }
    benchmark::Shutdown();
    return 0;
}

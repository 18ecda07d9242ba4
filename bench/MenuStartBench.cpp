// From the start of the program to a usable category menu: the probe tool opens the menu
// as the program does, in a fresh program folder holding the sample category and the
// help pages (a first start: no Menu.inf), with the help site unreachable, and reports
// when the list is shown and the browser shows the local guide page. The time is taken
// from starting the process to that report; the counters give the probe's own figures
// (main_ms: from exec to the probe's main, mostly loading libraries, mapped_ms: the
// window on screen, shown_ms: the list's first paint, keys_ms: a key sent
// then handled, engine_ms: from the first paint to the loaded guide page,
// longest_block_ms: the longest stretch the list could not take input, windows: the
// native windows the menu had, 1 when it is made once); all but main_ms count from the
// probe's main.
// Runs on the display the environment names (offscreen when none is set). Built when the
// probe tool is (the build names it in MORIVA_MENU_START_PROBE).
#ifdef MORIVA_MENU_START_PROBE
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

bool CopyFolder(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QString& name : source.entryList(QDir::Files))
        if (!QFile::copy(source.filePath(name), to + QLatin1Char('/') + name))
            return false;
    for (const QString& name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (!CopyFolder(source.filePath(name), to + QLatin1Char('/') + name))
            return false;
    return true;
}

// The value of "name <ms>" in the probe's output, -1 when missing.
double Figure(const QByteArray& output, const char* name)
{
    for (const QByteArray& line : output.split('\n'))
        if (line.startsWith(QByteArray(name) + ' '))
            return line.mid(static_cast<int>(qstrlen(name)) + 1).toDouble();
    return -1;
}

void BM_MenuStart(benchmark::State& state)
{
    const QString program = QStringLiteral(MORIVA_PROGRAM_DIR);
    double main = 0, mapped = 0, shown = 0, keys = 0, engine = 0, block = 0, windows = 0;
    for (auto _ : state) {
        QTemporaryDir folder;
        if (!CopyFolder(program + QStringLiteral("/help"), folder.filePath(QStringLiteral("help"))) ||
            !CopyFolder(program + QStringLiteral("/VEK英単語"), folder.filePath(QStringLiteral("VEK英単語")))) {
            state.SkipWithError("the program folder lacks its help pages or the sample category");
            return;
        }
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        env.insert(QStringLiteral("MORIVA_PROBE_EXEC_NS"), QString::number(now.tv_sec * 1000000000LL + now.tv_nsec));
        probe.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        probe.start(QStringLiteral(MORIVA_MENU_START_PROBE), {folder.path()});
        QByteArray output;
        double usable = -1;
        while (usable < 0 && probe.waitForReadyRead(60000)) {
            output += probe.readAllStandardOutput();
            if (output.contains("usable "))
                usable = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        }
        probe.waitForFinished(30000);
        output += probe.readAllStandardOutput();
        if (usable < 0) {
            state.SkipWithError("the menu did not become usable");
            return;
        }
        state.SetIterationTime(usable);
        main += Figure(output, "main");
        mapped += Figure(output, "mapped");
        shown += Figure(output, "shown");
        keys += Figure(output, "keys");
        windows = std::max(windows, Figure(output, "windows"));
        engine += Figure(output, "usable") - Figure(output, "shown");
        block = std::max(block, Figure(output, "longest_block"));
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["main_ms"] = main / runs;
    state.counters["mapped_ms"] = mapped / runs;
    state.counters["shown_ms"] = shown / runs;
    state.counters["keys_ms"] = keys / runs;
    state.counters["windows"] = windows;
    state.counters["engine_ms"] = engine / runs;
    state.counters["longest_block_ms"] = block;
}

} // namespace

BENCHMARK(BM_MenuStart)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });

#endif

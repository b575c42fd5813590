// The longest gap between the ticks of a 1 ms timer while BatchRun converts real clips: how long
// the event loop (the window's, in the program) is ever kept from running. Goal: < 30 ms.
//
//   bench_event_loop [clips]     (default 6 clips of 4 seconds)

#include "app/batchrun.h"
#include "support/clips.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Times every event delivery: the longest one is the longest the loop was kept busy by our own
// work (pipe reads, parsing, the queued next task), whatever the system's scheduler did.
class TimedApp : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        const auto start = std::chrono::steady_clock::now();
        const bool result = QCoreApplication::notify(receiver, event);
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start);
        longestNs = std::max<qint64>(longestNs, ns.count());
        return result;
    }
    qint64 longestNs = 0;
};

} // namespace

int main(int argc, char** argv) {
    TimedApp app(argc, argv);
    const int clips = argc > 1 ? std::max(1, atoi(argv[1])) : 6;
    constexpr double seconds = 4;

    QTemporaryDir dir;
    const QString srcDir = dir.filePath(QStringLiteral("src"));
    const QString outDir = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(srcDir);
    QDir().mkpath(outDir);
    QVector<BatchTask> tasks;
    for (int i = 0; i < clips; ++i) {
        const QString name = QStringLiteral("clip%1.mp4").arg(i);
        if (MakeClip(srcDir, name, seconds).isEmpty()) {
            std::fprintf(stderr, "could not make the clips\n");
            return 1;
        }
        BatchTask t;
        t.row = i;
        t.rec.InputFile = QDir(srcDir).filePath(name);
        t.rec.NewFileName = QStringLiteral("clip%1").arg(i);
        t.rec.OutputExt = QStringLiteral(".mp4");
        t.rec.LengthSec = t.rec.ClipLengthSec = seconds;
        tasks << t;
    }

    BatchSettings settings;
    settings.encoderPath = QStringLiteral(RW_FFMPEG);
    settings.outputDir = outDir;
    settings.switches = QStringLiteral(" -c:v libx264 -preset ultrafast -c:a aac");
    settings.profileExt = QStringLiteral(".mp4");
    settings.renameChosen = [] { return false; };

    std::vector<qint64> gaps;
    std::vector<std::pair<qint64, qint64>> worst;   // (gap, end of gap) of the longest gaps
    std::vector<std::pair<qint64, QString>> events; // task starts and ends, for placing the gaps
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back(now - last);
        worst.emplace_back(now - last, now);
        std::sort(worst.rbegin(), worst.rend());
        if (worst.size() > 5)
            worst.pop_back();
        last = now;
    });

    int progressEvents = 0;
    BatchRun run;
    QObject::connect(&run, &BatchRun::progressChanged, [&] { ++progressEvents; });
    QObject::connect(&run, &BatchRun::taskStarted, [&](int row) {
        events.emplace_back(clock.nsecsElapsed(), QStringLiteral("start %1").arg(row));
    });
    QObject::connect(&run, &BatchRun::taskFinished, [&](int row) {
        events.emplace_back(clock.nsecsElapsed(), QStringLiteral("end %1").arg(row));
    });
    QObject::connect(&run, &BatchRun::finished, [&](BatchRun::End end, int failed, int count) {
        ticker.stop();
        std::printf("run ended %s, %d of %d failed, %d progress events\n",
                    end == BatchRun::End::Completed ? "completed" : "early", failed, count, progressEvents);
        QCoreApplication::quit();
    });
    clock.start();
    ticker.start();
    run.start(settings, tasks);
    QCoreApplication::exec();

    std::sort(gaps.begin(), gaps.end());
    const auto ms = [](qint64 ns) { return double(ns) / 1e6; };
    std::printf("%zu ticks in %.0f ms; gap median %.2f ms, p99 %.2f ms, longest %.2f ms (goal < 30 ms)\n",
                gaps.size(), ms(clock.nsecsElapsed()), ms(gaps[gaps.size() / 2]),
                ms(gaps[gaps.size() * 99 / 100]), ms(gaps.back()));
    std::printf("longest single event delivery (our own work): %.2f ms\n", ms(app.longestNs));
    for (const auto& [gap, end] : worst) {
        // The task event nearest to the gap's end tells whether it sits at a task boundary.
        QString nearest;
        qint64 distance = -1;
        for (const auto& [at, what] : events) {
            if (distance < 0 || qAbs(at - end) < distance) {
                distance = qAbs(at - end);
                nearest = what;
            }
        }
        std::printf("  gap %.2f ms ending at %.0f ms; nearest task event: %s, %.1f ms away\n", ms(gap),
                    ms(end), qPrintable(nearest), ms(distance));
    }
    return 0;
}

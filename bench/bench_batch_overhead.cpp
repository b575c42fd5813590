// Wall time of a batch of ten short clips converted through BatchRun against the same encoder
// command lines run one after another directly with QProcess. Prints the ratio (goal: <= 1.02).
//
//   bench_batch_overhead [rounds]     (default 3; the best round of each way counts)

#include "app/batchrun.h"
#include "app/encoderprocess.h"
#include "support/clips.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

namespace {

// CPU time this process (not the encoder) has used so far, in microseconds.
qint64 OwnCpuMicros() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

struct Cost {
    qint64 wallMs = 0;
    qint64 cpuMicros = 0;
    qint64 idleMicros = 0; // time with no encoder started or running: the runner's own latency
};

const QString kSwitches = QStringLiteral(" -c:v libx264 -preset ultrafast -c:a aac");
constexpr int kClips = 10;
constexpr double kClipSeconds = 3;

QVector<BatchTask> Tasks(const QString& srcDir) {
    QVector<BatchTask> tasks;
    for (int i = 0; i < kClips; ++i) {
        BatchTask t;
        t.row = i;
        t.rec.InputFile = QDir(srcDir).filePath(QStringLiteral("clip%1.mp4").arg(i));
        t.rec.NewFileName = QStringLiteral("clip%1").arg(i);
        t.rec.OutputExt = QStringLiteral(".mp4");
        t.rec.LengthSec = t.rec.ClipLengthSec = kClipSeconds;
        tasks << t;
    }
    return tasks;
}

// The encoder run directly, reading its merged output as the engine does.
Cost RunDirect(const QVector<BatchTask>& tasks, const QString& outDir) {
    const qint64 cpu = OwnCpuMicros();
    QElapsedTimer clock;
    clock.start();
    qint64 busyNs = 0;
    for (const BatchTask& t : tasks) {
        QElapsedTimer busy;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardInputFile(QProcess::nullDevice());
        const QStringList args = QStringList{"-y", "-i", t.rec.InputFile} +
                                 EncoderProcess::splitSwitches(kSwitches) +
                                 QStringList{QDir(outDir).filePath(t.rec.NewFileName + ".mp4")};
        QObject::connect(&process, &QProcess::readyRead, &process, [&process] { process.readAll(); });
        busy.start();
        process.start(QStringLiteral(RW_FFMPEG), args);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            std::fprintf(stderr, "direct run of %s failed\n", qPrintable(t.rec.InputFile));
        busyNs += busy.nsecsElapsed();
    }
    return {clock.elapsed(), OwnCpuMicros() - cpu, clock.nsecsElapsed() / 1000 - busyNs / 1000};
}

Cost RunBatch(const QVector<BatchTask>& tasks, const QString& outDir) {
    BatchSettings settings;
    settings.encoderPath = QStringLiteral(RW_FFMPEG);
    settings.outputDir = outDir;
    settings.switches = kSwitches;
    settings.profileExt = QStringLiteral(".mp4");
    settings.renameChosen = [] { return false; };

    BatchRun run;
    QObject::connect(&run, &BatchRun::finished, qApp, [](BatchRun::End end, int failed, int) {
        if (end != BatchRun::End::Completed || failed != 0)
            std::fprintf(stderr, "batch run failed\n");
        QCoreApplication::quit();
    });
    // An encoder is busy from just before taskStarted (emitted right after the start) to taskFinished.
    QElapsedTimer clock;
    qint64 busyNs = 0;
    qint64 startedAt = 0;
    QObject::connect(&run, &BatchRun::taskStarted, &run, [&] { startedAt = clock.nsecsElapsed(); });
    QObject::connect(&run, &BatchRun::taskFinished, &run,
                     [&] { busyNs += clock.nsecsElapsed() - startedAt; });
    const qint64 cpu = OwnCpuMicros();
    clock.start();
    run.start(settings, tasks);
    QCoreApplication::exec();
    return {clock.elapsed(), OwnCpuMicros() - cpu, clock.nsecsElapsed() / 1000 - busyNs / 1000};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    QTemporaryDir dir;
    const QString srcDir = dir.filePath(QStringLiteral("src"));
    const QString directDir = dir.filePath(QStringLiteral("direct"));
    const QString batchDir = dir.filePath(QStringLiteral("batch"));
    QDir().mkpath(srcDir);
    QDir().mkpath(directDir);
    QDir().mkpath(batchDir);
    for (int i = 0; i < kClips; ++i) {
        if (MakeClip(srcDir, QStringLiteral("clip%1.mp4").arg(i), kClipSeconds).isEmpty()) {
            std::fprintf(stderr, "could not make the clips\n");
            return 1;
        }
    }
    const QVector<BatchTask> tasks = Tasks(srcDir);

    std::vector<double> ratios;
    Cost bestDirect{-1, 0};
    Cost bestBatch{-1, 0};
    for (int round = 1; round <= rounds; ++round) {
        // Alternate the order so that neither way always runs on a warmer machine.
        Cost direct;
        Cost batch;
        if (round % 2) {
            direct = RunDirect(tasks, directDir);
            batch = RunBatch(tasks, batchDir);
        } else {
            batch = RunBatch(tasks, batchDir);
            direct = RunDirect(tasks, directDir);
        }
        std::printf(
            "round %d: direct %lld ms, batch %lld ms, ratio %.3f; own CPU: direct %.1f ms, batch %.1f ms; "
            "no encoder running: direct %.1f ms, batch %.1f ms\n",
            round, (long long)direct.wallMs, (long long)batch.wallMs,
            double(batch.wallMs) / double(direct.wallMs), direct.cpuMicros / 1000.0, batch.cpuMicros / 1000.0,
            direct.idleMicros / 1000.0, batch.idleMicros / 1000.0);
        ratios.push_back(double(batch.wallMs) / double(direct.wallMs));
        if (bestDirect.wallMs < 0 || direct.wallMs < bestDirect.wallMs)
            bestDirect = direct;
        if (bestBatch.wallMs < 0 || batch.wallMs < bestBatch.wallMs)
            bestBatch = batch;
    }
    std::printf("best of %d: direct %lld ms, batch %lld ms, ratio %.3f (goal <= 1.02)\n", rounds,
                (long long)bestDirect.wallMs, (long long)bestBatch.wallMs,
                double(bestBatch.wallMs) / double(bestDirect.wallMs));
    std::sort(ratios.begin(), ratios.end());
    std::printf("median ratio of the paired rounds: %.3f\n", ratios[ratios.size() / 2]);
    return 0;
}

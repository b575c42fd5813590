// The batch engine against the scripted fake encoder (progress, outcomes, Stop, output files) and
// against the real encoder on generated clips.

#include "app/batchrun.h"
#include "app/tasktext.h"
#include "support/clips.h"

#include <QProcess>
#include <QtTest>

#include <optional>

#include <csignal>

namespace {

// Everything a run reported, in order.
struct Recorder {
    QList<int> started;
    QStringList commandLines;
    QList<QPair<int, int>> progress;
    QList<int> finishedRows;
    QMap<int, QString> status;
    QMap<int, QString> tail;
    QStringList startFailures;
    int finishes = 0;
    std::optional<BatchRun::End> end;
    int failed = -1;
    int count = -1;

    QList<int> currentPercents() const {
        QList<int> values;
        for (const auto& p : progress)
            values << p.first;
        return values;
    }

    void attach(BatchRun& run) {
        QObject::connect(&run, &BatchRun::taskStarted, &run,
                         [this](int row, const QString&, const QString& line) {
                             started << row;
                             commandLines << line;
                         });
        QObject::connect(&run, &BatchRun::progressChanged, &run,
                         [this](int current, int total) { progress << qMakePair(current, total); });
        QObject::connect(&run, &BatchRun::taskFinished, &run,
                         [this](int row, const QString& s, const QString& t) {
                             finishedRows << row;
                             status[row] = s;
                             tail[row] = t;
                         });
        QObject::connect(&run, &BatchRun::startFailed, &run, [this](int row, const QString& message) {
            startFailures << QString::number(row) + message;
        });
        QObject::connect(&run, &BatchRun::finished, &run, [this](BatchRun::End e, int f, int c) {
            ++finishes;
            end = e;
            failed = f;
            count = c;
        });
    }
};

void Touch(const QString& path, const QByteArray& bytes = "source") {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes);
}

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Decodes the whole file with the real encoder; true when that succeeds without a complaint.
bool Playable(const QString& path) {
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral(RW_FFMPEG), {"-v", "error", "-i", path, "-f", "null", "-"});
    if (!ffmpeg.waitForFinished(60000))
        return false;
    const QByteArray complaints = ffmpeg.readAll();
    if (!complaints.isEmpty())
        qWarning("%s", complaints.constData());
    return ffmpeg.exitStatus() == QProcess::NormalExit && ffmpeg.exitCode() == 0 && complaints.isEmpty();
}

} // namespace

class TestBatchRun : public QObject {
    Q_OBJECT
private slots:
    void init();
    void twoTasksComplete();
    void progress_data();
    void progress();
    void unknownLengthCountsForNothing();
    void clipSwitches_data();
    void clipSwitches();
    void failedTaskLeavesFilesAlone_data();
    void failedTaskLeavesFilesAlone();
    void stopDuringTask();
    void stopBetweenTasks();
    void abortEndsAtOnce();
    void startFailure();
    void realEncoderBatch();
    void realEncoderCorruptInput();

private:
    QString src(const QString& name) const { return dir_->path() + QStringLiteral("/src/") + name; }
    QString out(const QString& name) const { return dir_->path() + QStringLiteral("/out/") + name; }
    QStringList outputFiles() const {
        return QDir(dir_->path() + QStringLiteral("/out"))
            .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    // A task of len seconds from src/<input>, clipped when clipStart or clipLength say so.
    BatchTask task(int row, const QString& input, const QString& newName, double len, double clipStart = 0,
                   double clipLength = -1) const;
    BatchSettings settings(const QString& encoder = QStringLiteral(RW_FAKE_ENCODER)) const;
    void script(const QStringList& lines);
    QList<QStringList> log() const { return ReadFakeLog(logPath_); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScopedEnv> scriptEnv_;
    std::unique_ptr<ScopedEnv> logEnv_;
    QString logPath_;
};

BatchTask TestBatchRun::task(int row, const QString& input, const QString& newName, double len,
                             double clipStart, double clipLength) const {
    BatchTask t;
    t.row = row;
    t.rec.InputFile = src(input);
    t.rec.NewFileName = newName;
    t.rec.OutputExt = QStringLiteral(".mp4");
    t.rec.LengthSec = len;
    t.rec.StartSec = 0;
    t.rec.ClipStartSec = clipStart;
    t.rec.ClipStartText = SecondsToTime(clipStart);
    t.rec.ClipLengthSec = clipLength < 0 ? len - clipStart : clipLength;
    if (!QFileInfo::exists(t.rec.InputFile))
        Touch(t.rec.InputFile);
    return t;
}

BatchSettings TestBatchRun::settings(const QString& encoder) const {
    BatchSettings s;
    s.encoderPath = encoder;
    s.outputDir = dir_->path() + QStringLiteral("/out");
    s.switches = QStringLiteral(" -vcodec mpeg4");
    s.profileExt = QStringLiteral(".mp4");
    s.renameChosen = [] { return false; };
    return s;
}

void TestBatchRun::script(const QStringList& lines) {
    scriptEnv_.reset();
    scriptEnv_ = std::make_unique<ScopedEnv>("RW_FAKE_SCRIPT", WriteFakeScript(dir_->path(), lines));
}

void TestBatchRun::init() {
    scriptEnv_.reset();
    logEnv_.reset();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("src")));
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("out")));
    logPath_ = dir_->path() + QStringLiteral("/fake.log");
    logEnv_ = std::make_unique<ScopedEnv>("RW_FAKE_LOG", logPath_);
}

// Both tasks want "a": the second one must not overwrite the first one's output, while the file that
// was there before the run is overwritten as chosen, and only once the new one is complete.
void TestBatchRun::twoTasksComplete() {
    script({"touch-output 10", "line time=5.0 x", "sleep 30", "line time=10.0 x"});
    Touch(out("a.mp4"), "old");
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    run.start(settings(), {task(0, "one.avi", "a", 10), task(1, "two.avi", "a", 10)});
    QCOMPARE(rec.finishes, 0); // nothing happens inside start()
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);

    QCOMPARE(rec.end, BatchRun::End::Completed);
    QCOMPARE(rec.failed, 0);
    QCOMPARE(rec.count, 2);
    QCOMPARE(rec.started, QList<int>({0, 1}));
    QCOMPARE(rec.status.value(0), QStringLiteral("Complete"));
    QCOMPARE(rec.status.value(1), QStringLiteral("Complete"));
    const QList<QPair<int, int>> progress{{50, 25}, {100, 50}, {0, 50}, {50, 75}, {100, 100}};
    QCOMPARE(rec.progress, progress);
    QCOMPARE(run.totalSeconds(), 20.0);
    QVERIFY(!run.isRunning());

    QCOMPARE(outputFiles(), QStringList({"a.mp4", "a_2.mp4"}));
    QCOMPARE(Contents(out("a.mp4")), QByteArray(10, 'x'));
    QCOMPARE(rec.commandLines.value(0),
             QStringLiteral(" -y -i \"%1\" -vcodec mpeg4 \"%2\"").arg(src("one.avi"), out("a.mp4")));
    QCOMPARE(rec.commandLines.value(1),
             QStringLiteral(" -y -i \"%1\" -vcodec mpeg4 \"%2\"").arg(src("two.avi"), out("a_2.mp4")));

    // The encoder writes into a hidden partial file beside the target, with the target's extension.
    const QList<QStringList> runs = log();
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs[0].mid(0, 5), QStringList({"-y", "-i", src("one.avi"), "-vcodec", "mpeg4"}));
    const QFileInfo temp(runs[0].last());
    QCOMPARE(temp.absolutePath(), dir_->path() + QStringLiteral("/out"));
    QVERIFY2(temp.fileName().startsWith(QStringLiteral(".a.partial-")) &&
                 temp.suffix() == QStringLiteral("mp4"),
             qPrintable(temp.fileName()));
}

void TestBatchRun::progress_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("clipLength");
    QTest::addColumn<QList<int>>("current");

    QTest::newRow("time text split across reads")
        << QStringList{"print frame=1 time=00:00:0", "sleep 150", "print 2.50 bitrate=1\\r"} << 10.0
        << QList<int>{25};
    QTest::newRow("decimal seconds") << QStringList{"line time=5 x"} << 10.0 << QList<int>{50};
    QTest::newRow("task time never decreases: 5, 3, 8")
        << QStringList{"line time=5.0 x", "line time=3.0 x", "line time=8.0 x"} << 10.0 << QList<int>{50, 80};
    QTest::newRow("metadata and N/A yield nothing")
        << QStringList{"line     creation_time   : 2024-01-01T00:00:00.000000Z",
                       "line frame=0 time=N/A bitrate=N/A", "line time=00:00:01.00 x"}
        << 10.0 << QList<int>{10};
    QTest::newRow("timed progress records")
        << QStringList{"progress 10 4 20"} << 10.0 << QList<int>{25, 50, 75, 100};
    QTest::newRow("beyond the clip shows full") << QStringList{"line time=12.0 x"} << 10.0 << QList<int>{100};
    QTest::newRow("zero clip length leaves the bar") << QStringList{"line time=5.0 x"} << 0.0 << QList<int>{};
}

void TestBatchRun::progress() {
    QFETCH(QStringList, lines);
    QFETCH(double, clipLength);
    QFETCH(QList<int>, current);

    script(lines);
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    run.start(settings(), {task(0, "one.avi", "one", clipLength)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);
    QCOMPARE(rec.currentPercents(), current);
    // One task: the total bar follows the current one.
    for (const auto& p : rec.progress)
        QCOMPARE(p.second, p.first);
}

// A task whose length could not be read (-1) neither shrinks the total nor moves the bars, and is
// not clipped.
void TestBatchRun::unknownLengthCountsForNothing() {
    script({"line time=5.0 x"});
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    run.start(settings(), {task(0, "one.avi", "one", -1), task(1, "two.avi", "two", 10)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);

    QCOMPARE(rec.end, BatchRun::End::Completed);
    QCOMPARE(run.totalSeconds(), 10.0);
    const QList<QPair<int, int>> progress{{0, 0}, {50, 50}};
    QCOMPARE(rec.progress, progress);
    QVERIFY2(!rec.commandLines.value(0).contains(QStringLiteral(" -t ")),
             qPrintable(rec.commandLines.value(0)));
}

void TestBatchRun::clipSwitches_data() {
    QTest::addColumn<double>("clipStart");
    QTest::addColumn<double>("clipLength");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("text");

    QTest::newRow("not clipped") << 0.0 << 30.0 << QStringList{} << QString();
    // The clip length always counts from the clip start, so a later start shortens it as well.
    QTest::newRow("start clipped, end kept")
        << 10.0 << 20.0 << QStringList{"-ss", "00:00:10", "-t", "20"} << " -ss 00:00:10 -t 20";
    QTest::newRow("length 20.5 gives 20") << 0.0 << 20.5 << QStringList{"-t", "20"} << " -t 20";
    QTest::newRow("length 21.5 gives 22") << 0.0 << 21.5 << QStringList{"-t", "22"} << " -t 22";
    QTest::newRow("start with tenths")
        << 1.5 << 3.0 << QStringList{"-ss", "00:00:01.5", "-t", "3"} << " -ss 00:00:01.5 -t 3";
}

void TestBatchRun::clipSwitches() {
    QFETCH(double, clipStart);
    QFETCH(double, clipLength);
    QFETCH(QStringList, args);
    QFETCH(QString, text);

    BatchRun run;
    Recorder rec;
    rec.attach(run);
    BatchSettings s = settings();
    s.switches = QStringLiteral(" -vcodec mpeg4 -metadata \"title=a b\"");
    run.start(s, {task(0, "in put.avi", "one", 30, clipStart, clipLength)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);

    const QList<QStringList> runs = log();
    QCOMPARE(runs.size(), 1);
    const QStringList expected =
        QStringList{"-y", "-i", src("in put.avi"), "-vcodec", "mpeg4", "-metadata", "title=a b"} + args;
    QCOMPARE(runs[0].mid(0, runs[0].size() - 1), expected);
    QCOMPARE(rec.commandLines.value(0), QStringLiteral(" -y -i \"%1\"").arg(src("in put.avi")) + s.switches +
                                            text + QStringLiteral(" \"%1\"").arg(out("one.mp4")));
}

void TestBatchRun::failedTaskLeavesFilesAlone_data() {
    QTest::addColumn<QString>("ending");
    QTest::newRow("exit code 3") << "exit 3";
    QTest::newRow("crash") << "crash";
}

// The first task fails after writing part of its output; the file it would have replaced is kept,
// its console tail is reported, and the run goes on.
void TestBatchRun::failedTaskLeavesFilesAlone() {
    QFETCH(QString, ending);

    QStringList lines{"touch-output"};
    for (int i = 1; i <= 12; ++i)
        lines << QStringLiteral("line record %1").arg(i);
    lines << QStringLiteral("ifarg bad.avi ") + ending;
    script(lines);
    Touch(out("kept.mp4"), "precious");

    BatchRun run;
    Recorder rec;
    rec.attach(run);
    run.start(settings(), {task(0, "bad.avi", "kept", 10), task(1, "good.avi", "good", 10)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);

    QCOMPARE(rec.end, BatchRun::End::Completed);
    QCOMPARE(rec.failed, 1);
    QCOMPARE(rec.count, 2);
    QCOMPARE(rec.status.value(0), QStringLiteral("Failed"));
    QCOMPARE(rec.status.value(1), QStringLiteral("Complete"));
    QStringList lastTen;
    for (int i = 3; i <= 12; ++i)
        lastTen << QStringLiteral("record %1").arg(i);
    QCOMPARE(rec.tail.value(0), lastTen.join(u'\n'));
    QCOMPARE(Contents(out("kept.mp4")), QByteArray("precious"));
    QCOMPARE(outputFiles(), QStringList({"good.mp4", "kept.mp4"}));
}

void TestBatchRun::stopDuringTask() {
    script({"touch-output", "ifarg two.avi line time=1.0 x", "ifarg two.avi hang"});
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    connect(&run, &BatchRun::progressChanged, &run, [&] {
        if (run.currentRow() == 1)
            run.stop();
    });
    run.start(settings(), {task(0, "one.avi", "one", 10), task(1, "two.avi", "two", 10),
                           task(2, "three.avi", "three", 10)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);

    QCOMPARE(rec.end, BatchRun::End::Stopped);
    QCOMPARE(rec.started, QList<int>({0, 1}));
    QCOMPARE(rec.status.value(0), QStringLiteral("Complete"));
    QCOMPARE(rec.status.value(1), QStringLiteral("Stop"));
    QVERIFY(!rec.status.contains(2));
    QCOMPARE(log().size(), 2);
    QCOMPARE(outputFiles(), QStringList({"one.mp4"}));
}

void TestBatchRun::stopBetweenTasks() {
    script({"touch-output"});
    {
        BatchRun run;
        Recorder rec;
        rec.attach(run);
        connect(&run, &BatchRun::taskFinished, &run, [&] { run.stop(); });
        run.start(settings(), {task(0, "one.avi", "one", 10), task(1, "two.avi", "two", 10)});
        QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);
        QCOMPARE(rec.end, BatchRun::End::Stopped);
        QCOMPARE(rec.started, QList<int>({0}));
        QCOMPARE(rec.finishedRows, QList<int>({0}));
        QCOMPARE(log().size(), 1);
    }
    {
        // Stop before the first encoder has started.
        BatchRun run;
        Recorder rec;
        rec.attach(run);
        run.start(settings(), {task(0, "one.avi", "one", 10)});
        run.stop();
        QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);
        QCOMPARE(rec.end, BatchRun::End::Stopped);
        QVERIFY(rec.started.isEmpty());
        QCOMPARE(log().size(), 1);
    }
    QCOMPARE(outputFiles(), QStringList({"one.mp4"}));
}

// A window that closes ends the run from inside a progress report: everything is reported before
// abort() returns, the partial file is gone and so, soon after, is the encoder.
void TestBatchRun::abortEndsAtOnce() {
    script({"touch-output", "pid", "line time=1.0 x", "hang"});
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    int finishesWhenAbortReturned = -1;
    connect(&run, &BatchRun::progressChanged, &run, [&] {
        run.abort();
        finishesWhenAbortReturned = rec.finishes;
    });
    run.start(settings(), {task(0, "one.avi", "one", 10), task(1, "two.avi", "two", 10)});
    QTRY_COMPARE_WITH_TIMEOUT(finishesWhenAbortReturned, 1, 10000);

    QCOMPARE(rec.end, BatchRun::End::Stopped);
    QCOMPARE(rec.status.value(0), QStringLiteral("Stop"));
    QVERIFY(!run.isRunning());
    QVERIFY(outputFiles().isEmpty());
    const QString pidRecord = rec.tail.value(0).section(u'\n', 0, 0);
    QVERIFY2(pidRecord.startsWith(QStringLiteral("pid ")), qPrintable(pidRecord));
    const pid_t pid = pid_t(pidRecord.mid(4).toLongLong());
    QTRY_VERIFY_WITH_TIMEOUT(::kill(pid, 0) != 0, 10000);
    QCOMPARE(log().size(), 1);
    QCOMPARE(rec.finishes, 1);
}

void TestBatchRun::startFailure() {
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    run.start(settings(dir_->path() + QStringLiteral("/missing/wmaspi.dll")),
              {task(0, "one.avi", "one", 10), task(1, "two.avi", "two", 10)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 10000);

    QCOMPARE(rec.end, BatchRun::End::StartFailed);
    QCOMPARE(rec.failed, 1);
    QCOMPARE(rec.count, 2);
    QCOMPARE(rec.status.value(0), QStringLiteral("Failed"));
    QVERIFY(!rec.tail.value(0).isEmpty());
    QCOMPARE(rec.startFailures, QStringList({"0Error on CreateProcess()"}));
    QCOMPARE(rec.started, QList<int>({0}));
    QVERIFY(outputFiles().isEmpty());
}

// Three clips, the last one cut to seconds 1..3, become playable files of the right lengths.
void TestBatchRun::realEncoderBatch() {
    TestProgramDir program(QStringLiteral(RW_FFMPEG), false);
    QVERIFY(program.isValid());
    const QString srcDir = dir_->path() + QStringLiteral("/src");
    QVERIFY(!MakeClip(srcDir, "one.mp4", 2).isEmpty());
    QVERIFY(!MakeClip(srcDir, "two.mp4", 3).isEmpty());
    QVERIFY(!MakeClip(srcDir, "three.mp4", 4).isEmpty());

    BatchSettings s = settings(program.encoderPath());
    s.switches = QStringLiteral(" -c:v libx264 -preset ultrafast -c:a aac");
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    run.start(s, {task(0, "one.mp4", "one", 2), task(1, "two.mp4", "two", 3),
                  task(2, "three.mp4", "three", 4, 1, 2)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 120000);

    QCOMPARE(rec.end, BatchRun::End::Completed);
    QCOMPARE(rec.failed, 0);
    QCOMPARE(outputFiles(), QStringList({"one.mp4", "three.mp4", "two.mp4"}));
    const QList<QPair<QString, double>> expected{{"one.mp4", 2}, {"two.mp4", 3}, {"three.mp4", 2}};
    for (const auto& [name, seconds] : expected) {
        QVERIFY2(qAbs(ProbeDuration(out(name)) - seconds) < 0.2, qPrintable(name));
        QVERIFY2(Playable(out(name)), qPrintable(name));
    }
    QVERIFY(!rec.progress.isEmpty());
    QVERIFY(rec.progress.last().second >= 95);
}

void TestBatchRun::realEncoderCorruptInput() {
    TestProgramDir program(QStringLiteral(RW_FFMPEG), false);
    QVERIFY(program.isValid());
    Touch(src("broken.mp4"), QByteArray(4096, '\x5a'));
    QVERIFY(!MakeClip(dir_->path() + QStringLiteral("/src"), "fine.mp4", 1).isEmpty());

    BatchSettings s = settings(program.encoderPath());
    s.switches = QStringLiteral(" -c:v libx264 -preset ultrafast -c:a aac");
    BatchRun run;
    Recorder rec;
    rec.attach(run);
    run.start(s, {task(0, "broken.mp4", "broken", 1), task(1, "fine.mp4", "fine", 1)});
    QTRY_COMPARE_WITH_TIMEOUT(rec.finishes, 1, 60000);

    QCOMPARE(rec.end, BatchRun::End::Completed);
    QCOMPARE(rec.failed, 1);
    QCOMPARE(rec.status.value(0), QStringLiteral("Failed"));
    QVERIFY2(rec.tail.value(0).contains(QStringLiteral("broken.mp4")), qPrintable(rec.tail.value(0)));
    QCOMPARE(rec.status.value(1), QStringLiteral("Complete"));
    QCOMPARE(outputFiles(), QStringList({"fine.mp4"}));
    QVERIFY(Playable(out("fine.mp4")));
}

QTEST_GUILESS_MAIN(TestBatchRun)
#include "tst_batchrun.moc"

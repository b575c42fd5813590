// The encoder runner against the scripted fake encoder: argument vectors, records, the one outcome
// of every run, stopping, and no child left behind.
#include "app/encoderprocess.h"
#include "support/clips.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <csignal>

Q_DECLARE_METATYPE(EncoderProcess::Outcome)

class TestEncoderProcess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void argumentsArriveWhole();
    void commandLineText();
    void splitSwitches_data();
    void splitSwitches();
    void outcomes_data();
    void outcomes();
    void missingProgramFailsToStart();
    void stopReturnsAtOnce_data();
    void stopReturnsAtOnce();
    void destructorEndsTheChild();
    void childGoesWhenTheProgramDies();
    void runsAgainAfterFinishing();

private:
    // Runs the fake with script lines until it finishes; returns its records.
    QStringList runScript(EncoderProcess& encoder, const QStringList& script, const QStringList& args = {});

    QTemporaryDir dir_;
};

void TestEncoderProcess::initTestCase() {
    qRegisterMetaType<EncoderProcess::Outcome>();
    QVERIFY(dir_.isValid());
}

QStringList TestEncoderProcess::runScript(EncoderProcess& encoder, const QStringList& script,
                                          const QStringList& args) {
    const ScopedEnv env("RW_FAKE_SCRIPT", WriteFakeScript(dir_.path(), script));
    QStringList records;
    const auto collect =
        connect(&encoder, &EncoderProcess::record, this, [&](const QString& r) { records << r; });
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    encoder.start(args);
    if (!finished.wait(10000))
        qWarning("the fake encoder did not finish");
    disconnect(collect);
    return records;
}

void TestEncoderProcess::argumentsArriveWhole() {
    const QString awkward = QString::fromUtf8("-ø \"quoted\" näme  two blanks.avi");
    QStringList args{"-y", "-i", dir_.path() + "/" + awkward};
    args << EncoderProcess::splitSwitches(" -vcodec mpeg4 -metadata title=\"My film\"") << "";
    args << dir_.path() + "/out ü.mp4";

    EncoderProcess encoder(RW_FAKE_ENCODER);
    QCOMPARE(runScript(encoder, {"echoargs"}, args), args);
    QCOMPARE(encoder.arguments(), args);
}

void TestEncoderProcess::commandLineText() {
    EncoderProcess encoder(RW_FAKE_ENCODER);
    runScript(encoder, {}, {"-y", "-i", "/v/a b.avi", "-t", "", "say \"hi\"", "/v/out.mp4"});
    QCOMPARE(encoder.commandLine(), QString(" -y -i \"/v/a b.avi\" -t \"\" \"say \"hi\"\" /v/out.mp4"));
}

void TestEncoderProcess::splitSwitches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("leading blanks") << " -vcodec mpeg4  -b:v 800k"
                                    << QStringList{"-vcodec", "mpeg4", "-b:v", "800k"};
    QTest::newRow("quotes group") << " -metadata title=\"My  film\" -an"
                                  << QStringList{"-metadata", "title=My  film", "-an"};
    QTest::newRow("empty quotes dropped") << " -a \"\" -b" << QStringList{"-a", "-b"};
    QTest::newRow("tab is a blank") << "-s\t320x240" << QStringList{"-s", "320x240"};
}

void TestEncoderProcess::splitSwitches() {
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QCOMPARE(EncoderProcess::splitSwitches(text), pieces);
}

void TestEncoderProcess::outcomes_data() {
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<EncoderProcess::Outcome>("outcome");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("records");

    QTest::newRow("end of script") << QStringList{"line hello"} << EncoderProcess::Outcome::Exited << 0
                                   << QStringList{"hello"};
    QTest::newRow("exit code") << QStringList{"print a\\r", "exit 3"} << EncoderProcess::Outcome::Exited << 3
                               << QStringList{"a"};
    QTest::newRow("crash") << QStringList{"line before", "crash"} << EncoderProcess::Outcome::Crashed << -1
                           << QStringList{"before"};
    QTest::newRow("stderr merged, tail flushed")
        << QStringList{"eprint err\\n", "sleep 50", "print tail"} << EncoderProcess::Outcome::Exited << 0
        << QStringList{"err", "tail"};
    QTest::newRow("stdin is closed") << QStringList{"read-stdin"} << EncoderProcess::Outcome::Exited << 0
                                     << QStringList{"stdin 0 bytes"};
}

void TestEncoderProcess::outcomes() {
    QFETCH(QStringList, script);
    QFETCH(EncoderProcess::Outcome, outcome);
    QFETCH(int, exitCode);
    QFETCH(QStringList, records);

    EncoderProcess encoder(RW_FAKE_ENCODER);
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QCOMPARE(runScript(encoder, script), records);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<EncoderProcess::Outcome>(), outcome);
    if (exitCode >= 0)
        QCOMPARE(finished.at(0).at(1).toInt(), exitCode);
    QVERIFY(!encoder.isRunning());
    QTest::qWait(100);
    QCOMPARE(finished.count(), 1);
}

void TestEncoderProcess::missingProgramFailsToStart() {
    EncoderProcess encoder(dir_.path() + "/no such encoder");
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    encoder.start({"-i", "x.avi"});
    QCOMPARE(finished.count(), 0); // reported from the event loop, not from inside start()
    QVERIFY(encoder.isRunning());
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.at(0).at(0).value<EncoderProcess::Outcome>(), EncoderProcess::Outcome::FailedToStart);
    QVERIFY(!encoder.errorString().isEmpty());
    QVERIFY(!encoder.isRunning());
    QTest::qWait(100);
    QCOMPARE(finished.count(), 1);
}

void TestEncoderProcess::stopReturnsAtOnce_data() {
    QTest::addColumn<QStringList>("script");
    QTest::newRow("ends on terminate") << QStringList{"line started", "hang"};
    QTest::newRow("needs a kill") << QStringList{"ignore-term", "line started", "hang"};
}

void TestEncoderProcess::stopReturnsAtOnce() {
    QFETCH(QStringList, script);
    const ScopedEnv env("RW_FAKE_SCRIPT", WriteFakeScript(dir_.path(), script));
    EncoderProcess encoder(RW_FAKE_ENCODER);
    QSignalSpy records(&encoder, &EncoderProcess::record);
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    encoder.start({});
    QVERIFY(records.wait(5000));

    QElapsedTimer clock;
    clock.start();
    encoder.stop();
    encoder.stop(); // a second click changes nothing
    QVERIFY2(clock.elapsed() < 200, "stop() blocked the caller");
    QCOMPARE(finished.count(), 0);

    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, EncoderProcess::StopGraceMs + 5000);
    QCOMPARE(finished.at(0).at(0).value<EncoderProcess::Outcome>(), EncoderProcess::Outcome::Stopped);
    QTest::qWait(EncoderProcess::StopGraceMs + 200); // the kill timer must not add a second outcome
    QCOMPARE(finished.count(), 1);
}

void TestEncoderProcess::destructorEndsTheChild() {
    const ScopedEnv env("RW_FAKE_SCRIPT", WriteFakeScript(dir_.path(), {"ignore-term", "pid", "hang"}));
    qint64 pid = 0;
    {
        EncoderProcess encoder(RW_FAKE_ENCODER);
        QSignalSpy records(&encoder, &EncoderProcess::record);
        encoder.start({});
        QVERIFY(records.wait(5000));
        pid = records.at(0).at(0).toString().section(' ', 1).toLongLong();
        QVERIFY(pid > 0);
    }
    QCOMPARE(::kill(pid_t(pid), 0), -1);
    QCOMPARE(errno, ESRCH);
}

// A program that is killed outright runs no destructor; its encoder must still not live on.
void TestEncoderProcess::childGoesWhenTheProgramDies() {
    const ScopedEnv env("RW_FAKE_SCRIPT", WriteFakeScript(dir_.path(), {"ignore-term", "pid", "hang"}));
    QProcess parent;
    parent.start(QStringLiteral(RW_ENCODER_PARENT), {QStringLiteral(RW_FAKE_ENCODER)});
    QVERIFY(parent.waitForFinished(10000));
    QCOMPARE(parent.exitStatus(), QProcess::CrashExit);
    const QString out = QString::fromUtf8(parent.readAllStandardOutput());
    const qint64 pid = out.section(QStringLiteral("pid "), 1).section(u'\n', 0, 0).toLongLong();
    QVERIFY2(pid > 0, qPrintable(out));
    // Gone, or a zombie waiting for whoever adopted it to reap it: either way no longer running.
    const auto running = [pid] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        return QString::fromLatin1(stat.readAll()).section(u')', 1).trimmed().left(1) != QLatin1String("Z");
    };
    QTRY_VERIFY_WITH_TIMEOUT(!running(), 5000);
}

void TestEncoderProcess::runsAgainAfterFinishing() {
    EncoderProcess encoder(RW_FAKE_ENCODER);
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QCOMPARE(runScript(encoder, {"print first, unfinished"}), QStringList{"first, unfinished"});
    QCOMPARE(runScript(encoder, {"line second", "exit 2"}), QStringList{"second"});
    QCOMPARE(finished.count(), 2);
    QCOMPARE(finished.at(1).at(1).toInt(), 2);
}

QTEST_GUILESS_MAIN(TestEncoderProcess)
#include "tst_encoderprocess.moc"

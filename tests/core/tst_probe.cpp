// Cutting length and frame size out of the encoder's report, on real report texts, and probing
// real clips of every accepted input type through the program folder's encoder link.
#include "app/probe.h"
#include "support/clips.h"

#include <QElapsedTimer>
#include <QTest>

class TestProbe : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void probeRealClips_data();
    void probeRealClips();
    void probeHandsOverPathAsOneArgument();
    void probeFailuresYieldEmptyFields();
};

namespace {

double Seconds(const QString& timeText) {
    const QStringList parts = timeText.split(':');
    if (parts.size() != 3)
        return -1;
    return parts[0].toInt() * 3600 + parts[1].toInt() * 60 + parts[2].toDouble();
}

} // namespace

void TestProbe::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("size");

    QTest::newRow("contract example")
        << "/v/a.avi ... Duration: 00:00:10.00, start ... Video: a, b, 320x240, c"
        << "/v/a.avi"
        << "00:00:10.00"
        << " 320x240";
    QTest::newRow("mp4 h264")
        << "ffmpeg version 5.1.9-0+deb12u1 Copyright (c) 2000-2026 the FFmpeg developers\n"
           "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/v/clip.mp4':\n"
           "  Metadata:\n"
           "    major_brand     : isom\n"
           "  Duration: 00:00:02.00, start: 0.000000, bitrate: 117 kb/s\n"
           "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(progressive), 160x120 "
           "[SAR 1:1 "
           "DAR 4:3], 35 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n"
           "    Metadata:\n"
           "      handler_name    : VideoHandler\n"
           "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, mono, fltp, 69 kb/s "
           "(default)\n"
           "At least one output file must be specified\n"
        << "/v/clip.mp4"
        << "00:00:02.00"
        << " 160x120 [SAR 1:1 DAR 4:3]";
    QTest::newRow("bt709 hd")
        << "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/v/hd.mp4':\n"
           "  Duration: 00:00:00.20, start: 0.000000, bitrate: 1420 kb/s\n"
           "  Stream #0:0[0x1](und): Video: h264 (Constrained Baseline) (avc1 / 0x31637661), yuv420p(tv, "
           "bt709, "
           "progressive), 1920x1080 [SAR 1:1 DAR 16:9], 1384 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n"
        << "/v/hd.mp4"
        << "00:00:00.20"
        << " 1920x1080 [SAR 1:1 DAR 16:9]";
    QTest::newRow("wmv, aspect after a comma")
        << "Input #0, asf, from '/v/clip.wmv':\n"
           "  Duration: 00:00:02.09, start: 0.000000, bitrate: 346 kb/s\n"
           "  Stream #0:0: Video: msmpeg4v3 (MP43 / 0x3334504D), yuv420p, 160x120, SAR 1:1 DAR 4:3, 25 fps\n"
        << "/v/clip.wmv"
        << "00:00:02.09"
        << " 160x120";
    QTest::newRow("stream title naming Video before the video stream")
        << "Input #0, matroska,webm, from '/v/commentary.mkv':\n"
           "  Duration: 00:00:01.00, start: 0.000000, bitrate: 161 kb/s\n"
           "  Stream #0:0: Audio: vorbis, 44100 Hz, mono, fltp\n"
           "    Metadata:\n"
           "      title           : Video commentary, director\n"
           "  Stream #0:1: Video: h264 (Constrained Baseline), yuv420p(tv, progressive), 160x120 [SAR 1:1 "
           "DAR 4:3], "
           "25 fps, 25 tbr, 1k tbn\n"
        << "/v/commentary.mkv"
        << "00:00:01.00"
        << " 160x120 [SAR 1:1 DAR 4:3]";
    QTest::newRow("duration N/A") << "Input #0, h264, from '/v/raw.h264':\n"
                                     "  Duration: N/A, bitrate: N/A\n"
                                     "  Stream #0:0: Video: h264 (High 4:4:4 Predictive), "
                                     "yuv444p(progressive), 160x120 [SAR 1:1 DAR 4:3], 25 "
                                     "fps, 25 tbr, 1200k tbn\n"
                                  << "/v/raw.h264"
                                  << "N/A"
                                  << " 160x120 [SAR 1:1 DAR 4:3]";
    // Without a video stream there is no frame size, whatever the audio line holds.
    QTest::newRow("no video stream") << "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/v/audio.m4a':\n"
                                        "  Duration: 00:00:01.00, start: 0.000000, bitrate: 79 kb/s\n"
                                        "  Stream #0:0[0x1](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 "
                                        "Hz, mono, fltp, 70 kb/s (default)\n"
                                     << "/v/audio.m4a"
                                     << "00:00:01.00"
                                     << "";
    QTest::newRow("no duration: missing file") << "/v/missing.avi: No such file or directory\n"
                                               << "/v/missing.avi"
                                               << ""
                                               << "";
    QTest::newRow("no duration: not a video")
        << "[avi @ 0x55fb9ea0f840] Format avi detected only with low score of 1, misdetection possible!\n"
           "/v/notvideo.avi: Invalid data found when processing input\n"
        << "/v/notvideo.avi"
        << ""
        << "";
    QTest::newRow("empty text") << ""
                                << "/v/a.avi"
                                << ""
                                << "";
    QTest::newRow("text shorter than the path") << "abc"
                                                << "/v/a rather long path.avi"
                                                << ""
                                                << "";
}

void TestProbe::parse() {
    QFETCH(QString, text);
    QFETCH(QString, path);
    QFETCH(QString, length);
    QFETCH(QString, size);

    const ProbeResult result = ParseProbeText(text, path);
    QCOMPARE(result.LengthText, length);
    QCOMPARE(result.SizeText, size);
}

void TestProbe::probeRealClips_data() {
    QTest::addColumn<QString>("ext");
    for (const char* ext : {".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"})
        QTest::newRow(ext) << QString(ext);
}

void TestProbe::probeRealClips() {
    QFETCH(QString, ext);
    const TestProgramDir program(RW_FFMPEG, false);
    QVERIFY(program.isValid());
    const QString clip = MakeClip(program.path(), QString::fromUtf8("clip ø ") + ext, 2.0);
    QVERIFY(!clip.isEmpty());

    const ProbeResult result = ProbeFile(program.encoderPath(), clip);
    QVERIFY2(result.SizeText.startsWith(" 160x120"), qPrintable(result.SizeText));
    const double length = Seconds(result.LengthText);
    QVERIFY2(qAbs(length - ProbeDuration(clip)) < 0.011, qPrintable(result.LengthText));
    QVERIFY2(qAbs(length - 2.0) < 0.5, qPrintable(result.LengthText));
}

void TestProbe::probeHandsOverPathAsOneArgument() {
    const TestProgramDir program(RW_FAKE_ENCODER, false);
    QVERIFY(program.isValid());
    const QString path = program.path() + QString::fromUtf8("-x \"odd\" näme.avi");
    const ScopedEnv script(
        "RW_FAKE_SCRIPT",
        WriteFakeScript(program.path(), {"print Input #0, avi, from '" + path + "':\\n", "sleep 30",
                                         "line   Duration: 00:01:02.50, start: 0",
                                         "line   Stream #0:0: Video: a, b, 320x240, c", "exit 1"}));
    const ScopedEnv log("RW_FAKE_LOG", program.path() + "log.txt");

    const ProbeResult result = ProbeFile(program.encoderPath(), path);
    QCOMPARE(ReadFakeLog(program.path() + "log.txt"), (QList<QStringList>{{"-i", path}}));
    QCOMPARE(result.LengthText, QString("00:01:02.50"));
    QCOMPARE(result.SizeText, QString(" 320x240"));
}

void TestProbe::probeFailuresYieldEmptyFields() {
    const TestProgramDir program(RW_FAKE_ENCODER, false);
    QVERIFY(program.isValid());
    const ScopedEnv script("RW_FAKE_SCRIPT",
                           WriteFakeScript(program.path(), {"line a.avi Duration: 00:00:05.00, x",
                                                            "line Video: a, b, 320x240, c", "hang"}));
    QElapsedTimer clock;
    clock.start();
    ProbeResult result = ProbeFile(program.encoderPath(), "a.avi", 500);
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(result.LengthText.isEmpty());
    QVERIFY(result.SizeText.isEmpty());

    result = ProbeFile(program.path() + "no encoder here", "a.avi");
    QVERIFY(result.LengthText.isEmpty());
    QVERIFY(result.SizeText.isEmpty());
}

QTEST_GUILESS_MAIN(TestProbe)
#include "tst_probe.moc"

// The profiles that ship with the program, held against the real encoder: each one converts a clip
// into the file type and codecs it promises, and every choice of the MP4 H.264 profile is accepted.

#include "app/encoderprocess.h"
#include "profiles/newinifile.h"
#include "profiles/profile.h"
#include "profiles/switches.h"
#include "profiles/valuelistmodel.h"
#include "support/clips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kProfiles = QStringLiteral(RW_PROFILES_DIR);
const QString kMp4H264 = QStringLiteral("MP4 - H.264 AAC.cvp");

struct Grids {
    ValueListModel video, audio, advanced;
    std::array<ValueListModel*, 3> all() { return {&video, &audio, &advanced}; }
    std::array<const ValueListModel*, 3> shown() const { return {&video, &audio, &advanced}; }
};

struct Expected {
    QString format; // ffprobe's format_name
    QString brand;  // start of the major brand for the ISO family, else empty
    QString video;  // codec of the first video stream, empty for none
    QString audio;  // codec of the first audio stream, empty for none
};

const QMap<QString, Expected>& expectations() {
    static const QString iso = QStringLiteral("mov,mp4,m4a,3gp,3g2,mj2");
    static const QMap<QString, Expected> map{
        {"MP4 - H.264 AAC.cvp", {iso, "isom", "h264", "aac"}},
        {"MP4 - H.265 AAC.cvp", {iso, "isom", "hevc", "aac"}},
        {"MKV - H.264 AAC.cvp", {"matroska,webm", "", "h264", "aac"}},
        {"WebM - VP9 Opus.cvp", {"matroska,webm", "", "vp9", "opus"}},
        {"MOV - H.264 AAC.cvp", {iso, "qt", "h264", "aac"}},
        {"AVI - MPEG-4 MP3.cvp", {"avi", "", "mpeg4", "mp3"}},
        {"WMV - Windows Media.cvp", {"asf", "", "wmv2", "wmav2"}},
        {"MPG - MPEG-2 DVD.cvp", {"mpeg", "", "mpeg2video", "mp2"}},
        {"FLV - H.264 AAC.cvp", {"flv", "", "h264", "aac"}},
        {"3GP - H.264 AAC Mobile.cvp", {iso, "3gp", "h264", "aac"}},
        {"OGV - Theora Vorbis.cvp", {"ogg", "", "theora", "vorbis"}},
        {"MP3 - Audio Only.cvp", {"mp3", "", "", "mp3"}},
        {"GIF - Animated.cvp", {"gif", "", "gif", ""}},
    };
    return map;
}

// Runs ffmpeg as a conversion does: the switch text split into whole arguments after the input.
bool convert(const QString& source, const QString& switches, const QString& output, QString* log) {
    QStringList args{"-v", "error", "-y", "-i", source};
    args << EncoderProcess::splitSwitches(switches) << output;
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.setStandardInputFile(QProcess::nullDevice());
    ffmpeg.start(QStringLiteral(RW_FFMPEG), args);
    const bool done = ffmpeg.waitForFinished(120000);
    *log = "ffmpeg " + args.join(' ') + "\n" + QString::fromUtf8(ffmpeg.readAll());
    return done && ffmpeg.exitStatus() == QProcess::NormalExit && ffmpeg.exitCode() == 0 &&
           QFileInfo(output).size() > 0;
}

int countFrames(const QString& path) {
    QProcess probe;
    probe.start(QStringLiteral(RW_FFPROBE),
                {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                 "stream=nb_read_frames", "-of", "csv=p=0", path});
    probe.waitForFinished(60000);
    return QString::fromUtf8(probe.readAllStandardOutput()).trimmed().toInt();
}

} // namespace

class TestShippedProfiles : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    QString twoSeconds_;
    QString oneSecond_;

private slots:
    void initTestCase() {
        QVERIFY(tmp_.isValid());
        twoSeconds_ = MakeClip(tmp_.path(), "two.mp4", 2);
        oneSecond_ = MakeClip(tmp_.path(), "one.mp4", 1, {"-s", "64x48"});
        QVERIFY(!twoSeconds_.isEmpty() && !oneSecond_.isEmpty());
    }

    void catalogueMatchesTheExpectations() {
        const QStringList names = ListFilesByExt(kProfiles, ".cvp");
        QCOMPARE(QSet<QString>(names.begin(), names.end()),
                 QSet<QString>(expectations().keyBegin(), expectations().keyEnd()));
    }

    void wellFormed_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : ListFilesByExt(kProfiles, ".cvp"))
            QTest::newRow(qPrintable(name)) << name;
    }
    void wellFormed() {
        QFETCH(QString, name);
        const QString path = QDir(kProfiles).filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        TNewInifile ini(path);
        // Already in the store's own form, so reading a profile never needs to rewrite it.
        QCOMPARE(bytes, ini.Lines.join("\r\n").toUtf8() + "\r\n");
        QVERIFY(!ini.ReadString("Main", "Type", "").isEmpty());
        const int count = ini.ReadInteger("Main", "Para", 0);
        QVERIFY(count > 0);
        QSet<QString> cmds;
        for (int i = 0; i < count; ++i) {
            const QString param = ini.ReadString("Main", QString::number(i), "");
            QVERIFY2(QStringList({"1", "2", "3"}).contains(ini.ReadString(param, "Sort", "")),
                     qPrintable(param));
            const QString cmd = ini.ReadString(param, "cmd", "");
            // one switch per parameter: "-vf" or "-af" twice would let one filter override the other
            QVERIFY2(!cmds.contains(cmd), qPrintable(param + ": " + cmd));
            cmds.insert(cmd);
            if (ini.ReadBool(param, "List", true)) {
                const QStringList captions = SplitList(ini.ReadString(param, "Caption", ""));
                QVERIFY2(!captions.isEmpty(), qPrintable(param));
                QCOMPARE(SplitList(ini.ReadString(param, "Value", "")).size(), captions.size());
                const int index = ini.ReadInteger(param, "Index", -1);
                QVERIFY2(index >= 0 && index < captions.size(), qPrintable(param));
            }
        }

        // A profile with a picture offers the original size (no switch), common sizes and a custom one.
        if (expectations().value(name).video.isEmpty())
            return;
        QCOMPARE(ini.ReadInteger("Video Size", "Sort", -1), 1);
        QVERIFY(ini.ReadBool("Video Size", "List", true));
        const QStringList sizes = SplitList(ini.ReadString("Video Size", "Caption", ""));
        const QStringList values = SplitList(ini.ReadString("Video Size", "Value", ""));
        QVERIFY(sizes.size() >= 4);
        QCOMPARE(sizes.first(), QStringLiteral("Original Size"));
        QCOMPARE(sizes.last(), QStringLiteral("Custom Size"));
        QCOMPARE(values.first(), QString());
        static const QRegularExpression frameSize(QStringLiteral("^[1-9][0-9]*x[1-9][0-9]*$"));
        for (int i = 1; i + 1 < sizes.size(); ++i) {
            QVERIFY2(frameSize.match(sizes.at(i)).hasMatch(), qPrintable(sizes.at(i)));
            QCOMPARE(values.at(i), sizes.at(i));
        }
    }

    void convertsWithItsDefaults_data() {
        QTest::addColumn<QString>("name");
        for (auto it = expectations().cbegin(); it != expectations().cend(); ++it)
            QTest::newRow(qPrintable(it.key())) << it.key();
    }
    void convertsWithItsDefaults() {
        QFETCH(QString, name);
        const Expected want = expectations().value(name);
        const QString path = QDir(kProfiles).filePath(name);
        Grids g;
        QString ext;
        QVERIFY(LoadProfile(path, g.all(), &ext));
        const QString out = tmp_.filePath("out" + ext);
        QString log;
        QVERIFY2(convert(twoSeconds_, BuildSwitches(path, g.shown()), out, &log), qPrintable(log));
        QCOMPARE(FfprobeField(out, "format=format_name"), want.format);
        if (!want.brand.isEmpty())
            QVERIFY(FfprobeField(out, "format_tags=major_brand").startsWith(want.brand));
        QCOMPARE(FfprobeField(out, "stream=codec_name", "v:0"), want.video);
        QCOMPARE(FfprobeField(out, "stream=codec_name", "a:0"), want.audio);
        if (want.video == "gif")
            QVERIFY(countFrames(out) > 1); // animated, not a still
        QVERIFY(qAbs(ProbeDuration(out) - 2.0) < 0.5);
    }

    void everyChoiceOfMp4H264_data() {
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("choice");
        Grids g;
        QVERIFY(LoadProfile(QDir(kProfiles).filePath(kMp4H264), g.all(), nullptr));
        for (int grid = 0; grid < 3; ++grid) {
            const ValueListModel* m = g.all()[grid];
            for (int row = 0; row < m->rowCount(); ++row) {
                const QStringList pick = m->pickList(row);
                for (const QString& choice : pick) {
                    if (choice != m->value(row))
                        QTest::addRow("%s: %s", qPrintable(m->key(row)), qPrintable(choice))
                            << grid << row << choice;
                }
            }
        }
        // a frame size typed in the custom size dialog
        QTest::addRow("Video Size: typed 96x64") << 0 << g.video.findKey("Video Size") << "96x64";
    }
    void everyChoiceOfMp4H264() {
        QFETCH(int, grid);
        QFETCH(int, row);
        QFETCH(QString, choice);
        const QString path = QDir(kProfiles).filePath(kMp4H264);
        Grids g;
        QString ext;
        QVERIFY(LoadProfile(path, g.all(), &ext));
        g.all()[grid]->setValue(row, choice);
        const QString out = tmp_.filePath("choice" + ext);
        QFile::remove(out);
        QString log;
        QVERIFY2(convert(oneSecond_, BuildSwitches(path, g.shown()), out, &log), qPrintable(log));
    }
};

QTEST_GUILESS_MAIN(TestShippedProfiles)
#include "tst_shippedprofiles.moc"

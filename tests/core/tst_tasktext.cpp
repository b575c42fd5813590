// Time texts, file-name rules and the accepted input types.
#include "app/tasktext.h"

#include <QTest>

class TestTaskText : public QObject {
    Q_OBJECT
private slots:
    void timeToSeconds_data();
    void timeToSeconds();
    void secondsToTime_data();
    void secondsToTime();
    void secondsToTimeReadsBack();
    void fileBaseName_data();
    void fileBaseName();
    void isSupported_data();
    void isSupported();
    void ensureBackslash_data();
    void ensureBackslash();
    void inputTypes();
};

void TestTaskText::timeToSeconds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("seconds");
    QTest::newRow("h:m:s.f") << "01:02:03.5" << 3723.5;
    QTest::newRow("single digits") << "1:2:3" << 3723.0;
    QTest::newRow("fixed start text") << "00:00:00.0" << 0.0;
    QTest::newRow("encoder two fraction digits") << "00:01:23.45" << 83.45;
    QTest::newRow("minutes above 59") << "00:90:00" << 5400.0;
    QTest::newRow("seconds above 59") << "0:0:75" << 75.0;
    QTest::newRow("point with no fraction digits") << "0:0:5." << 5.0;
    QTest::newRow("minus sign in a part") << "0:-1:30" << -30.0;
    QTest::newRow("plus sign") << "+1:+0:+2" << 3602.0;
    // Beyond the 32-bit range of seconds: must not wrap around.
    QTest::newRow("huge hours") << "1000000:00:00" << 3.6e9;
    QTest::newRow("hours beyond 64 bits") << "99999999999999999999:00:00" << -1.0;
    QTest::newRow("hours overflow when scaled") << "9223372036854775807:00:00" << -1.0;
    QTest::newRow("one colon") << "00:01" << -1.0;
    QTest::newRow("no colon") << "abc" << -1.0;
    QTest::newRow("empty") << "" << -1.0;
    QTest::newRow("empty seconds") << "00:00:" << -1.0;
    QTest::newRow("seconds begin with point") << "00:00:.5" << -1.0;
    QTest::newRow("signed point") << "00:00:-.5" << -1.0;
    QTest::newRow("seconds hold a colon") << "1:2:3:4" << -1.0;
    QTest::newRow("empty hours") << ":00:05" << -1.0;
    QTest::newRow("empty minutes") << "0::05" << -1.0;
    QTest::newRow("fraction in minutes") << "0:1.5:0" << -1.0;
    QTest::newRow("blank") << "0: 1:0" << -1.0;
    QTest::newRow("exponent") << "0:0:1e2" << -1.0;
    QTest::newRow("comma fraction") << "0:0:1,5" << -1.0;
    QTest::newRow("lone sign") << "-:0:0" << -1.0;
}

void TestTaskText::timeToSeconds() {
    QFETCH(QString, text);
    QFETCH(double, seconds);
    QCOMPARE(TimeToSeconds(text), seconds);
}

void TestTaskText::secondsToTime_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "00:00:00";
    QTest::newRow("half") << 5.5 << "00:00:05.5";
    QTest::newRow("h m s.f") << 3723.5 << "01:02:03.5";
    QTest::newRow("25 hours") << 90061.0 << "25:01:01";
    QTest::newRow("100 hours") << 360000.0 << "100:00:00";
    QTest::newRow("zero tenths hidden") << 0.04 << "00:00:00";
    QTest::newRow("tie to even") << 5.25 << "00:00:05.2";
    QTest::newRow("carry into minutes") << 59.96 << "00:01:00";
    QTest::newRow("carry into hours") << 3599.96 << "01:00:00";
    QTest::newRow("two fraction digits") << 83.45 << "00:01:23.5";
    QTest::newRow("below the 64-bit limit") << 3.6e9 << "1000000:00:00";
    QTest::newRow("negative is zero") << -5.0 << "00:00:00";
}

void TestTaskText::secondsToTime() {
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(SecondsToTime(seconds), text);
}

void TestTaskText::secondsToTimeReadsBack() {
    for (double s : {0.0, 0.1, 59.9, 3723.5, 360000.0})
        QCOMPARE(TimeToSeconds(SecondsToTime(s)), s);
}

void TestTaskText::fileBaseName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::newRow("one extension") << "movie.avi"
                                   << "movie";
    QTest::newRow("last extension only") << "archive.tar.gz"
                                         << "archive.tar";
    QTest::newRow("no point") << "movie"
                              << "movie";
    QTest::newRow("only point first") << ".hidden"
                                      << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("point in folder") << "/v.d/clip"
                                     << "/v";
}

void TestTaskText::fileBaseName() {
    QFETCH(QString, name);
    QFETCH(QString, base);
    QCOMPARE(FileBaseName(name), base);
}

void TestTaskText::isSupported_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("supported");
    QTest::newRow("avi") << "/v/a.avi" << true;
    QTest::newRow("upper case") << "/v/A.MPG" << true;
    QTest::newRow("mixed case") << "clip.Mpeg" << true;
    QTest::newRow("last of two") << "/v/a.mp4.asf" << true;
    QTest::newRow("not accepted") << "/v/a.flv" << false;
    QTest::newRow("no extension") << "/v/avi" << false;
    QTest::newRow("point only in folder") << "/v.avi/clip" << false;
    QTest::newRow("point only in drive folder") << "C:a.avi\\clip" << false;
    QTest::newRow("longer extension") << "/v/a.avix" << false;
    QTest::newRow("bare dot") << "/v/a." << false;
}

void TestTaskText::isSupported() {
    QFETCH(QString, path);
    QFETCH(bool, supported);
    QCOMPARE(IsSupported(path, InputExts()), supported);
}

void TestTaskText::ensureBackslash_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("result");
    QTest::newRow("appended") << "/home/out"
                              << "/home/out/";
    QTest::newRow("root") << "/"
                          << "/";
    QTest::newRow("already ends") << "/home/out/"
                                  << "/home/out/";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTaskText::ensureBackslash() {
    QFETCH(QString, folder);
    QFETCH(QString, result);
    QCOMPARE(EnsureBackslash(folder), result);
}

void TestTaskText::inputTypes() {
    QCOMPARE(InputExts(), QStringList({".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"}));
    QCOMPARE(InputMask(), QStringLiteral("*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;"));
    QCOMPARE(OpenDialogFilter(),
             QStringLiteral("All Support Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;)|"
                            "*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;|"
                            "AVI Files (*.avi)|*.avi|MPG Files (*.mpg)|*.mpg|MPEG Files (*.mpeg)|*.mpeg|"
                            "MP4 Files (*.mp4)|*.mp4|WMV Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|"
                            "VOB Files (*.vob)|*.vob|ASF Files (*.asf)|*.asf|All Files (*.*)|*.*"));
}

QTEST_APPLESS_MAIN(TestTaskText)
#include "tst_tasktext.moc"

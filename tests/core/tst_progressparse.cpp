// Progress values read out of single console records of the encoder.

#include "app/progressparse.h"

#include <QtTest>

class TestProgressParse : public QObject {
    Q_OBJECT
private slots:
    void value_data();
    void value();
};

void TestProgressParse::value_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("found");
    QTest::addColumn<double>("seconds");

    QTest::newRow("decimal seconds") << "frame=10 time=12.5 bitrate=1" << true << 12.5;
    QTest::newRow("decimal with sign") << "time=+3 x" << true << 3.0;
    QTest::newRow("time text") << "size=1kB time=00:01:02.50 bitrate=2" << true << 62.5;
    QTest::newRow("ffmpeg video line")
        << "frame=  125 fps=0.0 q=-1.0 Lsize=      76kB time=00:00:04.92 bitrate= 126.3kbits/s speed=9.6x    "
        << true << 4.92;
    QTest::newRow("ffmpeg audio-only line")
        << "size=N/A time=00:00:03.00 bitrate=N/A speed=5.95x" << true << 3.0;
    QTest::newRow("value ends the record") << "out_time=00:00:07.00" << true << 7.0;
    QTest::newRow("hours beyond a day") << "time=27:00:00.00 x" << true << 97200.0;

    QTest::newRow("metadata date") << "      creation_time   : 2024-01-01T00:00:00.000000Z" << false << 0.0;
    QTest::newRow("metadata date after =") << "creation_time=2024-01-01T00:00:00 x" << false << 0.0;
    QTest::newRow("not available")
        << "frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A" << false << 0.0;
    QTest::newRow("negative start time") << "size=0kB time=-00:00:00.04 bitrate=N/A" << false << 0.0;
    QTest::newRow("exponent") << "time=1e3 x" << false << 0.0;
    QTest::newRow("no time") << "Stream mapping:" << false << 0.0;
    QTest::newRow("nothing after time") << "time=" << false << 0.0;
    QTest::newRow("blank right after time") << "time= 12 x" << false << 0.0;
    QTest::newRow("only the first time counts") << "runtime=abc time=00:00:05.00 x" << false << 0.0;
}

void TestProgressParse::value() {
    QFETCH(QString, record);
    QFETCH(bool, found);
    QFETCH(double, seconds);

    const std::optional<double> value = ProgressSeconds(record);
    QCOMPARE(value.has_value(), found);
    if (found)
        QCOMPARE(*value, seconds);
}

QTEST_APPLESS_MAIN(TestProgressParse)
#include "tst_progressparse.moc"

// The console splitter must give the same records however the pipe happened to cut the bytes.
#include "app/consolelines.h"

#include <QTest>

class TestConsoleLines : public QObject {
    Q_OBJECT
private slots:
    void sameRecordsForEveryChunking_data();
    void sameRecordsForEveryChunking();
};

namespace {

QStringList Split(const QByteArray& text, const QList<qsizetype>& cuts) {
    ConsoleLines lines;
    QStringList records;
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        records << lines.feed(text.mid(from, cut - from));
        from = cut;
    }
    records << lines.feed(text.mid(from));
    records << lines.flush();
    return records;
}

} // namespace

void TestConsoleLines::sameRecordsForEveryChunking_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("records");

    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("lf lines and blank line") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"};
    QTest::newRow("crlf lines") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("bare cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("cr then crlf") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("unfinished tail") << QByteArray("a\npartial") << QStringList{"a", "partial"};
    QTest::newRow("ffmpeg progress")
        << QByteArray("  Duration: 00:00:02.00, start: 0.000000\n"
                      "frame=   10 fps=0.0 q=-1.0 size=0kB time=00:00:00.40 speed=1x\r"
                      "frame=   50 fps=0.0 q=-1.0 Lsize=29kB time=00:00:02.00 speed=2x\r\n"
                      "video:28kB audio:0kB\n")
        << QStringList{"  Duration: 00:00:02.00, start: 0.000000",
                       "frame=   10 fps=0.0 q=-1.0 size=0kB time=00:00:00.40 speed=1x",
                       "frame=   50 fps=0.0 q=-1.0 Lsize=29kB time=00:00:02.00 speed=2x",
                       "video:28kB audio:0kB"};
    QTest::newRow("utf-8 letters") << QString("Ünïcode ✓\r\nfrom '/tmp/ø ü.avi':").toUtf8()
                                   << QStringList{"Ünïcode ✓", "from '/tmp/ø ü.avi':"};
}

void TestConsoleLines::sameRecordsForEveryChunking() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, records);

    QCOMPARE(Split(text, {}), records);

    QList<qsizetype> everyByte;
    for (qsizetype i = 1; i < text.size(); ++i)
        everyByte << i;
    QCOMPARE(Split(text, everyByte), records);

    // Every single cut, which includes one between the "\r" and the "\n" of each "\r\n".
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QStringList got = Split(text, {i});
        if (got != records)
            QFAIL(qPrintable(QString("cut at %1 gave %2").arg(i).arg(got.join('|'))));
    }
}

QTEST_APPLESS_MAIN(TestConsoleLines)
#include "tst_consolelines.moc"

// Elapsed and remaining time of a run, ticked once a second.

#include "app/runtiming.h"

#include <QtTest>

class TestRunTiming : public QObject {
    Q_OBJECT
private slots:
    void afterTicks_data();
    void afterTicks();
    void estimateKeptWhileNoProgress();
};

void TestRunTiming::afterTicks_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("totalPercent");
    QTest::addColumn<qint64>("elapsed");
    QTest::addColumn<qint64>("remaining");

    QTest::newRow("first tick, no progress") << 1 << 0 << qint64(1) << qint64(0);
    QTest::newRow("90 ticks at 30%") << 90 << 30 << qint64(90) << qint64(210);
    QTest::newRow("10 ticks at 100%") << 10 << 100 << qint64(10) << qint64(0);
}

void TestRunTiming::afterTicks() {
    QFETCH(int, ticks);
    QFETCH(int, totalPercent);
    QFETCH(qint64, elapsed);
    QFETCH(qint64, remaining);

    RunTiming timing;
    for (int i = 0; i < ticks; ++i)
        timing.tick(totalPercent);
    QCOMPARE(timing.elapsed(), elapsed);
    QCOMPARE(timing.remaining(), remaining);
}

void TestRunTiming::estimateKeptWhileNoProgress() {
    RunTiming timing;
    timing.tick(50); // 1 / 0.5 - 1
    QCOMPARE(timing.remaining(), qint64(1));
    timing.tick(0);
    timing.tick(0);
    QCOMPARE(timing.elapsed(), qint64(3));
    QCOMPARE(timing.remaining(), qint64(1));

    timing.reset();
    QCOMPARE(timing.elapsed(), qint64(0));
    QCOMPARE(timing.remaining(), qint64(0));
    timing.tick(0);
    QCOMPARE(timing.remaining(), qint64(0));
}

QTEST_APPLESS_MAIN(TestRunTiming)
#include "tst_runtiming.moc"

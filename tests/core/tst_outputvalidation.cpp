// A change typed into the "Output" grid becomes the task's output name and clip range.
#include "app/outputvalidation.h"
#include "app/tasklistmodel.h"

#include <QTest>

namespace {

// A task as adding leaves it, with the clip range given as texts.
ltvItemData Task(const QString& length, const QString& clipStart, const QString& clipEnd) {
    TaskListModel model;
    model.appendTask("/v/clip.avi");
    const QStringList texts = {length,       "320x240", "OK",   "clip",    ".avi",
                               "00:00:00.0", length,    length, clipStart, clipEnd};
    for (int k = 0; k < texts.size(); ++k)
        model.setSubItem(0, k, texts[k]);
    ltvItemData rec;
    GetTaskData(model, 0, selAll, rec);
    return rec;
}

} // namespace

class TestOutputValidation : public QObject {
    Q_OBJECT
private slots:
    void clipRange_data();
    void clipRange();
    void fileName_data();
    void fileName();
    void unchangedGridRoundsLongLength();
    void unreadableLengthIsKept();
    void storeWritesOnlyOutputFields();
};

void TestOutputValidation::clipRange_data() {
    QTest::addColumn<QString>("clipStart");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("endText");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("length");
    // A 60-second task; the clip start is 0 unless a row says otherwise, the clip end 60.
    QTest::newRow("start inside") << "00:00:00.0"
                                  << "00:00:10"
                                  << "00:01:00.00"
                                  << "00:00:10"
                                  << "00:01:00"
                                  << "00:00:50";
    QTest::newRow("start beyond end") << "00:00:00.0"
                                      << "00:02:00"
                                      << "00:01:00.00"
                                      << "00:00:00"
                                      << "00:01:00"
                                      << "00:01:00";
    QTest::newRow("end beyond length") << "00:00:00.0"
                                       << "00:00:00.0"
                                       << "00:05:00"
                                       << "00:00:00"
                                       << "00:05:00"
                                       << "00:05:00";
    QTest::newRow("end zero") << "00:00:00.0"
                              << "00:00:00.0"
                              << "00:00:00"
                              << "00:00:00"
                              << "00:01:00"
                              << "00:01:00";
    QTest::newRow("end not a time") << "00:00:00.0"
                                    << "00:00:00.0"
                                    << "abc"
                                    << "00:00:00"
                                    << "00:01:00"
                                    << "00:01:00";
    QTest::newRow("start not a time") << "00:00:10"
                                      << "ten"
                                      << "00:00:30"
                                      << "00:00:10"
                                      << "00:00:30"
                                      << "00:00:20";
    QTest::newRow("negative start") << "00:00:10"
                                    << "0:0:-5"
                                    << "00:01:00.00"
                                    << "00:00:10"
                                    << "00:01:00"
                                    << "00:00:50";
    // The start fails against the new end and keeps 10; the end then fails against that start.
    QTest::newRow("end before kept start") << "00:00:10"
                                           << "00:00:10"
                                           << "00:00:05"
                                           << "00:00:10"
                                           << "00:01:00"
                                           << "00:00:50";
    QTest::newRow("both move") << "00:00:00.0"
                               << "00:00:01.25"
                               << "00:00:30.75"
                               << "00:00:01.2"
                               << "00:00:30.8"
                               << "00:00:29.5";
}

void TestOutputValidation::clipRange() {
    QFETCH(QString, clipStart);
    QFETCH(QString, startText);
    QFETCH(QString, endText);
    const ltvItemData rec = Task("00:01:00.00", clipStart, "00:01:00.00");
    const OutputEdit edit = ValidateOutput(rec, "clip.avi", startText, endText);
    QTEST(edit.ClipStartText, "start");
    QTEST(edit.ClipEndText, "end");
    QTEST(edit.ClipLengthText, "length");
}

void TestOutputValidation::fileName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ext");
    QTest::newRow("name and extension") << "clip.avi"
                                        << "clip"
                                        << ".avi";
    QTest::newRow("no extension") << "clip"
                                  << "clip"
                                  << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("two points") << "my.clip.mp4"
                                << "my.clip"
                                << ".mp4";
    QTest::newRow("point before separator") << "a.b/clip"
                                            << "a"
                                            << "";
    QTest::newRow("point before drive colon") << "c.d:clip"
                                              << "c"
                                              << "";
}

void TestOutputValidation::fileName() {
    QFETCH(QString, typed);
    const OutputEdit edit =
        ValidateOutput(Task("00:01:00.00", "00:00:00.0", "00:01:00.00"), typed, "00:00:00.0", "00:01:00.00");
    QTEST(edit.NewFileName, "name");
    QTEST(edit.OutputExt, "ext");
}

void TestOutputValidation::unchangedGridRoundsLongLength() {
    // Only the name was edited; the grid still shows the stored clip texts.
    const ltvItemData rec = Task("00:01:23.45", "00:00:00.0", "00:01:23.45");
    const OutputGridValues shown = OutputGridFor(rec, ".mp4");
    QCOMPARE(shown.NewFilename, QStringLiteral("clip.mp4"));
    const OutputEdit edit = ValidateOutput(rec, "renamed.mp4", shown.StartTime, shown.EndTime);
    QCOMPARE(edit.ClipStartText, QStringLiteral("00:00:00"));
    QCOMPARE(edit.ClipEndText, QStringLiteral("00:01:23.5"));
    QCOMPARE(edit.ClipLengthText, QStringLiteral("00:01:23.5"));
}

void TestOutputValidation::unreadableLengthIsKept() {
    // A task whose length could not be read: a rejected end must not become a zero-length clip.
    const ltvItemData rec = Task("N/A", "00:00:00.0", "N/A");
    const OutputEdit edit = ValidateOutput(rec, "clip.avi", "00:00:00.0", "N/A");
    QCOMPARE(edit.ClipStartText, QStringLiteral("00:00:00"));
    QCOMPARE(edit.ClipEndText, QStringLiteral("N/A"));
    QCOMPARE(edit.ClipLengthText, QStringLiteral("N/A"));
}

void TestOutputValidation::storeWritesOnlyOutputFields() {
    TaskListModel model;
    model.appendTask("/v/clip.avi");
    for (int k = 0; k < TaskListModel::kSubItems; ++k)
        model.setSubItem(0, k, "old" + QString::number(k));
    StoreOutputEdit(model, 0, {"name", ".ext", "start", "end", "length"});
    QCOMPARE(model.caption(0), QStringLiteral("/v/clip.avi"));
    const QStringList expected = {"old0", "old1", "old2",   "name",  ".ext",
                                  "old5", "old6", "length", "start", "end"};
    for (int k = 0; k < TaskListModel::kSubItems; ++k)
        QCOMPARE(model.subItem(0, k), expected[k]);
}

QTEST_APPLESS_MAIN(TestOutputValidation)
#include "tst_outputvalidation.moc"

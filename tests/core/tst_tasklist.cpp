// Task rows: copying between rows and records, the model's signals, and moving and removing rows.
#include "app/taskediting.h"
#include "app/tasklistmodel.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

namespace {

// Row i gets caption name and sub-item k the text name + k, so any mix-up of places shows.
int AddRow(TaskListModel& model, const QString& name) {
    const int row = model.appendTask(name);
    for (int k = 0; k < TaskListModel::kSubItems; ++k)
        model.setSubItem(row, k, name + QString::number(k));
    return row;
}

TaskListModel* Rows(const QString& names, QObject* parent) {
    auto* model = new TaskListModel(parent);
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
    for (QChar c : names)
        AddRow(*model, c);
    return model;
}

QString Captions(const TaskListModel& model) {
    QString s;
    for (int i = 0; i < model.rowCount(); ++i)
        s += model.caption(i);
    return s;
}

// Every field of a record as text, in record order: eleven texts, then the six seconds.
QStringList Fields(const ltvItemData& r) {
    QStringList f = {r.InputFile,      r.LengthText,    r.SizeText,      r.StatusText,
                     r.NewFileName,    r.OutputExt,     r.StartTimeText, r.EndTimeText,
                     r.ClipLengthText, r.ClipStartText, r.ClipEndText};
    for (double s : {r.LengthSec, r.StartSec, r.EndSec, r.ClipLengthSec, r.ClipStartSec, r.ClipEndSec})
        f.append(QString::number(s));
    return f;
}

QVector<bool> Flags(const QString& marks) {
    QVector<bool> v;
    for (QChar c : marks)
        v.append(c == u'x');
    return v;
}

QString Marks(const QVector<bool>& v) {
    QString s;
    for (bool b : v)
        s += b ? u'x' : u'.';
    return s;
}

} // namespace

class TestTaskList : public QObject {
    Q_OBJECT
private slots:
    void visibleColumns();
    void getAllReadsEveryField();
    void getSingleSelectorTouchesOneField_data();
    void getSingleSelectorTouchesOneField();
    void setStatusChangesOnlyStatus();
    void setAllWritesEveryText();
    void unknownSelectorDoesNothing();
    void move_data();
    void move();
    void removeSelected();
    void removeUpdatesSelectionModel();
};

void TestTaskList::visibleColumns() {
    QObject owner;
    TaskListModel& model = *Rows("A", &owner);
    model.setStatusToolTip(0, "console tail");
    QCOMPARE(model.columnCount(), 4);
    const QStringList titles = {"Input File", "Length", "Size", "Status"};
    const QStringList shown = {"A", "A0", "A1", "A2"};
    for (int c = 0; c < 4; ++c) {
        QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), titles[c]);
        QCOMPARE(model.data(model.index(0, c)).toString(), shown[c]);
    }
    QCOMPARE(model.data(model.index(0, 3), Qt::ToolTipRole).toString(), QStringLiteral("console tail"));
    QVERIFY(!model.data(model.index(0, 1), Qt::ToolTipRole).isValid());
}

void TestTaskList::getAllReadsEveryField() {
    TaskListModel model;
    model.appendTask("/v/a.avi");
    const QStringList texts = {"00:01:00.00", "320x240",     "OK",       "a",          ".mp4",
                               "00:00:00.0",  "00:01:00.00", "00:00:50", "not a time", "00:01:00"};
    for (int k = 0; k < texts.size(); ++k)
        model.setSubItem(0, k, texts[k]);

    ltvItemData rec;
    GetTaskData(model, 0, selAll, rec);
    QCOMPARE(rec.InputFile, QStringLiteral("/v/a.avi"));
    QCOMPARE(Fields(rec).mid(1, 10), texts);
    QCOMPARE(rec.LengthSec, 60.0);
    QCOMPARE(rec.StartSec, 0.0);
    QCOMPARE(rec.EndSec, 60.0);
    QCOMPARE(rec.ClipLengthSec, 50.0);
    QCOMPARE(rec.ClipStartSec, -1.0);
    QCOMPARE(rec.ClipEndSec, 60.0);
}

void TestTaskList::getSingleSelectorTouchesOneField_data() {
    QTest::addColumn<int>("selector");
    for (int s = -1; s < TaskListModel::kSubItems; ++s)
        QTest::addRow("selector %d", s) << s;
}

void TestTaskList::getSingleSelectorTouchesOneField() {
    QFETCH(int, selector);
    TaskListModel model;
    model.appendTask("/v/new.avi");
    for (int k = 0; k < TaskListModel::kSubItems; ++k)
        model.setSubItem(0, k, "0:0:" + QString::number(k + 1));
    ltvItemData before;
    GetTaskData(model, 0, selAll, before);

    model.setCaption(0, "/v/changed.avi");
    for (int k = 0; k < TaskListModel::kSubItems; ++k)
        model.setSubItem(0, k, "0:1:" + QString::number(k + 1));
    ltvItemData after;
    GetTaskData(model, 0, selAll, after);

    ltvItemData rec = before;
    GetTaskData(model, 0, selector, rec);
    // Field 0 is the caption, fields 1..10 the sub-items, then the six seconds of sub-items 0, 5..9.
    const QStringList was = Fields(before);
    const QStringList now = Fields(after);
    QStringList expected = was;
    expected[selector + 1] = now[selector + 1];
    const int secondsField = selector == 0 ? 11 : selector >= 5 ? 12 + selector - 5 : -1;
    if (secondsField > 0)
        expected[secondsField] = now[secondsField];
    QCOMPARE(Fields(rec), expected);
}

void TestTaskList::setStatusChangesOnlyStatus() {
    QObject owner;
    TaskListModel& model = *Rows("AB", &owner);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    ltvItemData rec;
    GetTaskData(model, 1, selAll, rec);
    rec.InputFile = "other";
    rec.LengthText = "other";
    rec.StatusText = kStatusComplete;
    rec.ClipEndText = "other";
    SetTaskData(model, 1, 2, rec);

    QCOMPARE(model.subItem(1, 2), kStatusComplete);
    QCOMPARE(model.caption(1), QStringLiteral("B"));
    for (int k : {0, 1, 3, 4, 5, 6, 7, 8, 9})
        QCOMPARE(model.subItem(1, k), "B" + QString::number(k));
    QCOMPARE(model.subItem(0, 2), QStringLiteral("A2"));
    // The view repaints exactly the "Status" cell of that row.
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), model.index(1, 3));
    QCOMPARE(changed[0][1].toModelIndex(), model.index(1, 3));
}

void TestTaskList::setAllWritesEveryText() {
    QObject owner;
    TaskListModel& model = *Rows("AB", &owner);
    ltvItemData rec;
    GetTaskData(model, 0, selAll, rec);
    SetTaskData(model, 1, selAll, rec);
    QCOMPARE(model.caption(1), QStringLiteral("A"));
    for (int k = 0; k < TaskListModel::kSubItems; ++k)
        QCOMPARE(model.subItem(1, k), "A" + QString::number(k));
}

void TestTaskList::unknownSelectorDoesNothing() {
    QObject owner;
    TaskListModel& model = *Rows("A", &owner);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    ltvItemData rec;
    rec.InputFile = "x";
    rec.LengthText = "x";
    rec.ClipEndText = "x";
    for (int selector : {-3, 10, 42}) {
        SetTaskData(model, 0, selector, rec);
        GetTaskData(model, 0, selector, rec);
    }
    QCOMPARE(changed.size(), 0);
    QCOMPARE(rec.InputFile, QStringLiteral("x"));
    QCOMPARE(rec.LengthText, QStringLiteral("x"));
    QCOMPARE(rec.ClipEndText, QStringLiteral("x"));
}

void TestTaskList::move_data() {
    // Rows as captions, selection as marks: "x" selected, "." not.
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("rowsAfter");
    QTest::addColumn<QString>("selectionAfter");
    QTest::newRow("up: block of two") << true << "ABC"
                                      << ".xx"
                                      << "BCA"
                                      << "xx.";
    QTest::newRow("up: first row stays") << true << "ABC"
                                         << "x.."
                                         << "ABC"
                                         << "x..";
    QTest::newRow("up: first two") << true << "ABC"
                                   << "xx."
                                   << "BAC"
                                   << "x..";
    QTest::newRow("up: all") << true << "ABC"
                             << "xxx"
                             << "BCA"
                             << "xx.";
    QTest::newRow("up: apart") << true << "ABCDE"
                               << ".x.x."
                               << "BADCE"
                               << "x.x..";
    QTest::newRow("up: none") << true << "ABC"
                              << "..."
                              << "ABC"
                              << "...";
    QTest::newRow("down: block of two") << false << "ABCD"
                                        << ".xx."
                                        << "ADBC"
                                        << "..xx";
    QTest::newRow("down: last two") << false << "ABC"
                                    << ".xx"
                                    << "ACB"
                                    << "..x";
    QTest::newRow("down: last row stays") << false << "ABC"
                                          << "..x"
                                          << "ABC"
                                          << "..x";
    QTest::newRow("down: none") << false << "ABC"
                                << "..."
                                << "ABC"
                                << "...";
    // A selection that is shorter than the list counts the missing rows as not selected.
    QTest::newRow("down: short selection") << false << "ABC"
                                           << "x"
                                           << "BAC"
                                           << ".x.";
}

void TestTaskList::move() {
    QFETCH(bool, up);
    QFETCH(QString, rows);
    QFETCH(QString, selection);
    QFETCH(QString, rowsAfter);
    QFETCH(QString, selectionAfter);

    QObject owner;
    TaskListModel& model = *Rows(rows, &owner);
    // A status and its tool tip belong to the row and move with it.
    const int b = model.findCaption("B");
    model.setSubItem(b, 2, kStatusFailed);
    model.setStatusToolTip(b, "B failed");

    QVector<bool> selected = Flags(selection);
    up ? MoveUp(model, selected) : MoveDown(model, selected);

    QCOMPARE(Captions(model), rowsAfter);
    QCOMPARE(Marks(selected), selectionAfter);
    for (int i = 0; i < model.rowCount(); ++i) {
        const QString name = model.caption(i);
        for (int k : {0, 1, 3, 9})
            QCOMPARE(model.subItem(i, k), name + QString::number(k));
        QCOMPARE(model.subItem(i, 2), name == "B" ? kStatusFailed : name + "2");
        QCOMPARE(model.statusToolTip(i), name == "B" ? QStringLiteral("B failed") : QString());
    }
}

void TestTaskList::removeSelected() {
    QObject owner;
    TaskListModel& model = *Rows("ABCDE", &owner);
    QVector<bool> selected = Flags(".x.x.");
    RemoveSelected(model, selected);
    QCOMPARE(Captions(model), QStringLiteral("ACE"));
    QCOMPARE(Marks(selected), QStringLiteral("..."));
    QCOMPARE(model.subItem(1, 9), QStringLiteral("C9"));

    selected = Flags("...");
    RemoveSelected(model, selected);
    QCOMPARE(Captions(model), QStringLiteral("ACE"));
    selected = Flags("xxx");
    RemoveSelected(model, selected);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(selected.isEmpty());
}

void TestTaskList::removeUpdatesSelectionModel() {
    // The view's selection lives in a selection model that only the row signals keep right.
    QObject owner;
    TaskListModel& model = *Rows("ABCDE", &owner);
    QItemSelectionModel selection(&model);
    selection.select(model.index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QVector<bool> selected = Flags(".x.x.");
    RemoveSelected(model, selected);
    QCOMPARE(selection.selectedRows().size(), 1);
    QCOMPARE(selection.selectedRows().first().row(), 2);

    model.clearTasks();
    QVERIFY(selection.selectedRows().isEmpty());
    QCOMPARE(model.rowCount(), 0);
}

QTEST_APPLESS_MAIN(TestTaskList)
#include "tst_tasklist.moc"

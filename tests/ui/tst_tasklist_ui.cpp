// The task list of a real main window in a throw-away program folder whose encoder is the fake:
// adding through the dialogs, the pop-up menu, the keys, and the per-task output grid with its tip.
#include "app/ui/mainform.h"
#include "profiles/ui/valuelisteditor.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <memory>

namespace {

// Every probe reports ten seconds and 320x240 unless its file name holds "bad".
const QStringList kProbeScript = {
    QStringLiteral("ifarg bad exit 1"),
    QStringLiteral("echoargs"),
    QStringLiteral("line   Duration: 00:00:10.00, start: 0.000000, bitrate: 100 kb/s"),
    QStringLiteral("line     Stream #0:0: Video: mpeg4, yuv420p, 320x240, 25 fps"),
};

struct Window {
    TestProgramDir dir{QStringLiteral(RW_FAKE_ENCODER), false};
    FakeDesktop desktop;
    std::unique_ptr<TMainForm> form;

    Window() {
        form = std::make_unique<TMainForm>(dir.path(), QStringList{}, &desktop);
        form->CreateDialogs();
        form->show();
        form->ProfileExt = QStringLiteral(".mp4");
    }
    ~Window() { form->hide(); }

    QStringList captions() const {
        QStringList out;
        for (int r = 0; r < form->taskModel()->rowCount(); ++r)
            out << form->taskModel()->caption(r);
        return out;
    }
    ltvItemData row(int r) const {
        ltvItemData rec;
        form->GetTaskData(r, selAll, rec);
        return rec;
    }
    QString grid(const QString& key) const { return form->vleOutput->model()->valueOf(key); }
    void addFiles(const QStringList& paths) {
        for (const QString& p : paths)
            form->AddTaskFile(p);
        form->EnableListButtons();
    }
    void select(const QVector<int>& rows) {
        QItemSelectionModel* sel = form->ltvTask->selectionModel();
        sel->clearSelection();
        for (int r : rows)
            sel->select(form->taskModel()->index(r, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    bool listButtonsEnabled() const {
        return form->tbtnUp->isEnabled() && form->tbtnDown->isEnabled() && form->tbtnRemove->isEnabled() &&
               form->tbtnClear->isEnabled() && form->tbtnStart->isEnabled();
    }
    bool listButtonsDisabled() const {
        return !form->tbtnUp->isEnabled() && !form->tbtnDown->isEnabled() && !form->tbtnRemove->isEnabled() &&
               !form->tbtnClear->isEnabled() && !form->tbtnStart->isEnabled();
    }
    // A press on the output grid's value cell of its first row, as the user makes it.
    void pressGrid() {
        ValueListEditor* g = form->vleOutput;
        const QRect cell = g->visualRect(g->model()->index(0, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QList<QWidget*> tips() const { return form->findChildren<QWidget*>(QStringLiteral("tipWindow")); }
};

QString Touch(const QString& path) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    return path;
}

} // namespace

class TestTaskListUi : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> scriptDir_;
    std::unique_ptr<ScopedEnv> script_;

private slots:
    void initTestCase() {
        scriptDir_ = std::make_unique<QTemporaryDir>();
        script_ =
            std::make_unique<ScopedEnv>("RW_FAKE_SCRIPT", WriteFakeScript(scriptDir_->path(), kProbeScript));
    }

    void dialogAddsSecondToLastThenFirst() {
        Window w;
        w.desktop.openAnswers.enqueue({"/v/A.avi", "/v/B.avi", "/v/C.avi"});
        w.form->tbtnAddFileClick();

        QCOMPARE(w.desktop.openFilters, QStringList{w.form->OpenDialogFilterText});
        QCOMPARE(w.captions(), (QStringList{"/v/B.avi", "/v/C.avi", "/v/A.avi"}));
        QVERIFY(w.form->selectedRows().isEmpty()); // several rows: no selection made
        QVERIFY(w.listButtonsEnabled());
        QCOMPARE(w.grid("New Filename"), QString());
    }

    void oneFileThroughDialogIsShownInGrid() {
        Window w;
        w.desktop.openAnswers.enqueue({"/v/movie.mpeg"});
        w.form->tbtnAddFileClick();

        QCOMPARE(w.form->selectedRows(), QVector<int>{0});
        const ltvItemData rec = w.row(0);
        QCOMPARE(rec.StatusText, QStringLiteral("OK"));
        QCOMPARE(rec.LengthText, QStringLiteral("00:00:10.00"));
        QCOMPARE(rec.SizeText, QStringLiteral(" 320x240"));
        QCOMPARE(rec.NewFileName, QStringLiteral("movie"));
        QCOMPARE(rec.OutputExt, QStringLiteral(".mp4"));
        QCOMPARE(rec.ClipStartText, QStringLiteral("00:00:00.0"));
        QCOMPARE(rec.ClipEndText, QStringLiteral("00:00:10.00"));
        QCOMPARE(w.grid("New Filename"), QStringLiteral("movie.mp4"));
        QCOMPARE(w.grid("Start Time"), QStringLiteral("00:00:00.0"));
        QCOMPARE(w.grid("End Time"), QStringLiteral("00:00:10.00"));
        QVERIFY(w.form->vleOutput->editingEnabled());

        // A second file leaves the selection and the grid alone; a known path is not added again,
        // the same path in other letters is.
        w.desktop.openAnswers.enqueue({"/v/other.avi", "/v/movie.mpeg", "/v/MOVIE.mpeg"});
        w.form->tbtnAddFileClick();
        QCOMPARE(w.captions(), (QStringList{"/v/movie.mpeg", "/v/MOVIE.mpeg", "/v/other.avi"}));
        QCOMPARE(w.form->selectedRows(), QVector<int>{0});
    }

    void folderAddsDirectMatchesSortedWithFreshProbes() {
        Window w;
        QTemporaryDir src;
        const QString d = src.path() + '/';
        QDir().mkpath(d + "sub");
        for (const char* name : {"c.MP4", "A.avi", "bad.avi", ".hidden.avi", "notes.txt", "sub/d.avi"})
            Touch(d + name);

        w.form->tbtnAddDirClick(); // cancelled: nothing, buttons stay off
        QCOMPARE(w.form->taskModel()->rowCount(), 0);
        QVERIFY(w.listButtonsDisabled());

        w.desktop.folderAnswers.enqueue(src.path());
        w.form->tbtnAddDirClick();
        QCOMPARE(w.desktop.folderTitles.last(), QStringLiteral("Add a directory to the Task List"));
        QCOMPARE(w.captions(), (QStringList{d + "A.avi", d + "bad.avi", d + "c.MP4"}));
        QVERIFY(w.listButtonsEnabled());
        // The failed probe of bad.avi does not inherit A.avi's length and size.
        QCOMPARE(w.row(0).LengthText, QStringLiteral("00:00:10.00"));
        QCOMPARE(w.row(1).LengthText, QString());
        QCOMPARE(w.row(1).SizeText, QString());
        QCOMPARE(w.row(2).LengthText, QStringLiteral("00:00:10.00"));
    }

    void popupEnabledStates_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QVector<int>>("selected");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("remove");
        QTest::addColumn<bool>("clear");
        QTest::newRow("empty list") << 0 << QVector<int>{} << false << false << false;
        QTest::newRow("rows, none selected") << 2 << QVector<int>{} << false << false << true;
        QTest::newRow("one selected") << 2 << QVector<int>{1} << true << true << true;
    }
    void popupEnabledStates() {
        QFETCH(int, rows);
        QFETCH(QVector<int>, selected);
        QFETCH(bool, open);
        QFETCH(bool, remove);
        QFETCH(bool, clear);
        Window w;
        for (int r = 0; r < rows; ++r)
            w.form->AddTaskFile(QStringLiteral("/v/%1.avi").arg(r));
        w.select(selected);
        // Earlier states must not leak into the next opening.
        for (QAction* a :
             {w.form->Open1, w.form->AddFiles1, w.form->AddDirectorys1, w.form->Remove1, w.form->Clear1})
            a->setEnabled(!a->isEnabled());
        w.form->ppmTaskPopup();

        QCOMPARE(w.form->Open1->isEnabled(), open);
        QCOMPARE(w.form->Remove1->isEnabled(), remove);
        QCOMPARE(w.form->Clear1->isEnabled(), clear);
        QVERIFY(w.form->AddFiles1->isEnabled());
        QVERIFY(w.form->AddDirectorys1->isEnabled());
    }

    void deleteRemovesSelectedAndBackspaceClears() {
        Window w;
        w.addFiles({"/v/0.avi", "/v/1.avi", "/v/2.avi", "/v/3.avi", "/v/4.avi"});
        w.select({1});
        w.form->ltvTaskClick();
        QCOMPARE(w.grid("New Filename"), QStringLiteral("1.mp4"));
        w.select({1, 3});
        w.form->ltvTask->setFocus();

        QTest::keyClick(w.form->ltvTask, Qt::Key_Delete);
        QCOMPARE(w.captions(), (QStringList{"/v/0.avi", "/v/2.avi", "/v/4.avi"}));
        QVERIFY(w.form->selectedRows().isEmpty());
        QCOMPARE(w.grid("New Filename"), QString());
        QCOMPARE(w.grid("Start Time"), QString());
        QCOMPARE(w.grid("End Time"), QString());
        QVERIFY(w.listButtonsEnabled());

        QTest::keyClick(w.form->ltvTask, Qt::Key_Backspace);
        QCOMPARE(w.form->taskModel()->rowCount(), 0);
        QVERIFY(w.listButtonsDisabled());
        QVERIFY(w.desktop.messages.isEmpty()); // nothing asked
    }

    void moveKeepsSelectionOnMovedRows() {
        Window w;
        w.addFiles({"/v/A.avi", "/v/B.avi", "/v/C.avi"});
        w.select({1, 2});
        w.form->tbtnUpClick();
        QCOMPARE(w.captions(), (QStringList{"/v/B.avi", "/v/C.avi", "/v/A.avi"}));
        QCOMPARE(w.form->selectedRows(), (QVector<int>{0, 1}));
        w.form->tbtnDownClick();
        QCOMPARE(w.captions(), (QStringList{"/v/A.avi", "/v/B.avi", "/v/C.avi"}));
        QCOMPARE(w.form->selectedRows(), (QVector<int>{1, 2}));
    }

    void gridFollowsTheFirstSelectedRowWhateverMovedIt() {
        Window w;
        w.addFiles({"/v/A.avi", "/v/B.avi", "/v/C.avi"});
        w.select({0});
        w.form->ltvTask->selectionModel()->setCurrentIndex(w.form->taskModel()->index(0, 0),
                                                           QItemSelectionModel::NoUpdate);
        w.form->ltvTaskClick();
        QCOMPARE(w.grid("New Filename"), QStringLiteral("A.mp4"));

        // The keys move the selection without a click; an edit must still reach the task shown.
        w.form->ltvTask->setFocus();
        QTest::keyClick(w.form->ltvTask, Qt::Key_Down);
        QCOMPARE(w.form->selectedRows(), QVector<int>{1});
        QCOMPARE(w.grid("New Filename"), QStringLiteral("B.mp4"));
        w.form->vleOutput->model()->setValueOf("End Time", "abc");
        w.form->vleOutputValidate();
        QCOMPARE(w.row(1).NewFileName, QStringLiteral("B"));
        QCOMPARE(w.row(0).NewFileName, QStringLiteral("A"));

        // A move keeps the same task first, so the grid keeps what was typed.
        w.form->tbtnUpClick();
        QCOMPARE(w.captions(), (QStringList{"/v/B.avi", "/v/A.avi", "/v/C.avi"}));
        QCOMPARE(w.grid("End Time"), QStringLiteral("abc"));

        // Nothing selected any more: nothing shown, so a press brings the tip.
        w.form->ltvTask->selectionModel()->clearSelection();
        QCOMPARE(w.grid("New Filename"), QString());
        QCOMPARE(w.grid("End Time"), QString());
    }

    void tipBlocksEditingWhileNoTaskIsShown_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("at start") << "start";
        QTest::newRow("after Remove") << "remove";
        QTest::newRow("after Clear") << "clear";
        QTest::newRow("name cleared by hand") << "by hand";
    }
    void tipBlocksEditingWhileNoTaskIsShown() {
        QFETCH(QString, how);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        if (how != "start") {
            w.addFiles({"/v/A.avi", "/v/B.avi"});
            w.select({0});
            w.form->ltvTaskClick();
            QVERIFY(!w.grid("New Filename").isEmpty());
            if (how == "remove")
                w.form->tbtnRemoveClick();
            else if (how == "clear")
                w.form->tbtnClearClick();
            else
                w.form->vleOutput->model()->setData(w.form->vleOutput->model()->index(0, 1), QString());
        }

        w.pressGrid();
        QCOMPARE(w.tips().size(), 1);
        QWidget* tip = w.tips().first();
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->findChild<QLabel*>("tipTitle")->text(), QStringLiteral("Tip:"));
        QCOMPARE(tip->findChild<QLabel*>("tipText")->text(),
                 QStringLiteral("Please select a file in Task List."));
        QVERIFY(!w.form->vleOutput->editingEnabled());
        QTest::mouseDClick(w.form->vleOutput->viewport(), Qt::LeftButton, {},
                           w.form->vleOutput->visualRect(w.form->vleOutput->model()->index(1, 1)).center());
        QVERIFY(!w.form->vleOutput->activeEditor());

        // Pressing again reuses the one balloon.
        const int windows = QApplication::topLevelWidgets().size();
        w.pressGrid();
        w.pressGrid();
        QCOMPARE(w.tips().size(), 1);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);

        // Showing a task makes the grid editable again.
        if (how != "start" && w.form->taskModel()->rowCount() > 0) {
            w.select({0});
            w.form->ltvTaskClick();
            QVERIFY(w.form->vleOutput->editingEnabled());
        }
    }

    void firstSelectedRowIsEdited() {
        Window w;
        w.addFiles({"/v/A.avi", "/v/B.avi", "/v/C.avi"});
        w.select({1, 2});
        w.form->ltvTaskClick();
        QCOMPARE(w.grid("New Filename"), QStringLiteral("B.mp4"));

        ValueListModel* grid = w.form->vleOutput->model();
        grid->setValueOf("New Filename", "renamed.avi");
        grid->setValueOf("Start Time", "00:00:02");
        grid->setValueOf("End Time", "abc");
        w.form->vleOutputValidate();

        const ltvItemData b = w.row(1);
        QCOMPARE(b.NewFileName, QStringLiteral("renamed"));
        QCOMPARE(b.OutputExt, QStringLiteral(".avi"));
        QCOMPARE(b.ClipStartText, QStringLiteral("00:00:02"));
        QCOMPARE(b.ClipEndText, QStringLiteral("00:00:10"));
        QCOMPARE(b.ClipLengthText, QStringLiteral("00:00:08"));
        QCOMPARE(w.row(2).NewFileName, QStringLiteral("C"));
        QCOMPARE(w.row(2).ClipStartText, QStringLiteral("00:00:00.0"));
        QCOMPARE(grid->valueOf("End Time"), QStringLiteral("abc")); // the grid keeps what was typed
    }
};

QTEST_MAIN(TestTaskListUi)
#include "tst_tasklist_ui.moc"

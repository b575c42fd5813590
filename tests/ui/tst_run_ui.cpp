// Batch runs through a real main window: Start's checks, the locked controls, progress from the
// fake encoder, Stop, failures, the completion actions in order, closing during a run, and one run
// with the real encoder that honours a task's new name and clip.
#include "app/ui/mainform.h"
#include "profiles/ui/valuelisteditor.h"
#include "settings/ui/settingform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <memory>

namespace {

// Probes report ten seconds; conversions (their output lies in "outdir_zq") print progress.
QStringList Script(const QStringList& conversion) {
    QStringList lines = {
        QStringLiteral("echoargs"),
        QStringLiteral("line   Duration: 00:00:10.00, start: 0.000000, bitrate: 100 kb/s"),
        QStringLiteral("line     Stream #0:0: Video: mpeg4, yuv420p, 320x240, 25 fps"),
    };
    for (const QString& line : conversion)
        lines << QStringLiteral("ifarg outdir_zq ") + line;
    return lines;
}

// A desktop that also keeps one log of everything in the order it happened.
class RecordingDesktop : public FakeDesktop {
public:
    QStringList events;
    void message(QWidget* owner, const QString& text, const QString& caption, Icon icon) override {
        events << QStringLiteral("message:") + text;
        FakeDesktop::message(owner, text, caption, icon);
    }
    bool askYesNo(QWidget* owner, const QString& text, const QString& caption) override {
        events << QStringLiteral("ask:") + text;
        return FakeDesktop::askYesNo(owner, text, caption);
    }
    void shellOpen(const QString& path) override {
        events << QStringLiteral("open:") + path;
        FakeDesktop::shellOpen(path);
    }
    void powerOff() override {
        events << QStringLiteral("poweroff");
        FakeDesktop::powerOff();
    }
};

class CloseLogger : public QObject {
public:
    explicit CloseLogger(QStringList* events) : events_(events) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close)
            *events_ << QStringLiteral("close");
        return false;
    }

private:
    QStringList* events_;
};

// Live (not yet reaped or zombie) child processes of this test.
int LiveChildren() {
    const QByteArray me = QByteArray::number(QCoreApplication::applicationPid());
    int count = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == me && fields[0] != "Z")
            ++count;
    }
    return count;
}

struct Window {
    TestProgramDir dir;
    QTemporaryDir work;
    RecordingDesktop desktop;
    std::unique_ptr<TMainForm> form;
    CloseLogger closes{&desktop.events};
    QString src, out;

    explicit Window(const QString& encoder = QStringLiteral(RW_FAKE_ENCODER)) : dir(encoder, false) {
        src = work.path() + QStringLiteral("/srcdir/");
        out = work.path() + QStringLiteral("/outdir_zq/");
        QDir().mkpath(src);
        QDir().mkpath(out);
    }
    void open() {
        form = std::make_unique<TMainForm>(dir.path(), QStringList{}, &desktop);
        form->CreateDialogs();
        form->show();
        form->installEventFilter(&closes);
        form->edtOutputdir->setText(out);
        form->SettingForm->chkOpenDir->setChecked(false);
        form->SettingForm->chkExit->setChecked(false);
        form->SettingForm->chkTurnoff->setChecked(false);
        form->SettingForm->rdbOverWrite->setChecked(true);
    }
    ~Window() {
        if (form)
            form->removeEventFilter(&closes);
    }
    void addTasks(const QStringList& names) {
        form->ProfileExt = QStringLiteral(".mp4");
        for (const QString& n : names) {
            QFile(src + n).open(QIODevice::WriteOnly);
            form->AddTaskFile(src + n);
        }
        form->EnableListButtons();
    }
    QString status(int row) const { return form->taskModel()->subItem(row, 2); }
    QStringList outputs() const { return QDir(out).entryList(QDir::Files | QDir::Hidden); }
};

QWidget* Control(TMainForm& f, const char* name) {
    return f.findChild<QWidget*>(QString::fromLatin1(name));
}

} // namespace

class TestRunUi : public QObject {
    Q_OBJECT
    QTemporaryDir scripts_;

    std::unique_ptr<ScopedEnv> useScript(const QStringList& conversion) {
        return std::make_unique<ScopedEnv>("RW_FAKE_SCRIPT",
                                           WriteFakeScript(scripts_.path(), Script(conversion)));
    }

private slots:
    void initTestCase() { qApp->setQuitOnLastWindowClosed(false); }

    void startChecksFolderThenList() {
        Window w;
        w.open();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.form->edtOutputdir->setText(w.out + QStringLiteral("missing"));
        w.form->tbtnStartClick();
        QCOMPARE(w.desktop.messages.size(), 1);
        QCOMPARE(w.desktop.messages[0].text,
                 QStringLiteral("The output path does not exist. Please specify another one."));
        QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Output path does not exist"));
        QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::Information);
        QTRY_VERIFY(w.form->edtOutputdir->hasFocus());
        QCOMPARE(w.form->RunState, int(rsIdle));

        // An existing folder and an empty list: nothing at all.
        w.form->edtOutputdir->setText(w.out);
        w.form->tbtnStartClick();
        QCOMPARE(w.desktop.messages.size(), 1);
        QCOMPARE(w.form->RunState, int(rsIdle));
        QVERIFY(w.form->panBottomLeft->isHidden());
        QVERIFY(!w.form->tbtnStop->isEnabled());
    }

    void lockAndUnlock() {
        Window w;
        w.open();
        const char* locked[] = {"tbtnAddFile", "tbtnAddDir",  "tbtnUp",    "tbtnDown",
                                "tbtnRemove",  "tbtnClear",   "tbtnStart", "tbtnSetting",
                                "ltvTask",     "panSplitter", "gpbProfile"};
        // About, Help and the preview's own buttons keep whatever state they had.
        const char* untouched[] = {"tbtnAbout", "tbtnHelp", "sbtnPlay", "sbtnPause", "sbtnStop", "TrackBar"};
        QVector<bool> before;
        for (const char* name : untouched)
            before << Control(*w.form, name)->isEnabled();
        QVERIFY(w.form->tbtnAbout->isEnabled());
        w.form->LockControls();
        for (const char* name : locked)
            QVERIFY2(!Control(*w.form, name)->isEnabled(), name);
        QVERIFY(w.form->tbtnStop->isEnabled());
        for (int i = 0; i < int(std::size(untouched)); ++i)
            QVERIFY2(Control(*w.form, untouched[i])->isEnabled() == before[i], untouched[i]);
        w.form->UnlockControls();
        for (const char* name : locked)
            QVERIFY2(Control(*w.form, name)->isEnabled(), name);
        QVERIFY(!w.form->tbtnStop->isEnabled());
    }

    void runShowsProgressAndCompletes() {
        auto env = useScript({"progress 10 5 60"});
        Window w;
        w.open();
        w.addTasks({"a.avi", "b.avi"});
        QSignalSpy current(w.form->pgbCurrent, &QProgressBar::valueChanged);
        QSignalSpy total(w.form->pgbTotal, &QProgressBar::valueChanged);
        QSignalSpy ended(w.form.get(), &TMainForm::runEnded);

        w.form->tbtnStartClick();
        QCOMPARE(w.form->RunState, int(rsRunning));
        QVERIFY(w.form->panBottomCenter->isHidden());
        QVERIFY(!w.form->panBottomLeft->isHidden());
        QVERIFY(!w.form->ltvTask->isEnabled());
        QVERIFY(w.form->tbtnStop->isEnabled());
        QTRY_COMPARE(w.status(0), QStringLiteral("Converting"));
        QCOMPARE(w.form->labConvertingFile->text(), QStringLiteral("a.avi"));
        QVERIFY(ended.wait(20000));

        QCOMPARE(w.status(0), QStringLiteral("Complete"));
        QCOMPARE(w.status(1), QStringLiteral("Complete"));
        QVERIFY(current.count() >= 5);
        const auto seen = [](const QSignalSpy& spy, int v) {
            for (const auto& args : spy)
                if (args.at(0).toInt() == v)
                    return true;
            return false;
        };
        QVERIFY(seen(current, 40)); // 4 of 10 seconds of a task
        QVERIFY(seen(total, 20));   // the same point of the first of two tasks
        QVERIFY(seen(total, 70));
        QCOMPARE(w.form->pgbTotal->value(), 100);
        QCOMPARE(w.form->labTotalProgress->text(), QStringLiteral("100%"));
        // "100%" is shown whole in the 27 pixels it has.
        QVERIFY(w.form->labTotalProgress->fontMetrics().horizontalAdvance(w.form->labTotalProgress->text()) <=
                w.form->labTotalProgress->width());
        QCOMPARE(w.form->labCurProgress->text(), QString::number(w.form->pgbCurrent->value()) + "%");
        QCOMPARE(w.desktop.events, QStringList{"message:The coversion is completed successfully."});
        QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Complete"));
        QCOMPARE(w.outputs(), (QStringList{"a.mp4", "b.mp4"}));
        QCOMPARE(w.form->RunState, int(rsIdle));
        QVERIFY(!w.form->panBottomCenter->isHidden());
        QVERIFY(w.form->panBottomLeft->isHidden());
        QVERIFY(w.form->ltvTask->isEnabled());
        QVERIFY(w.form->tbtnStart->isEnabled());
        QVERIFY(!w.form->tbtnStop->isEnabled());
        QVERIFY(!w.form->timerTime->isActive());
    }

    void timerShowsElapsedAndRemaining() {
        Window w;
        w.open();
        w.form->pgbTotal->setValue(0);
        w.form->timerTimeTimer();
        QCOMPARE(w.form->labElapsed->text(), QStringLiteral("00:00:01"));
        QCOMPARE(w.form->labRemaining->text(), QStringLiteral("00:00:00"));
        w.form->pgbTotal->setValue(30);
        for (int i = 1; i < 90; ++i)
            w.form->timerTimeTimer();
        QCOMPARE(w.form->labElapsed->text(), QStringLiteral("00:01:30"));
        QCOMPARE(w.form->labRemaining->text(), QStringLiteral("00:03:30"));
        QCOMPARE(w.form->RemainingSeconds, 210);
    }

    void stopMarksRowAndCancels() {
        auto env = useScript({"progress 10 100 30"});
        Window w;
        w.open();
        w.addTasks({"a.avi", "b.avi", "c.avi"});
        w.form->SettingForm->chkOpenDir->setChecked(true);
        QSignalSpy ended(w.form.get(), &TMainForm::runEnded);
        w.form->tbtnStartClick();
        QTRY_COMPARE_WITH_TIMEOUT(w.status(1), QStringLiteral("Converting"), 15000);
        w.form->tbtnStopClick();
        QCOMPARE(w.form->RunState, int(rsStopping));
        QVERIFY(ended.wait(10000));

        QCOMPARE(w.status(0), QStringLiteral("Complete"));
        QCOMPARE(w.status(1), QStringLiteral("Stop"));
        QCOMPARE(w.status(2), QStringLiteral("OK"));
        QCOMPARE(w.desktop.events, QStringList{"message:The Coversion is canceled."});
        QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Cancel"));
        QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::Information);
        QCOMPARE(w.outputs(), QStringList{"a.mp4"}); // no partial file of the stopped task
        QCOMPARE(w.form->RunState, int(rsIdle));
        QVERIFY(w.form->panBottomLeft->isHidden());
        QVERIFY(w.form->tbtnStart->isEnabled());
    }

    void completionActionsInOrder_data() {
        QTest::addColumn<bool>("turnOff");
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<bool>("oneFails");
        QTest::addColumn<QStringList>("events"); // "%out" stands for the output folder
        QTest::addColumn<bool>("closed");
        QTest::newRow("turn off wins over exit")
            << true << true << true << false << QStringList{"poweroff", "close"} << true;
        QTest::newRow("exit") << false << true << true << false << QStringList{"close"} << true;
        QTest::newRow("message then folder")
            << false << false << true << false
            << QStringList{"message:The coversion is completed successfully.", "open:%out"} << false;
        QTest::newRow("message only")
            << false << false << false << false
            << QStringList{"message:The coversion is completed successfully."} << false;
        QTest::newRow("a failed task: warning, then folder")
            << false << false << true << true
            << QStringList{"message:The conversion is finished, but 1 of 2 tasks failed.", "open:%out"}
            << false;
    }
    void completionActionsInOrder() {
        QFETCH(bool, turnOff);
        QFETCH(bool, exit);
        QFETCH(bool, openDir);
        QFETCH(bool, oneFails);
        QFETCH(QStringList, events);
        QFETCH(bool, closed);
        auto env =
            useScript({"progress 10 2 10", "ifarg broken line Invalid data found when processing input",
                       "ifarg broken exit 1"});
        Window w;
        w.open();
        w.addTasks({"a.avi", oneFails ? "broken.avi" : "b.avi"});
        w.form->SettingForm->chkTurnoff->setChecked(turnOff);
        w.form->SettingForm->chkExit->setChecked(exit);
        w.form->SettingForm->chkOpenDir->setChecked(openDir);
        QSignalSpy ended(w.form.get(), &TMainForm::runEnded);
        w.form->tbtnStartClick();
        QVERIFY(ended.wait(20000));

        events.replaceInStrings(QStringLiteral("%out"), w.out);
        QCOMPARE(w.desktop.events, events); // never the "running" question
        QCOMPARE(w.form->isVisible(), !closed);
        if (oneFails) {
            QCOMPARE(w.status(0), QStringLiteral("Complete"));
            QCOMPARE(w.status(1), QStringLiteral("Failed"));
            QVERIFY(
                w.form->taskModel()->statusToolTip(1).contains("Invalid data found when processing input"));
            QVERIFY(w.form->taskModel()->statusToolTip(0).isEmpty());
            QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Complete"));
            QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::Warning);
            QCOMPARE(w.outputs(), QStringList{"a.mp4"});
        }
    }

    void startFailureMarksRowFailed() {
        Window w;
        w.open();
        w.addTasks({"a.avi", "b.avi"});
        QFile::remove(w.dir.encoderPath()); // the encoder is gone after the files were added
        QSignalSpy ended(w.form.get(), &TMainForm::runEnded);
        w.form->tbtnStartClick();
        QVERIFY(ended.wait(10000));
        QCOMPARE(w.status(0), QStringLiteral("Failed"));
        QCOMPARE(w.status(1), QStringLiteral("OK"));
        QCOMPARE(w.desktop.events, QStringList{"message:Error on CreateProcess()"});
        QCOMPARE(w.desktop.messages[0].caption, w.form->ProductName);
        QCOMPARE(w.desktop.messages[0].icon, Desktop::Icon::None); // a plain box
        QCOMPARE(w.form->RunState, int(rsIdle));
        QVERIFY(w.form->panBottomLeft->isHidden());
        QVERIFY(w.form->tbtnStart->isEnabled());
    }

    void closeDuringRun_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No keeps running") << false;
        QTest::newRow("Yes stops and closes") << true;
    }
    void closeDuringRun() {
        QFETCH(bool, yes);
        auto env = useScript({"ignore-term", "progress 10 2 50", "hang"});
        Window w;
        w.open();
        w.addTasks({"a.avi", "b.avi"});
        const int childrenBefore = LiveChildren();
        QSignalSpy ended(w.form.get(), &TMainForm::runEnded);
        w.form->tbtnStartClick();
        QTRY_COMPARE(w.form->pgbCurrent->value(), 100); // the encoder runs and hangs
        QCOMPARE(LiveChildren(), childrenBefore + 1);

        w.desktop.yesNoAnswers.enqueue(yes);
        QCOMPARE(w.form->close(), yes);
        QCOMPARE(w.desktop.messages.size(), 1);
        QCOMPARE(w.desktop.messages[0].text, QStringLiteral("A conversion is running. Stop it and exit?"));
        QCOMPARE(w.desktop.messages[0].caption, w.form->ProductName);
        if (!yes) {
            QVERIFY(w.form->isVisible());
            QCOMPARE(w.form->RunState, int(rsRunning));
            QCOMPARE(w.status(0), QStringLiteral("Converting"));
            QCOMPARE(ended.count(), 0);
            w.form->tbtnStopClick(); // let the test end the run
            QVERIFY(ended.wait(10000));
            return;
        }
        QCOMPARE(w.status(0), QStringLiteral("Stop"));
        QCOMPARE(w.status(1), QStringLiteral("OK"));
        QCOMPARE(LiveChildren(), childrenBefore);
        QVERIFY(w.outputs().isEmpty());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(w.desktop.messages.size(), 1); // no "canceled" message for a closing window
        QTest::qWait(100);
        QCOMPARE(w.desktop.messages.size(), 1);
    }

    void realEncoderHonoursNameAndClip() {
        Window w(QStringLiteral(RW_FFMPEG));
        QFile profile(w.dir.profilesDir() + QStringLiteral("TestAvi.cvp"));
        QVERIFY(profile.open(QIODevice::WriteOnly));
        profile.write("[Main]\r\nType=avi\r\nPara=1\r\n0=Video Codec\r\n"
                      "[Video Codec]\r\nSort=1\r\nList=1\r\nCaption=MPEG-4,\r\nValue=mpeg4,\r\nIndex=0\r\n"
                      "cmd=-vcodec\r\n");
        profile.close();
        const QString clip = MakeClip(w.src, QStringLiteral("source.mp4"), 3.0, {QStringLiteral("-an")});
        QVERIFY(!clip.isEmpty());
        w.open();
        w.form->cmbProfile->setCurrentIndex(w.form->cmbProfile->findText(QStringLiteral("TestAvi")));
        w.form->cmbProfileChange();
        QCOMPARE(w.form->ProfileExt, QStringLiteral(".avi"));

        w.desktop.openAnswers.enqueue({clip});
        w.form->tbtnAddFileClick();
        QCOMPARE(w.form->vleOutput->model()->valueOf("New Filename"), QStringLiteral("source.avi"));
        ValueListModel* grid = w.form->vleOutput->model();
        grid->setValueOf("New Filename", "clip.avi");
        grid->setValueOf("Start Time", "00:00:01");
        grid->setValueOf("End Time", "00:00:02");
        w.form->vleOutputValidate();

        QSignalSpy ended(w.form.get(), &TMainForm::runEnded);
        w.form->tbtnStartClick();
        QVERIFY(ended.wait(60000));
        QCOMPARE(w.status(0), QStringLiteral("Complete"));
        QCOMPARE(w.outputs(), QStringList{"clip.avi"});
        const double seconds = ProbeDuration(w.out + QStringLiteral("clip.avi"));
        QVERIFY2(qAbs(seconds - 1.0) < 0.15, qPrintable(QString::number(seconds)));
        QCOMPARE(w.desktop.events, QStringList{"message:The coversion is completed successfully."});
    }
};

QTEST_MAIN(TestRunUi)
#include "tst_run_ui.moc"

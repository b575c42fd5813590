// The main window as it starts: enabled states, caption, filter, profile list, the command line,
// dropped files, the resize rules and the buttons that only open something. Each window runs in a
// throw-away program folder with the real encoder, so the command-line files are really probed.
#include "app/ui/mainform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <memory>

namespace {

QStringList captions(const TMainForm& form) {
    QStringList out;
    for (int r = 0; r < form.taskModel()->rowCount(); ++r)
        out << form.taskModel()->caption(r);
    return out;
}

QVector<int> columnWidths(const TMainForm& form) {
    QVector<int> widths;
    for (int i = 0; i < 4; ++i)
        widths << form.ltvTask->columnWidth(i);
    return widths;
}

bool writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

} // namespace

class TestMainFormStartup : public QObject {
    Q_OBJECT

    QTemporaryDir media_; // the clips the command line and the drops name
    QString clip_, upperMpg_, flv_, noExt_, folder_;

    std::unique_ptr<TMainForm> makeForm(TestProgramDir& dir, FakeDesktop& desktop,
                                        const QStringList& args = {}) {
        return std::make_unique<TMainForm>(dir.path(), args, &desktop);
    }

private slots:
    void initTestCase() {
        QVERIFY(media_.isValid());
        const QString m = media_.path() + u'/';
        clip_ = MakeClip(m, QStringLiteral("a.avi"), 0.4);
        QVERIFY(!clip_.isEmpty());
        const QString mpg = MakeClip(m, QStringLiteral("b.mpg"), 0.4);
        QVERIFY(!mpg.isEmpty());
        upperMpg_ = m + QStringLiteral("B.MPG");
        QVERIFY(QFile::rename(mpg, upperMpg_));
        flv_ = m + QStringLiteral("c.flv");
        noExt_ = m + QStringLiteral("noext");
        QVERIFY(QFile::copy(clip_, flv_));
        QVERIFY(QFile::copy(clip_, noExt_));
        folder_ = m + QStringLiteral("folder");
        QVERIFY(QDir().mkpath(folder_ + QStringLiteral("/inner")));
        QVERIFY(QFile::copy(clip_, folder_ + QStringLiteral("/e.mov")));
        QVERIFY(QFile::copy(clip_, folder_ + QStringLiteral("/d.mp4")));
        QVERIFY(QFile::copy(clip_, folder_ + QStringLiteral("/inner/f.avi")));
        QVERIFY(writeText(m + QStringLiteral("list.TMP"),
                          (upperMpg_ + QStringLiteral("\r\n\r\n") + m + QStringLiteral("missing.avi\n") +
                           folder_ + QStringLiteral("\n"))
                              .toUtf8()));
    }

    void startsIdleWithItsFixedTexts() {
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);

        QCOMPARE(form->windowTitle(), QStringLiteral("Reelwright V2.5"));
        QCOMPARE(form->AppDir, dir.path());
        QCOMPARE(form->edtOutputdir->text(), dir.path());
        QCOMPARE(form->EncoderPath, dir.path() + QStringLiteral("wmaspi.dll"));
        QCOMPARE(form->HelpFilePath, dir.path() + QStringLiteral("Reelhelp.html"));
        QCOMPARE(form->InputMask, QStringLiteral("*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;"));
        QCOMPARE(form->OpenDialogFilterText,
                 QStringLiteral(
                     "All Support Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;)|*.avi;*.mpg;"
                     "*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;|AVI Files (*.avi)|*.avi|MPG Files (*.mpg)|*.mpg|"
                     "MPEG Files (*.mpeg)|*.mpeg|MP4 Files (*.mp4)|*.mp4|WMV Files (*.wmv)|*.wmv|MOV Files "
                     "(*.mov)|*.mov|VOB Files (*.vob)|*.vob|ASF Files (*.asf)|*.asf|All Files (*.*)|*.*"));
        QCOMPARE(form->taskModel()->rowCount(), 0);
        QCOMPARE(columnWidths(*form), (QVector<int>{260, 90, 80, 100}));
        QVERIFY(form->panBottomLeft->isHidden());
        QVERIFY(!form->panBottomCenter->isHidden());
        QVERIFY(desktop.messages.isEmpty());

        // Only the two add buttons, Settings, About and Help can be used.
        const QVector<QPair<QToolButton*, bool>> states = {
            {form->tbtnAddFile, true}, {form->tbtnAddDir, true},  {form->tbtnUp, false},
            {form->tbtnDown, false},   {form->tbtnRemove, false}, {form->tbtnClear, false},
            {form->tbtnStart, false},  {form->tbtnStop, false},   {form->tbtnSetting, true},
            {form->tbtnAbout, true},   {form->tbtnHelp, true}};
        for (const auto& [button, enabled] : states)
            QVERIFY2(button->isEnabled() == enabled, qPrintable(button->objectName()));
    }

    void toolBarShowsItsHintsInOrder() {
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        QStringList hints, names, objects;
        for (QAction* action : form->Toolbar1->actions()) {
            if (action->isSeparator())
                continue;
            auto* button = qobject_cast<QToolButton*>(form->Toolbar1->widgetForAction(action));
            QVERIFY(button);
            QCOMPARE(button->size(), QSize(56, 54));
            hints << button->toolTip();
            names << button->accessibleName();
            objects << button->objectName();
        }
        const QStringList expected = {"Add Video Files", "Add Directory", "Move Up", "Move Down",
                                      "Remove",          "Clear",         "Start",   "Stop",
                                      "Settings",        "About",         "Help"};
        QCOMPARE(hints, expected);
        QCOMPARE(names, expected);
        QCOMPARE(objects,
                 (QStringList{"tbtnAddFile", "tbtnAddDir", "tbtnUp", "tbtnDown", "tbtnRemove", "tbtnClear",
                              "tbtnStart", "tbtnStop", "tbtnSetting", "tbtnAbout", "tbtnHelp"}));
        QCOMPARE(form->Toolbar1->height(), 75);
        // Laid out on screen the bar keeps its height, and the rest of the window starts below it.
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->Toolbar1->height(), 75);
        QCOMPARE(form->centralWidget()->y(), 75);
        QCOMPARE(form->panPreview->height(), 177);
        form->hide();
    }

    void captionFollowsTheVersionKey() {
        TestProgramDir dir;
        QVERIFY(writeText(dir.path() + QStringLiteral("Preferences.ini"), "[Main]\r\nVersion=3.1b\r\n"));
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        QCOMPARE(form->VersionText, QStringLiteral("3.1b"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Reelwright V3.1b"));
    }

    void unreadablePreferencesAreReportedNotFatal() {
        TestProgramDir dir;
        QVERIFY(QDir().mkdir(dir.path() + QStringLiteral("Preferences.ini")));
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        QCOMPARE(form->windowTitle(), QStringLiteral("Reelwright V2.5"));
        QCOMPARE(desktop.messages.size(), 1);
        QVERIFY(desktop.messages[0].text.contains(QStringLiteral("Preferences.ini")));
        QCOMPARE(desktop.messages[0].caption, QStringLiteral("Reelwright"));
        QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Warning);
    }

    void profileListHoldsTheCatalogueWithNoneChosen() {
        TestProgramDir dir(QStringLiteral(RW_FFMPEG), false);
        for (const char* name : {"b.cvp", "A.CVP", "notes.txt"})
            QVERIFY(writeText(dir.profilesDir() + QLatin1String(name), "[Main]\r\nType=mp4\r\n"));
        QVERIFY(QDir().mkdir(dir.profilesDir() + QStringLiteral("folder.cvp")));
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        QStringList items;
        for (int i = 0; i < form->cmbProfile->count(); ++i)
            items << form->cmbProfile->itemText(i);
        QCOMPARE(items, (QStringList{"A", "b"}));
        QCOMPARE(form->cmbProfile->currentIndex(), -1);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("expected");
        const QString m = media_.path() + u'/';
        const QString f = folder_ + u'/';
        QTest::newRow("files in order, upper-case extension")
            << QStringList{upperMpg_, clip_} << QStringList{upperMpg_, clip_};
        QTest::newRow("other types and no extension skipped")
            << QStringList{flv_, noExt_, clip_} << QStringList{clip_};
        QTest::newRow("missing entries skipped")
            << QStringList{m + "missing.avi", clip_} << QStringList{clip_};
        QTest::newRow("folder adds its own files")
            << QStringList{folder_} << QStringList{f + "d.mp4", f + "e.mov"};
        QTest::newRow("list file, rest ignored")
            << QStringList{m + "list.TMP", clip_} << QStringList{upperMpg_, f + "d.mp4", f + "e.mov"};
        QTest::newRow("unreadable list file") << QStringList{m + "gone.tmp", clip_} << QStringList{};
    }

    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, expected);
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop, args);
        QCOMPARE(captions(*form), expected);
        QCOMPARE(form->tbtnStart->isEnabled(), !expected.isEmpty());
        QCOMPARE(form->tbtnClear->isEnabled(), !expected.isEmpty());
        QVERIFY(desktop.messages.isEmpty());
        if (!expected.isEmpty())
            QVERIFY(!form->taskModel()->subItem(0, 0).isEmpty()); // probed: a length text
    }

    void dropsAddUnlessTheListIsDisabled() {
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(folder_), QUrl::fromLocalFile(flv_), QUrl::fromLocalFile(clip_),
                       QUrl(QStringLiteral("https://example.invalid/x.avi"))});
        // A drop reaches the widget that accepted the drag's entry.
        const auto drop = [&] {
            QDragEnterEvent enter(QPoint(100, 150), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(form.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent event(QPointF(100, 150), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(form.get(), &event);
        };

        form->ltvTask->setEnabled(false);
        drop();
        QCOMPARE(form->taskModel()->rowCount(), 0);
        QVERIFY(!form->tbtnStart->isEnabled());

        form->ltvTask->setEnabled(true);
        drop();
        const QString f = folder_ + u'/';
        QCOMPARE(captions(*form), (QStringList{f + "d.mp4", f + "e.mov", clip_}));
        QVERIFY(form->tbtnUp->isEnabled() && form->tbtnStart->isEnabled());
        delete data;
    }

    void widerWindowWidensColumnsByTheirShares() {
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_COMPARE(form->ListWidth, form->ltvTask->width());
        const QVector<int> before = columnWidths(*form);
        const int listWidth = form->ltvTask->width();
        form->resize(form->width() + 100, form->height());
        QTRY_COMPARE(form->ltvTask->width(), listWidth + 100);
        QCOMPARE(columnWidths(*form),
                 (QVector<int>{before[0] + 49, before[1] + 17, before[2] + 15, before[3] + 19}));

        // The bottom strips follow panMain, with their right-hand controls kept at the edge.
        const int w = form->panMain->width();
        QCOMPARE(form->panBottomCenter->width(), w);
        QCOMPARE(form->bbtnSetting->x(), w - 90);
        QCOMPARE(form->cmbProfile->width(), w - 90 - 83);
        QCOMPARE(form->bbtnBrowser->x(), w - 90 - 85);
        QCOMPARE(form->edtOutputdir->width(), w - 90 - 85 - 83);
        QCOMPARE(form->panBottomLeft->width(), w);
        QCOMPARE(form->pgbTotal->width(), w - 27 - 123);

        // Fixed heights: a taller window gives the extra room to the list and the profile box.
        QCOMPARE(form->panPreview->height(), 177);
        QCOMPARE(form->panBottom->height(), 77);
        const int listHeight = form->ltvTask->height();
        form->resize(form->width(), form->height() + 60);
        QTRY_COMPARE(form->ltvTask->height(), listHeight + 60);
        QCOMPARE(form->panPreview->height(), 177);
        QCOMPARE(form->panProfile->width(), 200);
        form->hide();
    }

    void splitterDragMovesTheProfileEdge_data() {
        QTest::addColumn<Qt::MouseButtons>("buttons");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("width");
        QTest::newRow("left drag leftwards widens")
            << Qt::MouseButtons(Qt::LeftButton) << Qt::KeyboardModifiers() << -20 << 225;
        QTest::newRow("left drag rightwards narrows")
            << Qt::MouseButtons(Qt::LeftButton) << Qt::KeyboardModifiers() << 30 << 175;
        QTest::newRow("on the bar itself")
            << Qt::MouseButtons(Qt::LeftButton) << Qt::KeyboardModifiers() << 0 << 200;
        QTest::newRow("with shift") << Qt::MouseButtons(Qt::LeftButton)
                                    << Qt::KeyboardModifiers(Qt::ShiftModifier) << 30 << 200;
        QTest::newRow("two buttons") << Qt::MouseButtons(Qt::LeftButton | Qt::RightButton)
                                     << Qt::KeyboardModifiers() << 30 << 200;
    }

    void splitterDragMovesTheProfileEdge() {
        QFETCH(Qt::MouseButtons, buttons);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, x);
        QFETCH(int, width);
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->panProfile->width(), 200);
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 5), form->panSplitter->mapToGlobal(QPointF(x, 5)),
                         Qt::NoButton, buttons, modifiers);
        QCoreApplication::sendEvent(form->panSplitter, &move);
        QCOMPARE(form->panProfile->minimumWidth(), width);
        form->hide();
    }

    void browsePutsTheFolderWithOneSeparator_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("folder") << "/out"
                                << "/out/";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("already ended") << "/media/x/"
                                       << "/media/x/";
    }

    void browsePutsTheFolderWithOneSeparator() {
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);
        desktop.folderAnswers.enqueue(chosen);
        form->bbtnBrowser->click();
        QCOMPARE(desktop.folderTitles, QStringList{"Select the output directory."});
        QCOMPARE(form->edtOutputdir->text(), shown);

        form->bbtnBrowser->click(); // cancelled: the text stays
        QCOMPARE(form->edtOutputdir->text(), shown);
    }

    void openAndHelpHandTheirPathToTheDesktop() {
        TestProgramDir dir;
        FakeDesktop desktop;
        auto form = makeForm(dir, desktop);

        form->edtOutputdir->setText(dir.path() + QStringLiteral("nowhere/"));
        form->bbtnOpen->click();
        QVERIFY(desktop.shellOpened.isEmpty());

        form->edtOutputdir->setText(dir.profilesDir()); // an existing folder, passed on unchanged
        form->bbtnOpen->click();
        form->tbtnHelp->click(); // no existence test
        QCOMPARE(desktop.shellOpened,
                 (QStringList{dir.profilesDir(), dir.path() + QStringLiteral("Reelhelp.html")}));
    }
};

QTEST_MAIN(TestMainFormStartup)
#include "tst_mainform_startup.moc"

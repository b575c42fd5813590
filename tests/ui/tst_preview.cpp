// The preview pane against the real media framework, offscreen: the button cases and the state
// table, the seek bar's read-out, and a file that cannot be played.
#include "app/tasktext.h"
#include "app/ui/mainform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

class TestPreview : public QObject {
    Q_OBJECT

    QTemporaryDir videos;
    QString clipA, clipB;

    struct Window {
        TestProgramDir dir{QStringLiteral(RW_FFMPEG), false};
        FakeDesktop desktop;
        std::unique_ptr<TMainForm> form;
        explicit Window(const QStringList& files) {
            form = std::make_unique<TMainForm>(dir.path(), files, &desktop);
            form->show();
        }
        QMediaPlayer* player() const { return form->FilterGraph; }
        void select(int row) const {
            form->ltvTask->selectionModel()->select(form->taskModel()->index(row, 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };

    static bool waitPlaying(QMediaPlayer* p) {
        return QTest::qWaitFor(
            [p] { return p->playbackState() == QMediaPlayer::PlayingState && p->position() > 0; }, 10000);
    }

private slots:
    void initTestCase() {
        QVERIFY(videos.isValid());
        clipA = MakeClip(videos.path(), QStringLiteral("a.mp4"), 6);
        clipB = MakeClip(videos.path(), QStringLiteral("b.mp4"), 6);
        QVERIFY(!clipA.isEmpty() && !clipB.isEmpty());
    }

    void playWithEmptyListDoesNothing() {
        Window w({});
        w.form->sbtnPlayClick();
        w.form->sbtnPauseClick();
        w.form->sbtnStopClick();
        QVERIFY(!w.player());
        QCOMPARE(w.form->labPreviewTime->text(), QStringLiteral("00:00:00"));
    }

    void playWithoutSelectionPlaysTheFirstRow() {
        Window w({clipA, clipB});
        QVERIFY(w.form->selectedRows().isEmpty());
        w.form->sbtnPlayClick();
        QCOMPARE(w.form->selectedRows(), QVector<int>{0});
        QVERIFY(w.player());
        QCOMPARE(w.player()->source().toLocalFile(), clipA);
        QVERIFY(waitPlaying(w.player()));
    }

    void severalSelectedPlaysTheTopmost() {
        Window w({clipA, clipB});
        w.select(1);
        w.select(0);
        w.form->ltvTaskDblClick();
        QCOMPARE(w.player()->source().toLocalFile(), clipA);
    }

    void pauseTwiceResumesAtTheSamePosition() {
        Window w({clipA});
        w.form->sbtnPlayClick();
        QVERIFY(waitPlaying(w.player()));
        w.form->sbtnPauseClick();
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::PausedState);
        const qint64 at = w.player()->position();
        QTest::qWait(300);
        QCOMPARE(w.player()->position(), at);
        w.form->sbtnPauseClick();
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::PlayingState);
        QVERIFY(w.player()->position() >= at);
        QVERIFY(w.player()->position() < at + 2000);
    }

    void stopThenPauseDoesNothingAndPlayStartsOver() {
        Window w({clipA});
        w.form->sbtnPlayClick();
        QVERIFY(waitPlaying(w.player()));
        QTRY_VERIFY_WITH_TIMEOUT(w.player()->position() > 1000, 10000);
        w.form->sbtnStopClick();
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::StoppedState);
        w.form->sbtnPauseClick();
        QTest::qWait(200);
        QCOMPARE(w.player()->playbackState(), QMediaPlayer::StoppedState);
        w.form->sbtnPlayClick();
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::PlayingState);
        QVERIFY(w.player()->position() < 1000);
    }

    // The player stops by itself at the end; the pane keeps the file playing there: seek bar and
    // read-out stay at the end, Pause / Resume pauses there and resumes, a seek plays on, and only
    // Stop makes Pause / Resume do nothing.
    void theEndOfTheFileChangesNothing() {
        Window w({clipA});
        w.form->sbtnPlayClick();
        QVERIFY(waitPlaying(w.player()));
        const auto toTheEnd = [&] {
            w.player()->setPosition(w.player()->duration() - 300);
            return QTest::qWaitFor([&] { return w.player()->mediaStatus() == QMediaPlayer::EndOfMedia; },
                                   10000);
        };
        QVERIFY(toTheEnd());
        QTRY_COMPARE_WITH_TIMEOUT(w.form->labPreviewTime->text(), QStringLiteral("00:00:06"), 3000);
        QCOMPARE(w.form->TrackBar->value(), w.form->TrackBar->maximum());

        w.form->sbtnPauseClick();
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::PausedState);
        QTest::qWait(300);
        QVERIFY(w.player()->position() > w.player()->duration() - 1000);
        w.form->sbtnPauseClick(); // resumes, and is at the end again at once
        QTRY_COMPARE(w.player()->mediaStatus(), QMediaPlayer::EndOfMedia);
        w.form->sbtnPauseClick();
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::PausedState);
        w.form->sbtnPauseClick();
        QTRY_COMPARE(w.player()->mediaStatus(), QMediaPlayer::EndOfMedia);

        w.form->TrackBar->setValue(2);
        QTest::mouseRelease(w.form->TrackBar, Qt::LeftButton);
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::PlayingState);
        QVERIFY(w.player()->position() >= 1900 && w.player()->position() < 4000);

        QVERIFY(toTheEnd());
        w.form->sbtnStopClick();
        w.form->sbtnPauseClick();
        QTest::qWait(300);
        QCOMPARE(w.player()->playbackState(), QMediaPlayer::StoppedState);
    }

    void seekBarFollowsThePositionOnceASecond() {
        Window w({clipA});
        w.form->sbtnPlayClick();
        QVERIFY(waitPlaying(w.player()));
        QTRY_VERIFY_WITH_TIMEOUT(w.form->TrackBar->value() >= 1, 5000);
        QCOMPARE(w.form->TrackBar->maximum(), 6);
        QCOMPARE(w.form->labPreviewTime->text(), SecondsToTime(w.form->TrackBar->value()));
        // Paused, the read-out keeps its value.
        w.form->sbtnPauseClick();
        const QString shown = w.form->labPreviewTime->text();
        QTest::qWait(1500);
        QCOMPARE(w.form->labPreviewTime->text(), shown);
        // A click on the track beyond the handle moves the bar, and its release seeks there.
        const qint64 before = w.player()->position();
        QTest::mouseClick(w.form->TrackBar, Qt::LeftButton, {},
                          QPoint(w.form->TrackBar->width() - 3, w.form->TrackBar->height() / 2));
        QTRY_VERIFY(w.player()->position() > before + 2000);
    }

    void readOut() {
        Window w({});
        w.form->TrackBar->setRange(0, 4000);
        w.form->TrackBar->setValue(3725);
        w.form->TrackBarTimer();
        QCOMPARE(w.form->labPreviewTime->text(), QStringLiteral("01:02:05"));
    }

    void startingABatchStopsThePreviewButLeavesItsButtons() {
        Window w({clipA});
        w.form->sbtnPlayClick();
        QVERIFY(waitPlaying(w.player()));
        w.form->LockControls();
        QTRY_COMPARE(w.player()->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(w.form->sbtnPlay->isEnabled() && w.form->sbtnPause->isEnabled() &&
                w.form->sbtnStop->isEnabled());
        w.form->UnlockControls();
    }

    void unplayableFileIsReportedWithTheFrameworksWords() {
        const QString bad = videos.filePath(QStringLiteral("broken.avi"));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        Window w({bad});
        w.form->sbtnPlayClick();
        QTRY_COMPARE_WITH_TIMEOUT(w.desktop.messages.size(), 1, 10000);
        const auto& m = w.desktop.messages.first();
        QCOMPARE(m.icon, Desktop::Icon::Critical);
        QVERIFY2(m.text.contains(bad), qPrintable(m.text));
        QVERIFY(m.text.size() > bad.size() + 4); // the framework's own description follows the name
        QCOMPARE(w.player()->playbackState(), QMediaPlayer::StoppedState);
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"

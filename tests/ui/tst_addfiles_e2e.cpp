// End to end: a clip of each accepted input type, made by the real encoder, enters the task list
// through AddTaskFile with the length and frame size the encoder reports for it.
#include "app/tasktext.h"
#include "app/ui/mainform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QTest>

class TestAddFilesEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void everyInputTypeIsProbed() {
        QTemporaryDir videos;
        QVERIFY(videos.isValid());
        QStringList clips;
        for (const QString& ext : InputExts()) {
            const QString clip = MakeClip(videos.path(), QStringLiteral("clip") + ext, 1.0);
            QVERIFY2(!clip.isEmpty(), qPrintable(ext));
            clips << clip;
        }

        TestProgramDir dir(QStringLiteral(RW_FFMPEG), false);
        FakeDesktop desktop;
        TMainForm form(dir.path(), {}, &desktop);
        for (const QString& clip : clips)
            form.AddTaskFile(clip);

        QCOMPARE(form.taskModel()->rowCount(), clips.size());
        for (int row = 0; row < clips.size(); ++row) {
            ltvItemData rec;
            form.GetTaskData(row, selAll, rec);
            const QString what =
                rec.InputFile + QStringLiteral(": ") + rec.LengthText + QStringLiteral(" /") + rec.SizeText;
            QCOMPARE(rec.InputFile, clips.at(row));
            QVERIFY2(qAbs(rec.LengthSec - ProbeDuration(clips.at(row))) < 0.02, qPrintable(what));
            QVERIFY2(rec.SizeText.startsWith(QStringLiteral(" 160x120")), qPrintable(what));
            QCOMPARE(rec.StatusText, QStringLiteral("OK"));
            QCOMPARE(rec.NewFileName, QStringLiteral("clip"));
            QCOMPARE(rec.ClipStartText, QStringLiteral("00:00:00.0"));
            QCOMPARE(rec.ClipEndText, rec.LengthText);
        }
    }
};

QTEST_MAIN(TestAddFilesEndToEnd)
#include "tst_addfiles_e2e.moc"

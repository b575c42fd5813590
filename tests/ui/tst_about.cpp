// The About dialog opened from a real main window: its texts, and that every way of closing it
// gives the main window back.
#include "app/ui/mainform.h"
#include "dialogs/ui/aboutform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void showsNameAndVersion_data() {
        QTest::addColumn<QByteArray>("preferences");
        QTest::addColumn<QString>("version");
        QTest::newRow("no preferences file") << QByteArray() << "Version 2.5";
        QTest::newRow("no Version key") << QByteArray("[Main]\r\nOutputDir=/tmp/\r\n") << "Version 2.5";
        QTest::newRow("Version key") << QByteArray("[Main]\r\nVersion=3.0 beta\r\n") << "Version 3.0 beta";
    }

    void showsNameAndVersion() {
        QFETCH(QByteArray, preferences);
        QFETCH(QString, version);
        TestProgramDir dir(QStringLiteral(RW_FFMPEG), false);
        if (!preferences.isEmpty()) {
            QFile f(dir.path() + QStringLiteral("Preferences.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(preferences);
        }
        FakeDesktop desktop;
        TMainForm form(dir.path(), {}, &desktop);
        form.CreateDialogs();
        TAboutForm* about = form.AboutForm;
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("About"));
        QCOMPARE(about->size(), QSize(503, 290));
        QCOMPARE(about->labProgramName->text(), QStringLiteral("Reelwright"));
        QCOMPARE(about->labVersion->text(), version);
        QCOMPARE(about->btnOK->text(), QStringLiteral("&OK"));

        // The texts were fixed at creation: a changed file and a second opening change nothing.
        QFile f(dir.path() + QStringLiteral("Preferences.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Main]\r\nVersion=9.9\r\n");
        f.close();
        form.tbtnAbout->click();
        about->btnOK->click();
        form.tbtnAbout->click();
        QCOMPARE(form.AboutForm, about);
        QCOMPARE(about->labVersion->text(), version);
        about->btnOK->click();
    }

    void everyCloseGivesTheMainWindowBack_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "ok";
        QTest::newRow("title bar") << "close";
        QTest::newRow("Escape") << "escape";
    }

    void everyCloseGivesTheMainWindowBack() {
        QFETCH(QString, how);
        TestProgramDir dir(QStringLiteral(RW_FFMPEG), false);
        FakeDesktop desktop;
        TMainForm form(dir.path(), {}, &desktop);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!form.AboutForm); // created on first use when the dialogs were not made at start-up

        form.tbtnAbout->click();
        TAboutForm* about = form.AboutForm;
        QVERIFY(about && about->isVisible());
        QVERIFY(!about->isModal());
        QVERIFY(!form.isEnabled());
        QVERIFY(about->isEnabled());
        QVERIFY(about->btnOK->isEnabled());

        if (how == QLatin1String("ok"))
            about->btnOK->click();
        else if (how == QLatin1String("close"))
            QVERIFY(about->close());
        else
            QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(!about->isVisible());
        QVERIFY(form.isEnabled());
        QCOMPARE(form.AboutForm, about); // hidden, not destroyed
        form.hide();
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"

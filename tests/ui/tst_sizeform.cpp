// The custom frame-size dialog against a stand-in main window and a real video grid model.
#include "profiles/ui/sizeform.h"
#include "profiles/valuelistmodel.h"
#include "support/fakedesktop.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestSizeForm : public QObject {
    Q_OBJECT

    struct Fixture {
        QWidget main;
        ValueListModel grid;
        FakeDesktop desktop;
        TSizeForm form{&main, &grid, &desktop};
        Fixture() {
            grid.appendRow(QStringLiteral("Video Codec"), QStringLiteral("H.264"));
            // A look-alike key first: only the exact key is the frame size.
            grid.appendRow(QStringLiteral("video size"), QStringLiteral("Custom Size"));
            grid.appendRow(QStringLiteral("Video Size"), QStringLiteral("Custom Size"));
            main.resize(600, 400);
            main.show();
        }
        QString videoSize() const { return grid.value(2); }
    };

private slots:
    void okValidatesWidthThenHeight_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("caption"); // empty: accepted
        QTest::addColumn<QString>("result");  // the Video Size value afterwards

        QTest::newRow("plain numbers") << "720"
                                       << "576"
                                       << ""
                                       << "720x576";
        QTest::newRow("leading blank kept") << " 720"
                                            << "576"
                                            << ""
                                            << " 720x576";
        QTest::newRow("hex, sign and zero pass") << "$2D0"
                                                 << "-0"
                                                 << ""
                                                 << "$2D0x-0";
        QTest::newRow("both empty: width first") << ""
                                                 << ""
                                                 << "Incorrect Width"
                                                 << "Custom Size";
        QTest::newRow("decimal width") << "720.5"
                                       << "576"
                                       << "Incorrect Width"
                                       << "Custom Size";
        QTest::newRow("trailing blank height") << "720"
                                               << "576 "
                                               << "Incorrect Height"
                                               << "Custom Size";
        QTest::newRow("letters in height") << "720"
                                           << "abc"
                                           << "Incorrect Height"
                                           << "Custom Size";
        QTest::newRow("height beyond 32 bits") << "720"
                                               << "4294967296"
                                               << "Incorrect Height"
                                               << "Custom Size";
    }
    void okValidatesWidthThenHeight() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, caption);
        QFETCH(QString, result);
        Fixture f;
        f.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        f.form.edtWidth->setText(width);
        f.form.edtHeight->setText(height);
        f.form.btnOK->click();

        QCOMPARE(f.videoSize(), result);
        QCOMPARE(f.grid.value(1), QStringLiteral("Custom Size"));
        if (caption.isEmpty()) {
            QVERIFY(f.desktop.messages.isEmpty());
            QVERIFY(!f.form.isVisible());
            QVERIFY(f.main.isEnabled());
            return;
        }
        QCOMPARE(f.desktop.messages.size(), 1);
        const FakeDesktop::Message& m = f.desktop.messages.first();
        QCOMPARE(m.caption, caption);
        QCOMPARE(m.text, caption == QStringLiteral("Incorrect Width")
                             ? QStringLiteral("Please specify a proper width for output videos.")
                             : QStringLiteral("Please specify a proper height for output videos."));
        QCOMPARE(m.icon, Desktop::Icon::Information);
        QVERIFY(f.form.isVisible());
        QVERIFY(!f.main.isEnabled());
        QLineEdit* offending =
            caption == QStringLiteral("Incorrect Width") ? f.form.edtWidth : f.form.edtHeight;
        QTRY_VERIFY(offending->hasFocus());
    }

    void everyCloseRestoresTheWindow_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("escape") << "escape";
        QTest::newRow("title bar") << "close";
    }
    void everyCloseRestoresTheWindow() {
        QFETCH(QString, how);
        Fixture f;
        // Twice: the dialog lives on and works again after each closing.
        for (int round = 0; round < 2; ++round) {
            f.grid.setValue(2, QStringLiteral("Custom Size"));
            f.form.show();
            QVERIFY(QTest::qWaitForWindowActive(&f.form));
            QVERIFY(!f.main.isEnabled());
            QVERIFY(f.form.isEnabled());
            QVERIFY(f.form.edtWidth->isEnabled());
            if (how == QStringLiteral("cancel"))
                f.form.btnCancel->click();
            else if (how == QStringLiteral("escape"))
                QTest::keyClick(&f.form, Qt::Key_Escape);
            else
                f.form.close();
            QVERIFY(!f.form.isVisible());
            QVERIFY(f.main.isEnabled());
            QCOMPARE(f.videoSize(), QStringLiteral("Original Size"));
        }
        QVERIFY(f.desktop.messages.isEmpty());
    }

    void textsSurviveReopening() {
        Fixture f;
        QCOMPARE(f.form.edtWidth->text(), QString());
        QCOMPARE(f.form.edtHeight->text(), QString());
        QCOMPARE(f.form.size(), QSize(336, 106));
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Video Size of output files"));
        f.form.show();
        f.form.edtWidth->setText(QStringLiteral("640"));
        f.form.edtHeight->setText(QStringLiteral("480"));
        f.form.btnOK->click();
        QCOMPARE(f.videoSize(), QStringLiteral("640x480"));
        f.form.show();
        QCOMPARE(f.form.edtWidth->text(), QStringLiteral("640"));
        QCOMPARE(f.form.edtHeight->text(), QStringLiteral("480"));
        f.form.btnCancel->click();
        // Closing without a choice only resets a value still at "Custom Size".
        QCOMPARE(f.videoSize(), QStringLiteral("640x480"));
        QVERIFY(f.main.isEnabled());
    }
};

QTEST_MAIN(TestSizeForm)
#include "tst_sizeform.moc"

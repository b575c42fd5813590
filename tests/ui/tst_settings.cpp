// The settings dialog and the preferences file, driven through a real main window in a throw-away
// program folder with two small profiles and a scripted desktop.
#include "app/ui/mainform.h"
#include "profiles/newinifile.h"
#include "profiles/ui/gridsection.h"
#include "profiles/ui/valuelisteditor.h"
#include "settings/ui/settingform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// Two parameters: a pick list (video) and a plain editable text (video), plus one audio pick list.
QByteArray profileText(const QByteArray& bitRate) {
    return "[Main]\r\nType=mp4\r\nPara=3\r\n0=Video Codec\r\n1=Bit Rate\r\n2=Audio Codec\r\n"
           "[Video "
           "Codec]\r\nSort=1\r\nCaption=H.264,MPEG-4,\r\nValue=libx264,mpeg4,\r\nIndex=0\r\ncmd=-vcodec\r\n"
           "[Bit Rate]\r\nSort=1\r\nList=0\r\nCaption=" +
           bitRate + "\r\nValue=" + bitRate +
           "\r\ncmd=-b:v\r\n"
           "[Audio "
           "Codec]\r\nSort=2\r\nCaption=AAC,MP3,\r\nValue=aac,libmp3lame,\r\nIndex=1\r\ncmd=-acodec\r\n";
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QString iniValue(const QString& path, const QString& section, const QString& key) {
    TNewInifile ini(path);
    return ini.ReadString(section, key, QStringLiteral("<absent>"));
}

// A user's edit of a grid value, through the model as the in-place editor does it.
void editValue(ValueListEditor* grid, const QString& key, const QString& value) {
    const int row = grid->model()->findKey(key);
    QVERIFY2(row >= 0, qPrintable(key));
    QVERIFY(grid->model()->setData(grid->model()->index(row, 1), value, Qt::EditRole));
}

QString gridValue(ValueListEditor* grid, const QString& key) {
    return grid->model()->valueOf(key);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    // A program folder with the profiles "alpha" (Bit Rate 800) and "beta" (Bit Rate 400).
    struct Program {
        TestProgramDir dir{QStringLiteral(RW_FAKE_ENCODER), false};
        FakeDesktop desktop;
        std::unique_ptr<TMainForm> form;

        Program() {
            writeAll(dir.profilesDir() + "alpha.cvp", profileText("800"));
            writeAll(dir.profilesDir() + "beta.cvp", profileText("400"));
        }
        QString ini() const { return dir.path() + "Preferences.ini"; }
        QString alpha() const { return dir.profilesDir() + "alpha.cvp"; }
        QString beta() const { return dir.profilesDir() + "beta.cvp"; }
        // Start-up as the program does it: the main window, its dialogs, then the window is shown.
        TSettingForm* start() {
            form = std::make_unique<TMainForm>(dir.path(), QStringList{}, &desktop);
            form->CreateDialogs();
            form->show();
            return form->SettingForm;
        }
        void closeMain() {
            form->close();
            QVERIFY(!form->isVisible());
        }
    };

private slots:
    void firstRunShowsTheDefaultsAndWritesThemAtExit() {
        Program p;
        QVERIFY(p.dir.isValid());
        TSettingForm* dlg = p.start();
        QVERIFY(dlg);

        QCOMPARE(p.form->edtOutputdir->text(), p.dir.path());
        QCOMPARE(p.form->cmbProfile->currentText(), QStringLiteral("alpha"));
        QCOMPARE(gridValue(p.form->vleVideo, "Bit Rate"), QStringLiteral("800"));
        QCOMPARE(dlg->edtOutputDir->text(), p.dir.path());
        QCOMPARE(dlg->cmbSyn->currentText(), QStringLiteral("Auto"));
        QVERIFY(dlg->chkOpenDir->isChecked());
        QVERIFY(!dlg->chkExit->isChecked());
        QVERIFY(!dlg->chkTurnoff->isChecked());
        QVERIFY(dlg->rdbOverWrite->isChecked());
        QVERIFY(!dlg->rdbRename->isChecked());
        // The dialog's catalogue is a copy with nothing chosen.
        QCOMPARE(dlg->cmbProfile->count(), 2);
        QCOMPARE(dlg->cmbProfile->currentIndex(), -1);
        QVERIFY(p.desktop.messages.isEmpty());

        p.closeMain();
        QCOMPARE(readAll(p.ini()),
                 "[Main]\r\nOverwrite=1\r\nAuto Turn Off=0\r\nAuto Exit=0\r\nAuto Open Dir=1\r\n"
                 "Syn Mode=0\r\nOutput Path=" +
                     p.dir.path().toUtf8() + "\r\nProfile=0\r\n");
    }

    void dialogLayout() {
        Program p;
        TSettingForm* dlg = p.start();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(dlg->size(), QSize(391, 498));
        QCOMPARE(dlg->pgcSetting->size(), QSize(391, 442));
        QCOMPARE(dlg->pgcSetting->tabText(0), QStringLiteral("     General     "));
        QCOMPARE(dlg->pgcSetting->tabText(1), QStringLiteral("     Profiles     "));
        QCOMPARE(dlg->chkOpenDir->text(),
                 QStringLiteral("Open the output directory when the task is completed. "));
        QCOMPARE(dlg->rdbRename->text(), QStringLiteral("Not overwrite (Rename to <Filename> + Index"));
        QCOMPARE(dlg->findChild<QGroupBox*>("gpbOverWrite")->title(),
                 QStringLiteral("Output File Overwrite"));
        const QStringList syn{"Auto", "Force Mode", "Progressive Mode"};
        for (int i = 0; i < syn.size(); ++i)
            QCOMPARE(dlg->cmbSyn->itemText(i), syn.at(i));
        QCOMPARE(dlg->btnDefault->text(), QStringLiteral("&Load Default"));
        QCOMPARE(dlg->btnSaveAs->text(), QStringLiteral("&Save as..."));
        QCOMPARE(dlg->vleAudio->model()->key(4), QStringLiteral("Volumn"));
        QVERIFY(!dlg->cmbProfile->isEditable());
        // The key column keeps its design width; the value column takes the rest of the grid.
        for (ValueListEditor* grid : {dlg->vleVideo, dlg->vleAudio, dlg->vleAdvanced}) {
            QCOMPARE(grid->columnWidth(0), 160);
            QVERIFY(grid->columnWidth(1) >= 200);
        }

        // One click on a toggle collapses its section once; a double-click on a header does nothing here.
        p.form->bbtnSettingClick();
        dlg->secVideo->btn()->click();
        QCOMPARE(dlg->secVideo->btn()->text(), QStringLiteral("+"));
        QCOMPARE(dlg->vleVideo->height(), 1);
        QTest::mouseDClick(dlg->secAudio->pan(), Qt::LeftButton);
        QCOMPARE(dlg->secAudio->btn()->text(), QStringLiteral("-"));
    }

    void storedFolderAndStaleProfileIndex() {
        Program p;
        // A folder typed without a trailing slash, and an index beyond the catalogue.
        QVERIFY(writeAll(p.ini(), "[Main]\r\nOutput Path=/videos/typed\r\nProfile=5\r\n"));
        TSettingForm* dlg = p.start();
        QCOMPARE(p.form->edtOutputdir->text(), QStringLiteral("/videos/typed"));
        QCOMPARE(dlg->edtOutputDir->text(), QStringLiteral("/videos/typed"));
        QCOMPARE(p.form->cmbProfile->currentIndex(), -1);
        // Nothing was loaded: the design rows stand.
        QCOMPARE(gridValue(p.form->vleVideo, "Bit Rate"), QString());
        p.closeMain();
        QCOMPARE(iniValue(p.ini(), "Main", "Profile"), QStringLiteral("-1"));
        QCOMPARE(iniValue(p.ini(), "Main", "Output Path"), QStringLiteral("/videos/typed"));
    }

    void loadDefault_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void loadDefault() {
        QFETCH(bool, answer);
        Program p;
        TSettingForm* dlg = p.start();
        p.form->tbtnSettingClick();
        dlg->chkExit->setChecked(true);
        dlg->cmbSyn->setCurrentIndex(2);
        dlg->rdbRename->setChecked(true);
        dlg->edtOutputDir->setText("/typed/");
        const QByteArray before = readAll(p.ini());

        p.desktop.yesNoAnswers.enqueue(answer);
        dlg->btnDefault->click();
        QCOMPARE(p.desktop.messages.size(), 1);
        QCOMPARE(p.desktop.messages.at(0).text,
                 QStringLiteral("Are you sure to load the default preferences?"));
        QCOMPARE(p.desktop.messages.at(0).caption, QStringLiteral("Load Default"));
        // Whatever the answer, nothing is written.
        QCOMPARE(readAll(p.ini()), before);

        if (answer) {
            // Without a "Default" section, Open-dir defaults to off, unlike a fresh "Main".
            QVERIFY(!dlg->chkOpenDir->isChecked());
            QVERIFY(!dlg->chkExit->isChecked());
            QCOMPARE(dlg->cmbSyn->currentIndex(), 0);
            QVERIFY(dlg->rdbOverWrite->isChecked());
            QVERIFY(!dlg->rdbRename->isChecked());
            QCOMPARE(dlg->edtOutputDir->text(), p.dir.path());
        } else {
            QVERIFY(dlg->chkOpenDir->isChecked());
            QVERIFY(dlg->chkExit->isChecked());
            QCOMPARE(dlg->cmbSyn->currentIndex(), 2);
            QVERIFY(dlg->rdbRename->isChecked());
            QCOMPARE(dlg->edtOutputDir->text(), QStringLiteral("/typed/"));
        }

        // Cancel restores nothing: the controls are the live settings and are written at exit.
        dlg->btnCancel->click();
        QCOMPARE(p.form->edtOutputdir->text(), p.dir.path());
        QCOMPARE(readAll(p.ini()), before);
        p.closeMain();
        QCOMPARE(iniValue(p.ini(), "Main", "Auto Open Dir"), answer ? "0" : "1");
        QCOMPARE(iniValue(p.ini(), "Main", "Auto Exit"), answer ? "0" : "1");
        QCOMPARE(iniValue(p.ini(), "Main", "Syn Mode"), answer ? "0" : "2");
        QCOMPARE(iniValue(p.ini(), "Main", "Overwrite"), answer ? "1" : "0");
        QCOMPARE(iniValue(p.ini(), "Main", "Output Path"), p.dir.path());
    }

    void okCopiesTheFolderAndSavesTheGeneralSettings() {
        Program p;
        TSettingForm* dlg = p.start();
        p.form->tbtnSettingClick();
        QCOMPARE(dlg->pgcSetting->currentIndex(), 0);
        p.desktop.folderAnswers.enqueue("/videos/out");
        dlg->sbtnBrowse->click();
        QCOMPARE(p.desktop.folderTitles, QStringList{"Select the output directory."});
        QCOMPARE(dlg->edtOutputDir->text(), QStringLiteral("/videos/out/"));
        QCOMPARE(p.form->edtOutputdir->text(), p.dir.path()); // only on OK
        dlg->chkTurnoff->setChecked(true);

        dlg->btnOK->click();
        QCOMPARE(p.form->edtOutputdir->text(), QStringLiteral("/videos/out/"));
        QCOMPARE(readAll(p.ini()),
                 QByteArray("[Main]\r\nOverwrite=1\r\nAuto Turn Off=1\r\nAuto Exit=0\r\n"
                            "Auto Open Dir=1\r\nSyn Mode=0\r\nOutput Path=/videos/out/\r\n"));
        // Nothing selected in the dialog: no profile is written.
        QCOMPARE(readAll(p.alpha()), profileText("800"));
    }

    void cancelThenReopenThenOkSavesTheEarlierEdit() {
        Program p;
        TSettingForm* dlg = p.start();
        p.form->bbtnSettingClick();
        QCOMPARE(dlg->pgcSetting->currentIndex(), 1);
        QCOMPARE(dlg->cmbProfile->currentText(), QStringLiteral("alpha"));
        QCOMPARE(gridValue(dlg->vleVideo, "Bit Rate"), QStringLiteral("800"));
        editValue(dlg->vleVideo, "Bit Rate", "1200");
        editValue(dlg->vleAudio, "Audio Codec", "AAC"); // a pick-list choice
        dlg->btnCancel->click();
        QCOMPARE(readAll(p.alpha()), profileText("800"));

        // The toolbar opens the dialog without reloading its grids.
        p.form->tbtnSettingClick();
        QCOMPARE(gridValue(dlg->vleVideo, "Bit Rate"), QStringLiteral("1200"));
        dlg->btnOK->click();
        QCOMPARE(iniValue(p.alpha(), "Bit Rate", "Caption"), QStringLiteral("1200"));
        QCOMPARE(iniValue(p.alpha(), "Bit Rate", "Value"), QStringLiteral("1200"));
        QCOMPARE(iniValue(p.alpha(), "Audio Codec", "Index"), QStringLiteral("0"));
        // Both forms show alpha: the main window reloads it.
        QCOMPARE(gridValue(p.form->vleVideo, "Bit Rate"), QStringLiteral("1200"));
    }

    void okWithTheProfilesOfBothForms_data() {
        QTest::addColumn<int>("dialogIndex"); // -1: opened by the toolbar, nothing chosen
        QTest::addColumn<QString>("savedFile");
        QTest::addColumn<QString>("mainBitRate"); // main window's grid after OK

        QTest::newRow("same profile") << 0 << "alpha"
                                      << "1500";
        QTest::newRow("different profile") << 1 << "beta"
                                           << "999";
        QTest::newRow("nothing chosen") << -1 << ""
                                        << "999";
    }
    void okWithTheProfilesOfBothForms() {
        QFETCH(int, dialogIndex);
        QFETCH(QString, savedFile);
        QFETCH(QString, mainBitRate);
        Program p;
        TSettingForm* dlg = p.start();
        editValue(p.form->vleVideo, "Bit Rate", "999"); // never saved from the main window
        if (dialogIndex < 0) {
            p.form->tbtnSettingClick();
        } else {
            p.form->bbtnSettingClick();
            dlg->cmbProfile->setCurrentIndex(dialogIndex);
            dlg->cmbProfileChange();
        }
        editValue(dlg->vleVideo, "Bit Rate", "1500");
        dlg->btnOK->click();

        QCOMPARE(p.form->cmbProfile->currentText(), QStringLiteral("alpha"));
        QCOMPARE(gridValue(p.form->vleVideo, "Bit Rate"), mainBitRate);
        QCOMPARE(iniValue(p.alpha(), "Bit Rate", "Value"), savedFile == "alpha" ? "1500" : "800");
        QCOMPARE(iniValue(p.beta(), "Bit Rate", "Value"), savedFile == "beta" ? "1500" : "400");
    }

    void saveAsReplacesAnExistingFileWithoutAsking() {
        Program p;
        TSettingForm* dlg = p.start();
        p.form->bbtnSettingClick();
        editValue(dlg->vleVideo, "Bit Rate", "640");

        dlg->btnSaveAs->click(); // cancelled: nothing happens
        const QString target = p.dir.path() + "copy.cvp";
        QVERIFY(writeAll(target, "old contents\r\n"));
        p.desktop.saveAnswers.enqueue(target);
        dlg->btnSaveAs->click();

        QCOMPARE(readAll(target), profileText("640"));
        QCOMPARE(readAll(p.alpha()), profileText("800"));
        QVERIFY(p.desktop.messages.isEmpty());
        QCOMPARE(dlg->cmbProfile->count(), 2);
        QCOMPARE(p.form->cmbProfile->count(), 2);
    }

    void mainWindowIsDisabledWhileTheDialogShows_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "ok";
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("title bar") << "close";
        QTest::newRow("Escape") << "escape";
    }
    void mainWindowIsDisabledWhileTheDialogShows() {
        QFETCH(QString, how);
        Program p;
        TSettingForm* dlg = p.start();
        p.form->tbtnSettingClick();
        QVERIFY(dlg->isVisible());
        QVERIFY(!p.form->isEnabled());
        QVERIFY(dlg->isEnabled() && dlg->btnOK->isEnabled() && dlg->edtOutputDir->isEnabled());

        if (how == "ok")
            dlg->btnOK->click();
        else if (how == "cancel")
            dlg->btnCancel->click();
        else if (how == "close")
            dlg->close();
        else
            QTest::keyClick(dlg, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QVERIFY(p.form->isEnabled());
        QVERIFY(p.form->tbtnSetting->isEnabled());
    }

    void unwritableFilesAreReportedAndTheWindowStillCloses() {
        Program p;
        QVERIFY(QDir().mkpath(p.ini())); // the program cannot create its preferences file
        TSettingForm* dlg = p.start();
        QVERIFY(!p.desktop.messages.isEmpty());
        for (const FakeDesktop::Message& m : p.desktop.messages) {
            QVERIFY2(m.text.contains(p.ini()), qPrintable(m.text));
            QCOMPARE(m.caption, QStringLiteral("Reelwright"));
            QCOMPARE(m.icon, Desktop::Icon::Warning);
        }
        // The defaults apply all the same.
        QVERIFY(dlg->chkOpenDir->isChecked());

        p.desktop.messages.clear();
        p.form->tbtnSettingClick();
        dlg->btnOK->click();
        QCOMPARE(p.desktop.messages.size(), 1);
        QVERIFY(p.desktop.messages.at(0).text.contains(p.ini()));
        QVERIFY(p.form->isEnabled());

        // A profile that cannot be written is reported with its name.
        QFile blocker(p.dir.path() + "blocker");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString target = p.dir.path() + "blocker/copy.cvp";
        p.form->bbtnSettingClick();
        p.desktop.messages.clear();
        p.desktop.saveAnswers.enqueue(target);
        dlg->btnSaveAs->click();
        QCOMPARE(p.desktop.messages.size(), 1);
        QVERIFY2(p.desktop.messages.at(0).text.contains(target), qPrintable(p.desktop.messages.at(0).text));
        dlg->btnCancel->click();

        p.desktop.messages.clear();
        p.closeMain();
        QCOMPARE(p.desktop.messages.size(), 1);
        QVERIFY(p.desktop.messages.at(0).text.contains(p.ini()));
        QVERIFY(QFileInfo(p.ini()).isDir());
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"

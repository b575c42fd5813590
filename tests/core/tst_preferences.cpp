// The preferences file: defaults, the order keys are written in, the two sections, and failed writes.

#include "settings/preferences.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPreferences : public QObject {
    Q_OBJECT

private:
    QTemporaryDir tmp_;
    QString appDir_;

    QString iniPath() const { return appDir_ + "Preferences.ini"; }
    QByteArray fileText() const {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void writeFile(const QByteArray& text) {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

private slots:
    void init() {
        QDir dir(tmp_.path());
        const QString name = QString::fromLatin1(QTest::currentTestFunction()) + "_" +
                             QString::fromLatin1(QTest::currentDataTag());
        QVERIFY(dir.mkpath(name));
        appDir_ = dir.filePath(name) + "/";
        QFile::remove(iniPath());
    }

    void firstRunGivesDefaultsAndCreatesTheFile() {
        GeneralSettings s;
        s.openDir = false;
        s.overwrite = false;
        s.synMode = 2;
        const PreferencesResult r = ReadGeneralSettings(appDir_, &s);
        QVERIFY(r.ok);
        QCOMPARE(s.outputPath, appDir_);
        QCOMPARE(s.synMode, 0);
        QCOMPARE(s.openDir, true);
        QCOMPARE(s.exit, false);
        QCOMPARE(s.turnoff, false);
        QCOMPARE(s.overwrite, true);
        // A pure read still closes the store, which creates the (empty) file.
        QVERIFY(QFile::exists(iniPath()));
        QCOMPARE(fileText(), QByteArray());

        QString folder = "unchanged";
        int profile = 7;
        QVERIFY(ReadStartupPreferences(appDir_, true, &folder, &profile).ok);
        QCOMPARE(folder, appDir_);
        QCOMPARE(profile, 0);
    }

    // The store puts every new key first in its section, so a fresh file lists them in reverse.
    void freshFileHoldsKeysInReverseOrderOfWriting() {
        GeneralSettings s;
        s.outputPath = appDir_;
        QVERIFY(WritePreferences(appDir_, 0, s).ok);
        const QByteArray expected = "[Main]\r\nOverwrite=1\r\nAuto Turn Off=0\r\nAuto Exit=0\r\n"
                                    "Auto Open Dir=1\r\nSyn Mode=0\r\nOutput Path=" +
                                    appDir_.toUtf8() + "\r\nProfile=0\r\n";
        QCOMPARE(fileText(), expected);

        // Saving again keeps every line in place.
        s.exit = true;
        s.synMode = -1;
        QVERIFY(WritePreferences(appDir_, -1, s).ok);
        QCOMPARE(fileText(), QByteArray(expected)
                                 .replace("Auto Exit=0", "Auto Exit=1")
                                 .replace("Syn Mode=0", "Syn Mode=-1")
                                 .replace("Profile=0", "Profile=-1"));
    }

    void generalSettingsWriteOrder() {
        GeneralSettings s;
        s.outputPath = "/videos/out";
        s.synMode = 1;
        s.openDir = false;
        s.turnoff = true;
        QVERIFY(WriteGeneralSettings(appDir_, s).ok);
        QCOMPARE(fileText(), QByteArray("[Main]\r\nOverwrite=1\r\nAuto Turn Off=1\r\nAuto Exit=0\r\n"
                                        "Auto Open Dir=0\r\nSyn Mode=1\r\nOutput Path=/videos/out\r\n"));
    }

    void storedValuesAreRestoredAsStored() {
        GeneralSettings s;
        s.outputPath = "/videos/typed without slash";
        s.synMode = 2;
        s.openDir = false;
        s.exit = true;
        s.turnoff = true;
        s.overwrite = false;
        QVERIFY(WritePreferences(appDir_, 3, s).ok);

        GeneralSettings back;
        QVERIFY(ReadGeneralSettings(appDir_, &back).ok);
        QCOMPARE(back.outputPath, s.outputPath);
        QCOMPARE(back.synMode, 2);
        QCOMPARE(back.openDir, false);
        QCOMPARE(back.exit, true);
        QCOMPARE(back.turnoff, true);
        QCOMPARE(back.overwrite, false);

        QString folder;
        int profile = 0;
        QVERIFY(ReadStartupPreferences(appDir_, true, &folder, &profile).ok);
        QCOMPARE(folder, s.outputPath);
        QCOMPARE(profile, 3);
        // Without a catalogue the profile index is not read.
        profile = 42;
        QVERIFY(ReadStartupPreferences(appDir_, false, &folder, &profile).ok);
        QCOMPARE(profile, 42);
    }

    // The INI format ends a section at any "[": such a folder must not come back cut short.
    void foldersTheFormatCannotHoldComeBackWhole_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("[ in a name") << "/videos/[2020] trip/";
        QTest::newRow("% and [") << "/v/50% [x]%5B/";
        QTest::newRow("% alone") << "/v/100%25/";
    }
    void foldersTheFormatCannotHoldComeBackWhole() {
        QFETCH(QString, folder);
        GeneralSettings s;
        s.outputPath = folder;
        s.exit = true;
        QVERIFY(WritePreferences(appDir_, 2, s).ok);
        QVERIFY(!fileText().mid(6).contains('['));
        QString back;
        int profile = 0;
        QVERIFY(ReadStartupPreferences(appDir_, true, &back, &profile).ok);
        QCOMPARE(back, folder);
        QCOMPARE(profile, 2);

        s.outputPath = folder + "sub/";
        QVERIFY(WriteGeneralSettings(appDir_, s).ok);
        GeneralSettings general;
        QVERIFY(ReadGeneralSettings(appDir_, &general).ok);
        QCOMPARE(general.outputPath, s.outputPath);
        QCOMPARE(general.exit, true);
    }

    void defaultSection_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("outputPath"); // "<appDir>" for the program folder
        QTest::addColumn<int>("synMode");
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<bool>("overwrite");

        // Main's values must not leak into a missing Default section.
        QTest::newRow("absent") << QByteArray("[Main]\r\nAuto Open Dir=1\r\nSyn Mode=2\r\nOverwrite=0\r\n")
                                << "<appDir>" << 0 << false << true;
        QTest::newRow("given") << QByteArray("[Main]\r\nSyn Mode=0\r\n[default]\r\noutput path=/d/\r\n"
                                             "Syn Mode=1\r\nAuto Open Dir=True\r\nOverwrite=0\r\n")
                               << "/d/" << 1 << true << false;
        QTest::newRow("unparsable") << QByteArray("[Default]\r\nSyn Mode=1.5\r\nAuto Open Dir=yes\r\n"
                                                  "Overwrite=\r\n")
                                    << "<appDir>" << 0 << false << true;
    }
    void defaultSection() {
        QFETCH(QByteArray, file);
        QFETCH(QString, outputPath);
        QFETCH(int, synMode);
        QFETCH(bool, openDir);
        QFETCH(bool, overwrite);
        writeFile(file);
        GeneralSettings s;
        QVERIFY(ReadDefaultSettings(appDir_, &s).ok);
        QCOMPARE(s.outputPath, outputPath == "<appDir>" ? appDir_ : outputPath);
        QCOMPARE(s.synMode, synMode);
        QCOMPARE(s.openDir, openDir);
        QCOMPARE(s.exit, false);
        QCOMPARE(s.turnoff, false);
        QCOMPARE(s.overwrite, overwrite);
        // Reading "Default" writes nothing.
        QCOMPARE(fileText(), file);
    }

    void versionIsNeverWritten() {
        GeneralSettings s;
        s.outputPath = appDir_;
        QVERIFY(WritePreferences(appDir_, 0, s).ok);
        QVERIFY(WriteGeneralSettings(appDir_, s).ok);
        QVERIFY(!fileText().contains("Version"));

        writeFile("[Main]\r\nVersion=3.1\r\n");
        QVERIFY(WritePreferences(appDir_, 0, s).ok);
        QVERIFY(fileText().contains("\r\nVersion=3.1\r\n"));
        QCOMPARE(fileText().count("Version"), 1);
    }

    void failedWritesAreReported_data() {
        QTest::addColumn<bool>("iniIsFolder"); // else the program folder lies under a regular file
        QTest::newRow("Preferences.ini is a folder") << true;
        QTest::newRow("folder path through a file") << false;
    }
    void failedWritesAreReported() {
        QFETCH(bool, iniIsFolder);
        if (iniIsFolder) {
            QVERIFY(QDir().mkpath(iniPath()));
            QFile marker(iniPath() + "/keep");
            QVERIFY(marker.open(QIODevice::WriteOnly));
            marker.write("x");
        } else {
            QFile blocker(appDir_ + "blocker");
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            appDir_ += "blocker/";
        }

        GeneralSettings s;
        s.outputPath = "/out/";
        const PreferencesResult writes[] = {WritePreferences(appDir_, 0, s),
                                            WriteGeneralSettings(appDir_, s)};
        for (const PreferencesResult& r : writes) {
            QVERIFY(!r.ok);
            QVERIFY2(r.error.contains(iniPath()), qPrintable(r.error));
        }

        // Reads give the defaults. A file that is there but unreadable is reported; a missing one that
        // cannot be created is not, since nothing was lost.
        GeneralSettings back;
        back.synMode = 2;
        const PreferencesResult read = ReadGeneralSettings(appDir_, &back);
        QCOMPARE(read.ok, !iniIsFolder);
        if (iniIsFolder)
            QVERIFY(read.error.contains(iniPath()));
        QCOMPARE(back.synMode, 0);
        QCOMPARE(back.outputPath, appDir_);

        if (iniIsFolder) {
            QVERIFY(QFileInfo(iniPath()).isDir());
            QVERIFY(QFile::exists(iniPath() + "/keep"));
        }
    }
};

QTEST_APPLESS_MAIN(TestPreferences)
#include "tst_preferences.moc"

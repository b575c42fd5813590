// The INI store: look-up quirks, typed reads, where writes land, and what Close puts on disk.

#include "profiles/newinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestNewInifile : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

    QString fileWith(const QByteArray& bytes) {
        const QString path = tmp_.filePath(QStringLiteral("t.ini"));
        writeAll(path, bytes);
        return path;
    }

private slots:
    void readString_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray base = "[Main]\r\nType=avi\r\n";
        QTest::newRow("plain") << base << "Main"
                               << "Type"
                               << "avi";
        QTest::newRow("header in capitals") << QByteArray("[MAIN]\r\nType=avi\r\n") << "mAiN"
                                            << "Type"
                                            << "avi";
        QTest::newRow("key in capitals") << QByteArray("[Main]\r\nTYPE=avi\r\n") << "Main"
                                         << "tYpe"
                                         << "avi";
        QTest::newRow("missing section") << base << "Other"
                                         << "Type"
                                         << "<def>";
        QTest::newRow("missing key") << base << "Main"
                                     << "Para"
                                     << "<def>";
        QTest::newRow("blank before =") << QByteArray("[Main]\r\nType =avi\r\n") << "Main"
                                        << "Type"
                                        << "<def>";
        QTest::newRow("blank after = kept") << QByteArray("[Main]\r\nType= avi \r\n") << "Main"
                                            << "Type"
                                            << " avi ";
        QTest::newRow("empty value") << QByteArray("[P]\r\nCaption=\r\n") << "P"
                                     << "Caption"
                                     << "";
        QTest::newRow("= inside value") << QByteArray("[P]\r\ncmd=-af volume=2\r\n") << "P"
                                        << "cmd"
                                        << "-af volume=2";
        QTest::newRow("containment: 11 above 1") << QByteArray("[Main]\r\n11=x\r\n1=y\r\n") << "Main"
                                                 << "1"
                                                 << "x";
        QTest::newRow("containment: Para answers ara") << QByteArray("[Main]\r\nPara=3\r\n") << "Main"
                                                       << "ara"
                                                       << "3";
        QTest::newRow("ascending keys resolve") << QByteArray("[Main]\r\n1=y\r\n11=x\r\n") << "Main"
                                                << "1"
                                                << "y";
        QTest::newRow("body ends at next section") << QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n") << "A"
                                                   << "y"
                                                   << "<def>";
        QTest::newRow("[ in a value hides the rest") << QByteArray("[P]\r\nA=a[b\r\nB=2\r\n") << "P"
                                                     << "B"
                                                     << "<def>";
        QTest::newRow("[ in a value cuts it") << QByteArray("[P]\r\nA=a[b\r\n") << "P"
                                              << "A"
                                              << "a";
        QTest::newRow("header amid other text") << QByteArray("x[Main]y\r\nType=avi\r\n") << "Main"
                                                << "Type"
                                                << "avi";
        QTest::newRow("lone CR and LF end lines") << QByteArray("[Main]\rA=1\nB=2\r\nC=3") << "Main"
                                                  << "B"
                                                  << "2";
        QTest::newRow("last line without line end") << QByteArray("[Main]\nA=1\nC=3") << "Main"
                                                    << "C"
                                                    << "3";
        QTest::newRow("NUL ends the text") << (QByteArray("[Main]\r\nA=1") + '\0' + "\r\nB=2\r\n") << "Main"
                                           << "B"
                                           << "<def>";
        QTest::newRow("UTF-8 text") << QByteArray("[Größe]\r\nName=Männer\r\n") << "größe"
                                    << "Name"
                                    << "Männer";
    }
    void readString() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TNewInifile ini(fileWith(bytes));
        QCOMPARE(ini.ReadString(section, key, QStringLiteral("<def>")), expected);
        QVERIFY(ini.error().isEmpty());
    }

    // bools: 1 true, 0 false, -1 the default
    void typedReads_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("asInt"); // default 7
        QTest::addColumn<int>("asBool");
        QTest::addColumn<double>("asFloat"); // default 0.5
        QTest::newRow("decimal") << "12" << 12 << 1 << 12.0;
        QTest::newRow("leading blanks") << "  12" << 12 << 1 << 12.0;
        QTest::newRow("trailing blank") << "12 " << 7 << 1 << 12.0;
        QTest::newRow("signs") << "-5" << -5 << 1 << -5.0;
        QTest::newRow("plus") << "+5" << 5 << 1 << 5.0;
        QTest::newRow("dollar hex") << "$1F" << 31 << -1 << 0.5;
        QTest::newRow("0x hex") << "0x1f" << 31 << -1 << 0.5;
        QTest::newRow("digits then letters") << "12a" << 7 << -1 << 0.5;
        QTest::newRow("decimal point") << "1.5" << 7 << 1 << 1.5;
        QTest::newRow("int max") << "2147483647" << 2147483647 << 1 << 2147483647.0;
        QTest::newRow("int min") << "-2147483648" << int(-2147483648LL) << 1 << -2147483648.0;
        QTest::newRow("beyond int") << "2147483648" << 7 << 1 << 2147483648.0;
        QTest::newRow("zero") << "0" << 0 << 0 << 0.0;
        QTest::newRow("two") << "2" << 2 << 1 << 2.0;
        QTest::newRow("minus one") << "-1" << -1 << 1 << -1.0;
        QTest::newRow("True any case") << "tRUE" << 7 << 1 << 0.5;
        QTest::newRow("False any case") << "FALSE" << 7 << 0 << 0.5;
        QTest::newRow("other word") << "yes" << 7 << -1 << 0.5;
        QTest::newRow("empty") << "" << 7 << -1 << 0.5;
        QTest::newRow("sign alone") << "-" << 7 << -1 << 0.5;
        QTest::newRow("comma decimal") << "1,5" << 7 << -1 << 0.5;
        QTest::newRow("infinity word") << "inf" << 7 << -1 << 0.5;
    }
    void typedReads() {
        QFETCH(QString, text);
        QFETCH(int, asInt);
        QFETCH(int, asBool);
        QFETCH(double, asFloat);
        TNewInifile ini(fileWith("[S]\r\nk=" + text.toUtf8() + "\r\n"));
        QCOMPARE(ini.ReadInteger("S", "k", 7), asInt);
        QCOMPARE(ini.ReadBool("S", "k", false), asBool < 0 ? false : bool(asBool));
        QCOMPARE(ini.ReadBool("S", "k", true), asBool < 0 ? true : bool(asBool));
        QCOMPARE(ini.ReadFloat("S", "k", 0.5), asFloat);
    }

    // Each write is "section|key|value".
    void writePlacement_data() {
        QTest::addColumn<QStringList>("start");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QStringList>("expected");
        const QStringList p{"[Main]", "Type=avi", "", "[P]", "Sort=1", "cmd=-r"};
        QTest::newRow("existing key keeps its line")
            << p << QStringList{"p|CMD|-s"}
            << QStringList{"[Main]", "Type=avi", "", "[P]", "Sort=1", "CMD=-s"};
        QTest::newRow("new key goes first in its section")
            << p << QStringList{"P|Index|2"}
            << QStringList{"[Main]", "Type=avi", "", "[P]", "Index=2", "Sort=1", "cmd=-r"};
        QTest::newRow("new section appended with its entry")
            << p << QStringList{"Q|a|1"} << (p + QStringList{"[Q]", "a=1"});
        QTest::newRow("keys of a new section in reverse order")
            << QStringList{} << QStringList{"X|A|1", "X|B|2", "X|C|3"}
            << QStringList{"[X]", "C=3", "B=2", "A=1"};
        QTest::newRow("key hidden behind [ is inserted after the header")
            << QStringList{"[P]", "Caption=a[b", "Index=1"} << QStringList{"P|Index|0"}
            << QStringList{"[P]", "Index=0", "Caption=a[b", "Index=1"};
        QTest::newRow("entry on the header's line keeps the header")
            << QStringList{"[P]Index=1", "Sort=1"} << QStringList{"P|Index|0"}
            << QStringList{"[P]Index=0", "Sort=1"};
    }
    void writePlacement() {
        QFETCH(QStringList, start);
        QFETCH(QStringList, writes);
        QFETCH(QStringList, expected);
        TNewInifile ini(tmp_.filePath(QStringLiteral("never-there.ini")));
        ini.Lines = start;
        for (const QString& w : writes) {
            const QStringList part = w.split(QLatin1Char('|'));
            ini.WriteString(part[0], part[1], part[2]);
        }
        QCOMPARE(ini.Lines, expected);
    }

    void typedWrites() {
        TNewInifile ini(tmp_.filePath(QStringLiteral("never-there.ini")));
        ini.WriteInteger("S", "i", -42);
        ini.WriteBool("S", "t", true);
        ini.WriteBool("S", "f", false);
        QCOMPARE(ini.Lines, (QStringList{"[S]", "f=0", "t=1", "i=-42"}));
        QCOMPARE(ini.ReadInteger("S", "i", 0), -42);
        QCOMPARE(ini.ReadBool("S", "t", false), true);
    }

    void closeWritesCrLf_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("lone LF") << QByteArray("[A]\nx=1\n") << QByteArray("[A]\r\nx=1\r\n");
        QTest::newRow("no final line end") << QByteArray("[A]\r\nx=1") << QByteArray("[A]\r\nx=1\r\n");
        QTest::newRow("lone CR") << QByteArray("[A]\rx=1\r") << QByteArray("[A]\r\nx=1\r\n");
        QTest::newRow("already CR LF") << QByteArray("[A]\r\nx=1\r\n") << QByteArray("[A]\r\nx=1\r\n");
        QTest::newRow("8-bit text kept byte for byte") << QByteArray("[A]\nx=Gr\xf6\xdf"
                                                                     "e\n")
                                                       << QByteArray("[A]\r\nx=Gr\xf6\xdf"
                                                                     "e\r\n");
        QTest::newRow("text after NUL dropped")
            << (QByteArray("[A]\r\nx=1\r\n") + '\0' + "junk") << QByteArray("[A]\r\nx=1\r\n");
    }
    void closeWritesCrLf() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString path = fileWith(before);
        TNewInifile ini(path);
        QVERIFY(ini.Close());
        QCOMPARE(readAll(path), after);
    }

    void missingFileGivesDefaultsAndCloseCreatesIt() {
        const QString path = tmp_.filePath(QStringLiteral("new.ini"));
        TNewInifile ini(path);
        QCOMPARE(ini.ReadInteger("Main", "Para", 3), 3);
        QCOMPARE(ini.ReadString("Main", "Type", "mp4"), QStringLiteral("mp4"));
        QVERIFY(ini.error().isEmpty());
        QVERIFY(ini.Close());
        QCOMPARE(readAll(path), QByteArray());
    }

    void writesReachDiskOnlyOnClose() {
        const QString path = fileWith("[A]\r\nx=1\r\n");
        TNewInifile ini(path);
        ini.WriteString("A", "x", "ü");
        QCOMPARE(readAll(path), QByteArray("[A]\r\nx=1\r\n"));
        QVERIFY(ini.Close());
        QCOMPARE(readAll(path), QByteArray("[A]\r\nx=\xc3\xbc\r\n"));
    }

    void eightBitFileKeepsEveryCharacter_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("8-bit text stays 8-bit") << QStringLiteral("\u00fc")
                                                << QByteArray("[A]\r\ny=\xfc\r\nx=Gr\xf6\xdf"
                                                              "e\r\n");
        QTest::newRow("wider text makes it UTF-8") << QStringLiteral("\u2192")
                                                   << QByteArray("[A]\r\ny=\xe2\x86\x92\r\n"
                                                                 "x=Gr\xc3\xb6\xc3\x9f"
                                                                 "e\r\n");
    }
    void eightBitFileKeepsEveryCharacter() {
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString path = fileWith("[A]\r\nx=Gr\xf6\xdf"
                                      "e\r\n");
        TNewInifile ini(path);
        ini.WriteString("A", "y", value);
        QVERIFY(ini.Close());
        QCOMPARE(readAll(path), after);
        const TNewInifile back(path);
        QCOMPARE(back.ReadString("A", "y", ""), value);
        QCOMPARE(back.ReadString("A", "x", ""), QStringLiteral("Gr\u00f6\u00dfe"));
    }

    void unwritablePathReportsError() {
        const QString blocker = fileWith("not a folder");
        const QString path = blocker + QStringLiteral("/p.ini");
        TNewInifile ini(path);
        ini.WriteString("A", "x", "1");
        QVERIFY(!ini.Close());
        QVERIFY2(ini.error().startsWith(QStringLiteral("Cannot write ") + path + QStringLiteral(": ")),
                 qPrintable(ini.error()));
    }

    // A file-size limit makes writing fail half-way, whoever runs the test.
    static bool closeUnderSizeLimit(TNewInifile& ini, rlim_t limit) {
        rlimit saved{};
        if (getrlimit(RLIMIT_FSIZE, &saved) != 0)
            return false;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = limit;
        const bool closed = setrlimit(RLIMIT_FSIZE, &small) == 0 && ini.Close();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        return closed;
    }

    void failedWriteLeavesOldFileWhole() {
        const QByteArray old = "[A]\r\nx=1\r\n";
        const QString path = fileWith(old);
        TNewInifile ini(path);
        ini.WriteString("A", "big", QString(4096, QLatin1Char('z')));
        QVERIFY(!closeUnderSizeLimit(ini, 1024));
        QVERIFY(ini.error().startsWith(QStringLiteral("Cannot write ")));
        QCOMPARE(readAll(path), old);
        // and no half-written temporary is left beside it
        QCOMPARE(QDir(tmp_.path()).entryList({"t.ini?*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    void closeLeavesAFileAlreadyInItsFormAlone() {
        // so a profile in a write-protected folder can be read: nothing needs writing
        const QString path = fileWith("[A]\r\nx=1\r\n");
        TNewInifile same(path);
        QVERIFY(closeUnderSizeLimit(same, 1));
        TNewInifile changed(path);
        changed.WriteString("A", "x", "2");
        QVERIFY(!closeUnderSizeLimit(changed, 1));
        QCOMPARE(readAll(path), QByteArray("[A]\r\nx=1\r\n"));
    }

    void unreadableFileIsReportedAndNeverReplaced() {
        // A folder in the file's place cannot be read, even by root.
        const QString path = tmp_.filePath(QStringLiteral("folder.ini"));
        QVERIFY(QDir().mkpath(path));
        TNewInifile ini(path);
        QVERIFY(ini.error().startsWith(QStringLiteral("Cannot read ") + path + QStringLiteral(": ")));
        QCOMPARE(ini.ReadString("A", "x", "d"), QStringLiteral("d"));
        ini.WriteString("A", "x", "1");
        QVERIFY(!ini.Close());
        QVERIFY(QFileInfo(path).isDir());
    }
};

QTEST_APPLESS_MAIN(TestNewInifile)
#include "tst_newinifile.moc"

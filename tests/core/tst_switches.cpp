// The switch text built from a profile and the values the grids show.

#include "profiles/switches.h"
#include "profiles/valuelistmodel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Param {
    QString name;
    QString section; // the parameter's section body, "\n" between lines
    QString shown;   // what the video grid shows for it
};

// Parameter definitions of the worked examples; all live in the video grid (Sort=1).
const QList<Param>& examples() {
    static const QList<Param> list{
        {"P1", "List=true\nCaption=Low,High,\nValue=100,200,\ncmd=-a", "High"},
        {"P2", "Caption=320x240,Custom Size,\nValue=320x240,,\ncmd=-b", "640x480"},
        {"P3", "Caption=Original Size,320x240,\nValue=,320x240,\ncmd=-b", "Original Size"},
        {"P4", "Caption=No,Yes,\nValue=,\\,\ncmd=-c", "Yes"},
        {"P5", "Caption=No,Yes,\nValue=,\\,\ncmd=-c", "No"},
        {"P6", "List=false\nReadOnly=true\nCaption=Automatic\nValue=7\ncmd=-d", "Automatic"},
        {"P7", "List=false\nCaption=1500\nValue=1500\ncmd=-e", "2000"},
        {"P8", "List=false\nCaption=25\nValue=25\ncmd=", "25"},
        {"P9", "Caption=Low,High,\nValue=100,200,\ncmd=-f", "high"},
    };
    return list;
}

const Param& example(const QString& name) {
    for (const Param& p : examples()) {
        if (p.name == name)
            return p;
    }
    qFatal("no example %s", qPrintable(name));
}

} // namespace

class TestSwitches : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

    // A profile of the given parameters with their "Sort" lines.
    QString writeProfile(const QList<Param>& params, const QString& sortLine = "Sort=1") {
        QString text = QStringLiteral("[Main]\nType=mp4\nPara=%1\n").arg(params.size());
        for (int i = 0; i < params.size(); ++i)
            text += QStringLiteral("%1=%2\n").arg(i).arg(params[i].name);
        for (const Param& p : params)
            text += "[" + p.name + "]\n" + sortLine + "\n" + p.section + "\n";
        const QString path = tmp_.filePath("p.cvp");
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8().replace("\n", "\r\n"));
        return path;
    }

private slots:
    void examples_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("piece");
        QTest::newRow("P1 pick list") << "P1"
                                      << " -a 200";
        QTest::newRow("P2 custom size passed through") << "P2"
                                                       << " -b 640x480";
        QTest::newRow("P3 empty Value item") << "P3"
                                             << "";
        QTest::newRow("P4 backslash: switch alone") << "P4"
                                                    << " -c ";
        QTest::newRow("P5 empty Value item") << "P5"
                                             << "";
        QTest::newRow("P6 read-only plain uses Value") << "P6"
                                                       << " -d 7";
        QTest::newRow("P7 typed plain value") << "P7"
                                              << " -e 2000";
        QTest::newRow("P8 no cmd") << "P8"
                                   << "";
        QTest::newRow("P9 caption case ignored") << "P9"
                                                 << " -f 200";
    }
    void examples() {
        QFETCH(QString, name);
        QFETCH(QString, piece);
        const Param& p = example(name);
        ValueListModel video, audio, advanced;
        video.appendRow(p.name, p.shown);
        QCOMPARE(BuildSwitches(writeProfile({p}), {&video, &audio, &advanced}), piece);
    }

    void combination() {
        ValueListModel video, audio, advanced;
        QList<Param> params;
        for (const char* name : {"P1", "P4", "P6"}) {
            params.append(example(name));
            video.appendRow(name, example(name).shown);
        }
        const QString path = writeProfile(params);
        QCOMPARE(BuildSwitches(path, {&video, &audio, &advanced}), QStringLiteral(" -a 200 -c  -d 7"));
        // the text given is extended, not replaced
        QCOMPARE(BuildSwitches(path, {&video, &audio, &advanced}, " -x"),
                 QStringLiteral(" -x -a 200 -c  -d 7"));
    }

    void gridChoice_data() {
        QTest::addColumn<QString>("sortLine");
        QTest::addColumn<int>("grid");
        QTest::newRow("video") << "Sort=1" << 0;
        QTest::newRow("audio") << "Sort=2" << 1;
        QTest::newRow("advanced") << "Sort=3" << 2;
        QTest::newRow("other Sort: advanced") << "Sort=9" << 2;
        QTest::newRow("no Sort: advanced") << "" << 2;
    }
    void gridChoice() {
        QFETCH(QString, sortLine);
        QFETCH(int, grid);
        std::array<ValueListModel, 3> grids;
        for (int i = 0; i < 3; ++i)
            grids[i].appendRow("P1", i == grid ? "High" : "Low");
        const QString path = writeProfile({example("P1")}, sortLine);
        QCOMPARE(BuildSwitches(path, {&grids[0], &grids[1], &grids[2]}), QStringLiteral(" -a 200"));
    }

    void oddParameters_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("result");
        QTest::newRow("caption without Value item") << "Caption=a,b,c,\nValue=1,2,\ncmd=-z"
                                                    << "c"
                                                    << "";
        QTest::newRow("lost last caption passed through") << "Caption=a,b,c\nValue=1,2,3,\ncmd=-z"
                                                          << "c"
                                                          << " -z c";
        QTest::newRow("first equal caption wins") << "Caption=a,A,\nValue=1,2,\ncmd=-z"
                                                  << "A"
                                                  << " -z 1";
        QTest::newRow("read-only list follows the pick") << "ReadOnly=1\nCaption=a,b,\nValue=1,2,\ncmd=-z"
                                                         << "b"
                                                         << " -z 2";
        QTest::newRow("read-only plain ignores grid") << "List=0\nReadOnly=1\nCaption=x\nValue=5\ncmd=-z"
                                                      << "9"
                                                      << " -z 5";
        QTest::newRow("empty typed value") << "List=0\nCaption=x\nValue=5\ncmd=-z"
                                           << ""
                                           << "";
        QTest::newRow("no captions, nothing shown") << "cmd=-z"
                                                    << ""
                                                    << "";
    }
    void oddParameters() {
        QFETCH(QString, section);
        QFETCH(QString, shown);
        QFETCH(QString, result);
        ValueListModel video, audio, advanced;
        video.appendRow("Q", shown);
        QCOMPARE(BuildSwitches(writeProfile({{"Q", section, shown}}), {&video, &audio, &advanced}), result);
    }

    void noSwitches() {
        ValueListModel video, audio, advanced;
        video.appendRow("P1", "High");
        QCOMPARE(BuildSwitches(tmp_.filePath("gone.cvp"), {&video, &audio, &advanced}), QString());
        QCOMPARE(BuildSwitches(QString(), {&video, &audio, &advanced}, " -keep"), QStringLiteral(" -keep"));
        QString path = writeProfile({example("P1")});
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "[Main]\r\nPara=0\r\n0=P1\r\n[P1]\r\nSort=1\r\nCaption=Low,High,\r\nValue=1,2,\r\ncmd=-a\r\n");
        f.close();
        QCOMPARE(BuildSwitches(path, {&video, &audio, &advanced}), QString());
        // grids that are missing show nothing
        QCOMPARE(BuildSwitches(writeProfile({example("P6"), example("P1")}), {nullptr, nullptr, nullptr}),
                 QStringLiteral(" -d 7"));
    }
};

QTEST_APPLESS_MAIN(TestSwitches)
#include "tst_switches.moc"

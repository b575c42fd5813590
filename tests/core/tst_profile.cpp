// Profile files: the catalogue, comma lists, loading into the grids and saving the grids back.

#include "profiles/profile.h"
#include "profiles/valuelistmodel.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Profile text written with "\n" here and CR LF on disk, as the store writes it.
QByteArray crlf(const QString& text) {
    return text.toUtf8().replace("\n", "\r\n");
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

const char* const kAviProfile = R"([Main]
Type=avi
Para=4
0=Video Codec
1=Bit Rate
2=Frame Rate
3=Audio Codec

[Video Codec]
Sort=1
Caption=MPEG-4,XviD,
Value=mpeg4,libxvid,
Index=1
cmd=-c:v

[Bit Rate]
Sort=1
List=0
Caption=1500
Value=1500k
cmd=-b:v

[Frame Rate]
Sort=1
List=False
ReadOnly=1
Caption=Automatic
Value=25
cmd=-r

[Audio Codec]
Sort=2
ReadOnly=true
Caption=MP3,AAC,
Value=libmp3lame,aac,
cmd=-c:a
)";

struct Grids {
    ValueListModel video, audio, advanced;
    std::array<ValueListModel*, 3> all() { return {&video, &audio, &advanced}; }
    std::array<const ValueListModel*, 3> constAll() const { return {&video, &audio, &advanced}; }
};

} // namespace

class TestProfile : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

    QString profile(const QString& name, const QString& text) {
        const QString path = tmp_.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(crlf(text));
        return path;
    }

private slots:
    void paths() {
        QCOMPARE(ProfileDir("/opt/rw/"), QStringLiteral("/opt/rw/Profiles/"));
        QCOMPARE(ProfileDir("/opt/rw"), QStringLiteral("/opt/rw/Profiles/"));
        QCOMPARE(ProfilePath("/opt/rw/", "MP4 - H.264 AAC"),
                 QStringLiteral("/opt/rw/Profiles/MP4 - H.264 AAC.cvp"));
    }

    void splitList_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("final comma") << "a,b,c," << QStringList{"a", "b", "c"};
        QTest::newRow("no final comma drops the last") << "a,b,c" << QStringList{"a", "b"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("no comma at all") << "abc" << QStringList{};
        QTest::newRow("empty items kept") << ",\\," << QStringList{"", "\\"};
        QTest::newRow("blanks kept") << " a , b," << QStringList{" a ", " b"};
    }
    void splitList() {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(SplitList(text), items);
    }

    void catalogue() {
        QTemporaryDir dir;
        for (const char* name : {"b.CVP", "a.cvp", ".hidden.cvp", "Z.Cvp", "c.txt", "cvp", "d.cvp.bak"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir("folder.cvp"));
        QCOMPARE(ListFilesByExt(dir.path(), ".cvp"), (QStringList{".hidden.cvp", "a.cvp", "b.CVP", "Z.Cvp"}));
        QCOMPARE(ListFilesByExt(dir.path() + "/", ".CVP").size(), 4);
        QCOMPARE(ListFilesByExt(dir.filePath("missing"), ".cvp"), QStringList());
    }

    void loadFillsTheGrids() {
        Grids g;
        g.advanced.setDesignRows({"Bit Exact Algorithms", "Deinterlace"}); // replaced though unused
        QString ext;
        QVERIFY(LoadProfile(profile("avi.cvp", kAviProfile), g.all(), &ext));
        QCOMPARE(ext, QStringLiteral(".avi"));
        QCOMPARE(g.video.rowCount(), 3);
        QCOMPARE(g.audio.rowCount(), 1);
        QCOMPARE(g.advanced.rowCount(), 0);

        QCOMPARE(g.video.key(0), QStringLiteral("Video Codec"));
        QCOMPARE(g.video.value(0), QStringLiteral("XviD"));
        QCOMPARE(g.video.pickList(0), (QStringList{"MPEG-4", "XviD"}));
        QCOMPARE(g.video.editStyle(0), ValueListModel::EditStyle::PickList);
        QVERIFY(g.video.readOnly(0)); // list rows are always read-only: chosen, never typed

        QCOMPARE(g.video.value(1), QStringLiteral("1500"));
        QCOMPARE(g.video.editStyle(1), ValueListModel::EditStyle::Plain);
        QVERIFY(!g.video.readOnly(1));
        QVERIFY(g.video.flags(g.video.index(1, 1)) & Qt::ItemIsEditable);

        QCOMPARE(g.video.value(2), QStringLiteral("Automatic"));
        QVERIFY(g.video.readOnly(2));
        QVERIFY(!(g.video.flags(g.video.index(2, 1)) & Qt::ItemIsEditable));

        QCOMPARE(g.audio.value(0), QStringLiteral("MP3")); // Index absent: 0
        QVERIFY(g.audio.flags(g.audio.index(0, 1)) & Qt::ItemIsEditable);
    }

    void missingAndUnreadableProfilesChangeNothing() {
        Grids g;
        g.video.setDesignRows({"Video Codec"});
        QString ext = ".old";
        QString error;
        QVERIFY(!LoadProfile(tmp_.filePath("gone.cvp"), g.all(), &ext, &error));
        QVERIFY(error.isEmpty());
        const QString folder = tmp_.filePath("folder.cvp");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(!LoadProfile(folder, g.all(), &ext, &error));
        QVERIFY(error.startsWith("Cannot read " + folder));
        QCOMPARE(g.video.rowCount(), 1);
        QCOMPARE(ext, QStringLiteral(".old"));
        QVERIFY(!SaveProfile(folder, g.constAll(), &error));
    }

    void editSaveReload() {
        const QString path = profile("edit.cvp", kAviProfile);
        Grids g;
        QVERIFY(LoadProfile(path, g.all(), nullptr));
        QSignalSpy edited(&g.video, &ValueListModel::valueEdited);
        QVERIFY(!g.video.setData(g.video.index(0, 1), "H.264")); // a list row is chosen from, not typed
        QVERIFY(g.video.setData(g.video.index(0, 1), "MPEG-4"));
        QVERIFY(g.video.setData(g.video.index(1, 1), "800"));
        QVERIFY(!g.video.setData(g.video.index(1, 1), "8[00"));
        QVERIFY(!g.video.setData(g.video.index(1, 1), "8\n00"));
        QVERIFY(!g.video.setData(g.video.index(2, 1), "30")); // read-only plain
        QVERIFY(g.audio.setData(g.audio.index(0, 1), "AAC")); // read-only list: picked, never saved
        QCOMPARE(edited.count(), 2);
        QVERIFY(!(g.video.flags(g.video.index(1, 0)) & Qt::ItemIsEditable)); // keys are fixed
        QVERIFY(!g.video.setData(g.video.index(1, 0), "Rate"));
        QSignalSpy changed(&g.video, &ValueListModel::dataChanged);
        g.video.setValue(1, "800"); // programmatic and no change: no signal at all
        g.video.setValue(1, "801"); // programmatic change: repainted, but no user edit
        g.video.setValue(1, "800");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(edited.count(), 2);

        QString error;
        QVERIFY(SaveProfile(path, g.constAll(), &error));
        QString expected = kAviProfile;
        expected.replace("Index=1\n", "Index=0\n")
            .replace("Caption=1500\nValue=1500k", "Caption=800\nValue=800");
        QCOMPARE(readAll(path), crlf(expected));

        Grids again;
        QVERIFY(LoadProfile(path, again.all(), nullptr));
        QCOMPARE(again.video.value(0), QStringLiteral("MPEG-4"));
        QCOMPARE(again.video.value(1), QStringLiteral("800"));
        QCOMPARE(again.video.value(2), QStringLiteral("Automatic"));
        QCOMPARE(again.audio.value(0), QStringLiteral("MP3"));
    }

    void missingKeysAreInsertedAfterTheHeader() {
        const QString path = profile("sparse.cvp", R"([Main]
Para=2
0=Codec
1=Rate

[Codec]
Caption=x,Y,y,
cmd=-c

[Rate]
List=0
cmd=-r
)");
        Grids g;
        QVERIFY(LoadProfile(path, g.all(), nullptr));
        // Sort absent: both go to the advanced grid
        QCOMPARE(g.advanced.rowCount(), 2);
        QVERIFY(g.advanced.setData(g.advanced.index(0, 1), "y"));
        QVERIFY(g.advanced.setData(g.advanced.index(1, 1), "12"));
        QVERIFY(SaveProfile(path, g.constAll()));
        // "y" is stored as the first caption equal to it ignoring case
        QCOMPARE(readAll(path), crlf(R"([Main]
Para=2
0=Codec
1=Rate

[Codec]
Index=1
Caption=x,Y,y,
cmd=-c

[Rate]
Value=12
Caption=12
List=0
cmd=-r
)"));
    }

    void oddProfiles_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("grid");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("pick");
        QTest::newRow("Sort 0 goes to advanced") << "Sort=0\nCaption=a,b,\n"
                                                 << 2 << "a" << QStringList{"a", "b"};
        QTest::newRow("Sort 7 goes to advanced") << "Sort=7\nCaption=a,b,\n"
                                                 << 2 << "a" << QStringList{"a", "b"};
        QTest::newRow("Sort 2 audio") << "Sort=2\nCaption=a,b,\nIndex=1\n"
                                      << 1 << "b" << QStringList{"a", "b"};
        QTest::newRow("no captions") << "Sort=1\nCaption=\n" << 0 << "" << QStringList{};
        QTest::newRow("no final comma") << "Sort=1\nCaption=a,b,c\nIndex=2\n"
                                        << 0 << "a" << QStringList{"a", "b"};
        QTest::newRow("Index past the end") << "Sort=1\nCaption=a,b,c,\nIndex=3\n"
                                            << 0 << "a" << QStringList{"a", "b", "c"};
        QTest::newRow("Index negative") << "Sort=1\nCaption=a,b,\nIndex=-1\n"
                                        << 0 << "a" << QStringList{"a", "b"};
        QTest::newRow("Index unparsable") << "Sort=1\nCaption=a,b,\nIndex=1x\n"
                                          << 0 << "a" << QStringList{"a", "b"};
        QTest::newRow("last of three") << "Sort=1\nCaption=a,b,c,\nIndex=2\n"
                                       << 0 << "c" << QStringList{"a", "b", "c"};
    }
    void oddProfiles() {
        QFETCH(QString, section);
        QFETCH(int, grid);
        QFETCH(QString, value);
        QFETCH(QStringList, pick);
        Grids g;
        QString ext;
        QVERIFY(LoadProfile(profile("odd.cvp", "[Main]\nPara=1\n0=P\n[P]\n" + section), g.all(), &ext));
        QCOMPARE(ext, QStringLiteral(".mp4")); // no Type
        const ValueListModel* m = g.all()[grid];
        QCOMPARE(g.video.rowCount() + g.audio.rowCount() + g.advanced.rowCount(), 1);
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->value(0), value);
        QCOMPARE(m->pickList(0), pick);
    }

    void saveAs() {
        const QString source = profile("src.cvp", kAviProfile);
        const QString destination = tmp_.filePath("copy.cvp");
        QFile old(destination);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old content");
        old.close();

        Grids g;
        QVERIFY(LoadProfile(source, g.all(), nullptr));
        g.video.setValue(1, "999");
        QString error;
        QVERIFY(SaveProfileAs(source, destination, g.constAll(), &error));
        QString expected = kAviProfile;
        expected.replace("Caption=1500\nValue=1500k", "Caption=999\nValue=999");
        QCOMPARE(readAll(destination), crlf(expected));
        QCOMPARE(readAll(source), crlf(kAviProfile));

        // onto itself: the profile is kept and saved
        QVERIFY(SaveProfileAs(destination, destination, g.constAll(), &error));
        QCOMPARE(readAll(destination), crlf(expected));

        QVERIFY(!SaveProfileAs(tmp_.filePath("none.cvp"), destination, g.constAll(), &error));
        QVERIFY(error.startsWith("Cannot read "));
        const QString blocked = source + "/x.cvp"; // a file stands where the folder should be
        QVERIFY(!SaveProfileAs(source, blocked, g.constAll(), &error));
        QVERIFY(error.startsWith("Cannot write " + blocked));
        QCOMPARE(readAll(destination), crlf(expected));
    }
};

QTEST_APPLESS_MAIN(TestProfile)
#include "tst_profile.moc"

// Output names of a run: the rename rule, collisions within a run, sources reached by other
// spellings, and the temporary name.

#include "app/outputnaming.h"

#include <QtTest>

class TestOutputNaming : public QObject {
    Q_OBJECT
private slots:
    void init();
    void target_data();
    void target();
    void tempName();

private:
    QString abs(const QString& rel) const { return root_->path() + u'/' + rel; }
    std::unique_ptr<QTemporaryDir> root_;
};

static void Touch(const QString& path, const QByteArray& bytes = "x") {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes);
}

// root/src/clip.mp4 (a source), root/src/alias.mp4 -> clip.mp4, root/link -> src, root/out/
void TestOutputNaming::init() {
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    QDir dir(root_->path());
    QVERIFY(dir.mkdir(QStringLiteral("src")));
    QVERIFY(dir.mkdir(QStringLiteral("out")));
    Touch(abs(QStringLiteral("src/clip.mp4")));
    QVERIFY(QFile::link(QStringLiteral("clip.mp4"), abs(QStringLiteral("src/alias.mp4"))));
    QVERIFY(QFile::link(abs(QStringLiteral("src")), abs(QStringLiteral("link"))));
}

void TestOutputNaming::target_data() {
    QTest::addColumn<QString>("outDir");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("outputExt");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QStringList>("existing"); // files made before the run
    QTest::addColumn<QStringList>("earlier");  // new names of earlier tasks of the run, rows 0, 1, ...
    QTest::addColumn<QStringList>("sources");  // further sources of the run
    QTest::addColumn<QString>("expected");

    const QString clip = QStringLiteral("src/clip.mp4");
    const QStringList none;
    const QStringList aExists{QStringLiteral("out/a.mp4")};

    QTest::newRow("plain") << "out"
                           << "a"
                           << ".mp4" << clip << 0 << false << none << none << none << "out/a.mp4";
    QTest::newRow("folder ending in /")
        << "out/"
        << "a"
        << ".mp4" << clip << 0 << false << none << none << none << "out/a.mp4";
    QTest::newRow("exists, overwrite keeps the name")
        << "out"
        << "a"
        << ".mp4" << clip << 2 << false << aExists << none << none << "out/a.mp4";
    QTest::newRow("exists, rename: row index 2 gives a_3 with the task's extension")
        << "out"
        << "a"
        << ".avi" << clip << 2 << true << aExists << none << none << "out/a_3.avi";
    QTest::newRow("rename: indexed names taken too")
        << "out"
        << "a"
        << ".mp4" << clip << 2 << true << QStringList{"out/a.mp4", "out/a_3.mp4", "out/a_3_2.mp4"} << none
        << none << "out/a_3_3.mp4";
    QTest::newRow("rename: free name stays")
        << "out"
        << "a"
        << ".mp4" << clip << 0 << true << none << none << none << "out/a.mp4";
    QTest::newRow("names the source")
        << "src"
        << "clip"
        << ".mp4" << clip << 0 << false << none << none << none << "src/clip_1.mp4";
    QTest::newRow("names the source, other letter case")
        << "src"
        << "CLIP"
        << ".mp4" << clip << 0 << false << none << none << none << "src/CLIP_1.mp4";
    QTest::newRow("source through a linked folder")
        << "link"
        << "clip"
        << ".mp4" << clip << 0 << false << none << none << none << "link/clip_1.mp4";
    QTest::newRow("source through ..")
        << "out/../src"
        << "clip"
        << ".mp4" << clip << 0 << false << none << none << none << "out/../src/clip_1.mp4";
    QTest::newRow("source through .")
        << "src/."
        << "clip"
        << ".mp4" << clip << 0 << false << none << none << none << "src/./clip_1.mp4";
    QTest::newRow("source is a link to the target")
        << "src"
        << "clip"
        << ".mp4"
        << "src/alias.mp4" << 0 << false << none << none << none << "src/clip_1.mp4";
    QTest::newRow("overwrite: existing indexed name is overwritten")
        << "src"
        << "clip"
        << ".mp4" << clip << 0 << false << QStringList{"src/clip_1.mp4"} << none << none << "src/clip_1.mp4";
    QTest::newRow("earlier output of the run, overwrite")
        << "out"
        << "a"
        << ".mp4" << clip << 1 << false << none << QStringList{"a"} << none << "out/a_2.mp4";
    QTest::newRow("earlier outputs hold the plain and the indexed name")
        << "out"
        << "a"
        << ".mp4" << clip << 2 << false << none << QStringList{"a", "a_3"} << none << "out/a_3_2.mp4";
    QTest::newRow("another task's source is never written over")
        << "out"
        << "b"
        << ".mp4" << clip << 0 << false << QStringList{"out/b.mp4"} << none << QStringList{"out/b.mp4"}
        << "out/b_1.mp4";
}

void TestOutputNaming::target() {
    QFETCH(QString, outDir);
    QFETCH(QString, newName);
    QFETCH(QString, outputExt);
    QFETCH(QString, input);
    QFETCH(int, row);
    QFETCH(bool, rename);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, earlier);
    QFETCH(QStringList, sources);
    QFETCH(QString, expected);

    for (const QString& file : existing)
        Touch(abs(file));
    QStringList inputs{abs(input)};
    for (const QString& source : sources)
        inputs << abs(source);

    OutputNaming naming;
    naming.reset(inputs);
    OutputNaming::Task task{
        abs(outDir), QString(), QStringLiteral(".mp4"), QStringLiteral(".mp4"), abs(input), 0, rename};
    for (int i = 0; i < earlier.size(); ++i) {
        task.newFileName = earlier.at(i);
        task.row = i;
        naming.targetFor(task);
    }
    task.newFileName = newName;
    task.outputExt = outputExt;
    task.row = row;
    QCOMPARE(naming.targetFor(task), abs(expected));
}

void TestOutputNaming::tempName() {
    const QString target = abs(QStringLiteral("out/movie.final.mp4"));
    const QString first = TempOutputPath(target);
    const QFileInfo info(first);
    QCOMPARE(info.absolutePath(), abs(QStringLiteral("out")));
    QVERIFY2(info.fileName().startsWith(QStringLiteral(".movie.final.partial-")), qPrintable(first));
    QVERIFY(first.endsWith(QStringLiteral(".mp4")));
    QVERIFY(!info.exists());

    Touch(first);
    QVERIFY(TempOutputPath(target) != first);
    QVERIFY(!IsSameFile(first, target));
}

QTEST_APPLESS_MAIN(TestOutputNaming)
#include "tst_outputnaming.moc"

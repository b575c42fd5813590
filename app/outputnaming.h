#pragma once
// Names of a run's output files: the target of each task, the rename rule that keeps sources,
// kept files and earlier outputs of the same run from being overwritten, and the temporary name
// the encoder writes into until it has succeeded.

#include <QSet>
#include <QString>
#include <utility>

// True when the two paths name one file: the texts are equal ignoring letter case, or they lead
// to the same place once ".", ".." and symbolic links are resolved, or (both existing) to the
// same file on disk.
bool IsSameFile(const QString& a, const QString& b);

// Temporary output path beside target, hidden and marked partial, with target's extension so
// the encoder picks the same container: "<dir>/.<base>.partial-<random><ext>". No file of that
// name exists when it is returned.
QString TempOutputPath(const QString& target);

// A set of paths compared the way IsSameFile compares them.
class PathSet {
public:
    void insert(const QString& path);
    bool contains(const QString& path) const;
    void clear();

private:
    QSet<QString> texts_;
    QSet<std::pair<quint64, quint64>> files_; // device and inode of paths that existed
};

class OutputNaming {
public:
    struct Task {
        QString outputDir;   // the output folder text; "/" is appended unless present
        QString newFileName; // base name of the output
        QString profileExt;  // "." + the profile's type
        QString outputExt;   // the task's own extension, used for the indexed name
        QString inputFile;
        int row = 0; // index in the list; the indexed name carries row + 1
        bool renameChosen = false;
    };

    // Starts a run: forgets earlier claims and protects every source file of the run.
    void reset(const QStringList& inputFiles = {});

    // dir + NewFileName + ProfileExt, or the indexed name dir + NewFileName + "_" + (row + 1) +
    // OutputExt when that target exists and rename is chosen, names a source of the run, or was
    // given to an earlier task of the run. The indexed name in turn gets "_2", "_3" ... while it is
    // taken the same way. The returned name is claimed for the rest of the run.
    QString targetFor(const Task& task);

    static QString plainTarget(const QString& outputDir, const QString& newFileName, const QString& ext);

private:
    bool taken(const QString& path, bool renameChosen) const;

    PathSet sources_;
    PathSet claimed_;
};

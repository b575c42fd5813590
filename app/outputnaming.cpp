#include "app/outputnaming.h"

#include "app/tasktext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// The spellings a path is known by: its cleaned absolute text, and the text with links, "." and
// ".." resolved (the whole path when it exists, else its folder). Letter case is folded, since
// names that differ only in case count as one.
QStringList PathKeys(const QString& path) {
    QStringList keys;
    if (path.isEmpty())
        return keys;
    const QFileInfo info(path);
    keys << QDir::cleanPath(info.absoluteFilePath()).toCaseFolded();
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty()) {
        const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (!dir.isEmpty())
            canonical = dir + u'/' + info.fileName();
    }
    if (!canonical.isEmpty())
        keys << canonical.toCaseFolded();
    return keys;
}

// Device and inode of an existing file, so that hard links count as the same file.
bool FileId(const QString& path, std::pair<quint64, quint64>& id) {
#ifdef Q_OS_UNIX
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    id = {quint64(st.st_dev), quint64(st.st_ino)};
    return true;
#else
    Q_UNUSED(path);
    Q_UNUSED(id);
    return false;
#endif
}

} // namespace

bool IsSameFile(const QString& a, const QString& b) {
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    PathSet set;
    set.insert(a);
    return set.contains(b);
}

QString TempOutputPath(const QString& target) {
    const QFileInfo info(target);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    const QString base = dot > 0 ? name.left(dot) : name;
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (;;) {
        QString tag;
        for (int i = 0; i < 8; ++i)
            tag += QLatin1Char(alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet - 1))]);
        const QString path =
            EnsureBackslash(info.path()) + u'.' + base + QStringLiteral(".partial-") + tag + ext;
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return path;
    }
}

void PathSet::insert(const QString& path) {
    for (const QString& key : PathKeys(path))
        texts_.insert(key);
    std::pair<quint64, quint64> id;
    if (FileId(path, id))
        files_.insert(id);
}

bool PathSet::contains(const QString& path) const {
    for (const QString& key : PathKeys(path))
        if (texts_.contains(key))
            return true;
    std::pair<quint64, quint64> id;
    return FileId(path, id) && files_.contains(id);
}

void PathSet::clear() {
    texts_.clear();
    files_.clear();
}

void OutputNaming::reset(const QStringList& inputFiles) {
    sources_.clear();
    claimed_.clear();
    for (const QString& input : inputFiles)
        sources_.insert(input);
}

QString OutputNaming::plainTarget(const QString& outputDir, const QString& newFileName, const QString& ext) {
    return EnsureBackslash(outputDir) + newFileName + ext;
}

bool OutputNaming::taken(const QString& path, bool renameChosen) const {
    // A dangling link counts as an existing name: the final rename would replace it.
    const bool exists = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    return (renameChosen && exists) || sources_.contains(path) || claimed_.contains(path);
}

QString OutputNaming::targetFor(const Task& task) {
    QString target = plainTarget(task.outputDir, task.newFileName, task.profileExt);
    if (taken(target, task.renameChosen) || IsSameFile(target, task.inputFile)) {
        const QString indexed = task.newFileName + u'_' + QString::number(task.row + 1);
        target = plainTarget(task.outputDir, indexed, task.outputExt);
        for (int n = 2; taken(target, task.renameChosen) || IsSameFile(target, task.inputFile); ++n)
            target = plainTarget(task.outputDir, indexed + u'_' + QString::number(n), task.outputExt);
    }
    claimed_.insert(target);
    return target;
}

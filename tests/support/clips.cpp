#include "support/clips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace {

// Runs a tool with stdin closed and returns its standard output; nullopt when it failed.
std::optional<QByteArray> RunTool(const QString& program, const QStringList& args, int timeoutMs = 120000) {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        qWarning("%s did not end: %s", qPrintable(program), qPrintable(process.errorString()));
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

} // namespace

QString MakeClip(const QString& dir, const QString& fileName, double seconds, const QStringList& extraArgs) {
    const QString out = QDir(dir).filePath(fileName);
    const QString ext = QFileInfo(fileName).suffix().toLower();
    QStringList args{"-v",
                     "error",
                     "-y",
                     "-f",
                     "lavfi",
                     "-i",
                     "testsrc=size=160x120:rate=25",
                     "-f",
                     "lavfi",
                     "-i",
                     "sine=frequency=440:sample_rate=44100",
                     "-t",
                     QString::number(seconds),
                     "-pix_fmt",
                     "yuv420p"};
    if (ext == "mp4" || ext == "mov" || ext == "mkv")
        args << "-c:v"
             << "libx264"
             << "-preset"
             << "ultrafast";
    args << extraArgs << out;
    if (!RunTool(QStringLiteral(RW_FFMPEG), args) || !QFileInfo(out).isFile())
        return {};
    return out;
}

QString FfprobeField(const QString& path, const QString& entry, const QString& streams) {
    QStringList args{"-v", "error"};
    if (entry.startsWith("stream"))
        args << "-select_streams" << streams;
    args << "-show_entries" << entry << "-of"
         << "default=noprint_wrappers=1:nokey=1" << path;
    const auto output = RunTool(QStringLiteral(RW_FFPROBE), args);
    return output ? QString::fromUtf8(*output).trimmed() : QString();
}

double ProbeDuration(const QString& path) {
    bool ok = false;
    const double seconds = FfprobeField(path, "format=duration").toDouble(&ok);
    return ok ? seconds : -1;
}

QString WriteFakeScript(const QString& dir, const QStringList& lines, const QString& name) {
    const QString path = QDir(dir).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(lines.join('\n').toUtf8() + '\n');
    return path;
}

QList<QStringList> ReadFakeLog(const QString& logPath) {
    QList<QStringList> runs;
    QFile file(logPath);
    if (!file.open(QIODevice::ReadOnly))
        return runs;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        QStringList args;
        for (const QJsonValue& v : QJsonDocument::fromJson(line).array())
            args << v.toString();
        runs << args;
    }
    return runs;
}

ScopedEnv::ScopedEnv(const char* name, const QString& value) : name_(name) {
    if (qEnvironmentVariableIsSet(name))
        previous_ = qgetenv(name);
    qputenv(name, value.toLocal8Bit());
}

ScopedEnv::~ScopedEnv() {
    if (previous_)
        qputenv(name_.constData(), *previous_);
    else
        qunsetenv(name_.constData());
}

TestProgramDir::TestProgramDir(const QString& encoder, bool copyProfiles) {
    if (!dir_.isValid())
        return;
    valid_ = QFile::link(encoder, encoderPath()) && QDir().mkpath(profilesDir());
    if (valid_ && copyProfiles) {
        const QDir shipped(QStringLiteral(RW_PROFILES_DIR));
        for (const QString& name : shipped.entryList({"*.cvp"}, QDir::Files))
            valid_ = valid_ && QFile::copy(shipped.filePath(name), profilesDir() + name);
    }
}

QString TestProgramDir::path() const {
    return dir_.path() + '/';
}
QString TestProgramDir::encoderPath() const {
    return path() + "wmaspi.dll";
}
QString TestProgramDir::profilesDir() const {
    return path() + "Profiles/";
}

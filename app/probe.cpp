#include "app/probe.h"

#include <QProcess>

namespace {

// Positions count from 1 and 0 means "not found", as the cuts are written in those terms.
qsizetype Pos(const QString& needle, const QString& s) {
    return s.indexOf(needle) + 1;
}

// Position of the first comma that lies outside parentheses: the stream line holds fields such as
// "yuv420p(tv, bt709, progressive)" whose inner commas do not separate fields.
qsizetype FieldCommaPos(const QString& s) {
    int depth = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            depth = qMax(0, depth - 1);
        else if (c == QLatin1Char(',') && depth == 0)
            return i + 1;
    }
    return 0;
}

// s from its k-th character: the whole text when k <= 1, empty when k lies beyond the end.
QString From(const QString& s, qsizetype k) {
    return k <= 1 ? s : s.mid(k - 1);
}

// The first c - 1 characters; empty when c is 0 (a comma that was not found).
QString FirstBefore(const QString& s, qsizetype c) {
    return c <= 1 ? QString() : s.left(c - 1);
}

} // namespace

ProbeResult ParseProbeText(const QString& text, const QString& path) {
    ProbeResult result;
    QString s = From(text, Pos(path, text) + path.size());
    s = From(s, Pos(QStringLiteral("Duration"), s) + 1);
    s = From(s, Pos(QStringLiteral(":"), s) + 2);
    qsizetype c = Pos(QStringLiteral(","), s);
    result.LengthText = FirstBefore(s, c);
    s = From(s, c + 1);
    // "Video:" and not "Video": stream metadata such as "handler_name : VideoHandler" comes first.
    // A file without a picture has no frame size; the fields of its sound stream are not one.
    const qsizetype video = Pos(QStringLiteral("Video:"), s);
    if (video == 0)
        return result;
    s = From(s, video);
    for (int i = 0; i < 2; ++i)
        s = From(s, FieldCommaPos(s) + 1);
    result.SizeText = FirstBefore(s, FieldCommaPos(s));
    return result;
}

ProbeResult ProbeFile(const QString& encoderPath, const QString& path, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(encoderPath, {QStringLiteral("-i"), path});
    if (!process.waitForStarted(timeoutMs))
        return {};
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return {};
    }
    return ParseProbeText(QString::fromUtf8(process.readAll()), path);
}

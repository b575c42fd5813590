#include "app/encoderprocess.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

EncoderProcess::EncoderProcess(const QString& program, QObject* parent) : QObject(parent), program_(program) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    // The encoder takes every core it can get; a slightly lower priority keeps the window's event
    // loop first in line for the processor, so it repaints and answers Stop at once.
    // The child also goes when this program goes, however it ends, so no encoder is left behind.
    process_.setChildProcessModifier([] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        (void)::nice(10);
    });
    killTimer_.setSingleShot(true);
    killTimer_.setInterval(StopGraceMs);
    connect(&killTimer_, &QTimer::timeout, this, [this] {
        if (process_.state() != QProcess::NotRunning)
            process_.kill();
    });
    connect(&process_, &QProcess::readyRead, this, &EncoderProcess::onReadyRead);
    connect(&process_, &QProcess::finished, this, &EncoderProcess::onFinished);
    connect(&process_, &QProcess::errorOccurred, this, &EncoderProcess::onError);
}

EncoderProcess::~EncoderProcess() {
    killTimer_.stop();
    // Nothing is reported from here on: the owner is going away.
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void EncoderProcess::start(const QStringList& args) {
    if (!done_) {
        qWarning("EncoderProcess::start: the encoder is still running");
        return;
    }
    args_ = args;
    done_ = false;
    stopRequested_ = false;
    lines_ = ConsoleLines();
    process_.setProgram(program_);
    process_.setArguments(args_);
    // The encoder must never sit waiting for an answer on the keyboard.
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.start();
}

void EncoderProcess::stop() {
    if (done_ || stopRequested_ || process_.state() == QProcess::NotRunning)
        return;
    stopRequested_ = true;
    process_.terminate();
    killTimer_.start();
}

bool EncoderProcess::isRunning() const {
    return !done_;
}

QString EncoderProcess::commandLine() const {
    QString text;
    for (const QString& arg : args_) {
        text += QLatin1Char(' ');
        const bool quote = arg.isEmpty() || arg.contains(QLatin1Char(' ')) || arg.contains(QLatin1Char('"'));
        text += quote ? QLatin1Char('"') + arg + QLatin1Char('"') : arg;
    }
    return text;
}

QString EncoderProcess::errorString() const {
    return process_.errorString();
}

QStringList EncoderProcess::splitSwitches(const QString& text) {
    QStringList pieces;
    QString piece;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (!piece.isEmpty())
                pieces.append(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    return pieces;
}

void EncoderProcess::onReadyRead() {
    emitRecords(lines_.feed(process_.readAll()));
}

void EncoderProcess::onFinished(int exitCode, QProcess::ExitStatus status) {
    if (done_)
        return;
    emitRecords(lines_.feed(process_.readAll()));
    emitRecords(lines_.flush());
    if (stopRequested_)
        finish(Outcome::Stopped, exitCode);
    else if (status == QProcess::CrashExit)
        finish(Outcome::Crashed, exitCode);
    else
        finish(Outcome::Exited, exitCode);
}

void EncoderProcess::onError(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart || done_)
        return;
    // QProcess may report this from inside start(); the owner hears of it from the event loop, as
    // of every other outcome.
    QMetaObject::invokeMethod(
        this, [this] { finish(Outcome::FailedToStart, -1); }, Qt::QueuedConnection);
}

void EncoderProcess::finish(Outcome outcome, int exitCode) {
    if (done_)
        return;
    killTimer_.stop();
    done_ = true;
    emit finished(outcome, exitCode);
}

void EncoderProcess::emitRecords(const QStringList& records) {
    for (const QString& text : records)
        emit record(text);
}

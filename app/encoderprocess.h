#pragma once
// Runs the external encoder once: program + argument vector, merged output channels, console
// records as they arrive, and exactly one outcome. Stop never blocks the caller.

#include "app/consolelines.h"

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

class EncoderProcess : public QObject {
    Q_OBJECT
public:
    enum class Outcome { FailedToStart, Exited, Crashed, Stopped };
    Q_ENUM(Outcome)

    explicit EncoderProcess(const QString& program, QObject* parent = nullptr);
    ~EncoderProcess() override; // kills a child that still runs: no encoder outlives its owner

    // Starts the program with args (standard input closed). A start failure is reported through
    // finished(FailedToStart) from the event loop, never from inside start(). Ignored while running.
    void start(const QStringList& args);
    // Terminates a running child, killing it when it has not gone after StopGraceMs; finished(Stopped)
    // follows once it has gone. Returns at once.
    void stop();
    // True from start() until finished() has been emitted.
    bool isRunning() const;

    static constexpr int StopGraceMs = 2000;

    QString program() const { return program_; }
    QStringList arguments() const { return args_; }
    // The command-line text for display and logs: " arg1 arg2 ..." with a blank before each argument
    // and double quotes around an argument that is empty or holds a blank or a double quote. The
    // text is not escaped further, so it is for reading only; the process gets the vector.
    QString commandLine() const;
    QString errorString() const; // the system's reason after FailedToStart

    // Splits a switch text on blanks; double quotes group blanks into one argument and are removed;
    // empty pieces are dropped.
    static QStringList splitSwitches(const QString& text);

signals:
    void record(const QString& text); // one console record
    void finished(EncoderProcess::Outcome outcome, int exitCode);

private:
    void onReadyRead();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void finish(Outcome outcome, int exitCode);
    void emitRecords(const QStringList& records);

    QString program_;
    QStringList args_;
    QProcess process_;
    ConsoleLines lines_;
    QTimer killTimer_; // a stop that terminate() did not end within the grace period
    bool stopRequested_ = false;
    bool done_ = true;
};

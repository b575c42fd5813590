#pragma once
// Runs the external encoder once: program + argument vector, merged output channels, console
// records as they arrive, and exactly one outcome. Stop never blocks the caller.

#include "app/consolelines.h"

#include <QObject>
#include <QProcess>
#include <QStringList>

class EncoderProcess : public QObject {
    Q_OBJECT
public:
    enum class Outcome { FailedToStart, Exited, Crashed, Stopped };
    Q_ENUM(Outcome)

    explicit EncoderProcess(const QString& program, QObject* parent = nullptr);
    ~EncoderProcess() override; // kills a child that still runs: no encoder outlives its owner

    // Starts the program with args. A start failure is reported through finished(FailedToStart).
    void start(const QStringList& args);
    // Terminates a running child; finished(Stopped) follows once it has gone.
    void stop();
    bool isRunning() const;

    QString program() const { return program_; }
    QStringList arguments() const { return args_; }
    // The command-line text for display and logs: " arg1 arg2 ..." with blanks before each argument
    // and double quotes around arguments that hold blanks.
    QString commandLine() const;
    QString errorString() const; // the system's reason after FailedToStart

    // Splits a switch text on blanks; double quotes group blanks into one argument.
    static QStringList splitSwitches(const QString& text);

signals:
    void record(const QString& text);                 // one console record
    void finished(EncoderProcess::Outcome outcome, int exitCode);

private:
    void onReadyRead();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void finish(Outcome outcome, int exitCode);

    QString program_;
    QStringList args_;
    QProcess process_;
    ConsoleLines lines_;
    bool stopRequested_ = false;
    bool done_ = true;
};

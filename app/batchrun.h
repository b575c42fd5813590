#pragma once
// The batch conversion engine: converts tasks one after another with the encoder, driven by the
// encoder's signals (no loops that wait), and reports status and progress as events.
// It never touches a widget; the form turns its events into controls and row texts.

#include "app/taskdata.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

struct BatchTask {
    int row = 0;     // the task's row in the list (its index decides the "_N" of renamed outputs)
    ltvItemData rec; // the whole record, read with selAll
};

struct BatchSettings {
    QString encoderPath;
    QString outputDir;                  // the output folder text as the user holds it
    QString switches;                   // the profile's switch text (leading blank per switch)
    QString profileExt;                 // "." + the profile's Type
    std::function<bool()> renameChosen; // read when a task needs it: true = do not overwrite
};

class BatchRun : public QObject {
    Q_OBJECT
public:
    enum class End { Completed, Stopped, StartFailed };
    Q_ENUM(End)

    explicit BatchRun(QObject* parent = nullptr);
    ~BatchRun() override;

    // Starts a run over tasks in their order. The first encoder starts from the event loop, and
    // finished() is never emitted from inside start(). Ignored while a run lasts.
    void start(const BatchSettings& settings, const QVector<BatchTask>& tasks);
    // Ends the run early; the current encoder is terminated, no further one is started. The run
    // ends with taskFinished(row, "Stop") for a running task and finished(Stopped), both from the
    // event loop. Between two tasks no further encoder is started.
    void stop();
    // Ends the run at once, for a window that closes: the encoder is killed, its temporary file
    // removed, and taskFinished(row, "Stop") and finished(Stopped) are emitted before this returns.
    void abort();
    bool isRunning() const;
    int currentRow() const; // row of the task being converted, -1 when none

    double totalSeconds() const;
    int currentPercent() const;
    int totalPercent() const;

signals:
    // commandLine is the conversion command-line text with the final target, for display and logs.
    void taskStarted(int row, const QString& fileName, const QString& commandLine);
    void progressChanged(int currentPercent, int totalPercent);
    // status is "Complete", "Failed" or "Stop"; consoleTail holds the last ten console records.
    void taskFinished(int row, const QString& status, const QString& consoleTail);
    // "Error on CreateProcess()": the encoder of row could not be started.
    void startFailed(int row, const QString& message);
    void finished(BatchRun::End end, int failedCount, int taskCount);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

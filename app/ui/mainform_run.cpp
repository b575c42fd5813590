// The main window's side of a batch run: checks and control states around Start, the progress
// strip fed by the batch engine's events, the run clock, the completion actions, and closing the
// window while a run lasts.
#include "app/ui/mainform.h"

#include "app/tasktext.h"
#include "app/ui/desktop.h"
#include "profiles/profile.h"
#include "profiles/switches.h"
#include "profiles/ui/valuelisteditor.h"
#include "settings/ui/settingform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

void ShowPercent(QProgressBar* bar, QLabel* label, int percent) {
    bar->setValue(qBound(0, percent, 100));
    label->setText(QString::number(bar->value()) + QLatin1Char('%'));
}

} // namespace

void TMainForm::tbtnStartClick() {
    ltvTask->setFocus();
    if (batch_ && batch_->isRunning())
        return;
    if (!QFileInfo(edtOutputdir->text()).isDir()) {
        desktop()->message(this,
                           QStringLiteral("The output path does not exist. Please specify another one."),
                           QStringLiteral("Output path does not exist"), Desktop::Icon::Information);
        edtOutputdir->setFocus();
        return;
    }
    if (taskModel_->rowCount() == 0)
        return;

    LockControls();
    const QString switches = BuildSwitches(ProfilePath(AppDir, cmbProfile->currentText()),
                                           {vleVideo->model(), vleAudio->model(), vleAdvanced->model()});
    // The run goes on from the event loop; onRunFinished unlocks the controls.
    RunBatch(switches);
}

void TMainForm::tbtnStopClick() {
    if (RunState != rsRunning)
        return;
    RunState = rsStopping;
    if (batch_)
        batch_->stop();
}

void TMainForm::LockControls() {
    stopPreview();
    for (QToolButton* b : {tbtnAddFile, tbtnAddDir, tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart})
        b->setEnabled(false);
    tbtnStop->setEnabled(true);
    tbtnSetting->setEnabled(false);
    ltvTask->setEnabled(false);
    panSplitter->setEnabled(false);
    gpbProfile->setEnabled(false);
}

void TMainForm::UnlockControls() {
    for (QToolButton* b : {tbtnAddFile, tbtnAddDir, tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart})
        b->setEnabled(true);
    tbtnStop->setEnabled(false);
    tbtnSetting->setEnabled(true);
    ltvTask->setEnabled(true);
    panSplitter->setEnabled(true);
    gpbProfile->setEnabled(true);
}

void TMainForm::RunBatch(const QString& switches) {
    labConvertingFile->clear();
    labElapsed->clear();
    labRemaining->clear();
    ShowPercent(pgbCurrent, labCurProgress, 0);
    ShowPercent(pgbTotal, labTotalProgress, 0);
    showProgressStrip(true);

    RunState = rsRunning;
    ElapsedSeconds = 0;
    RemainingSeconds = 0;
    runTiming_.reset();
    timerTime->start();

    QVector<BatchTask> tasks;
    for (int row = 0; row < taskModel_->rowCount(); ++row) {
        BatchTask task;
        task.row = row;
        GetTaskData(row, selAll, task.rec);
        tasks.append(task);
    }

    BatchSettings settings;
    settings.encoderPath = EncoderPath;
    settings.outputDir = edtOutputdir->text();
    settings.switches = switches;
    settings.profileExt = ProfileExt;
    // The overwrite policy is whatever the settings dialog shows when a task needs it.
    settings.renameChosen = [this] { return SettingForm && SettingForm->rdbRename->isChecked(); };

    if (!batch_) {
        batch_ = new BatchRun(this);
        connect(batch_, &BatchRun::taskStarted, this, &TMainForm::onTaskStarted);
        connect(batch_, &BatchRun::progressChanged, this, &TMainForm::onProgress);
        connect(batch_, &BatchRun::taskFinished, this, &TMainForm::onTaskFinished);
        connect(batch_, &BatchRun::startFailed, this, &TMainForm::onStartFailed);
        connect(batch_, &BatchRun::finished, this, &TMainForm::onRunFinished);
    }
    batch_->start(settings, tasks);
}

void TMainForm::timerTimeTimer() {
    runTiming_.tick(pgbTotal->value());
    ElapsedSeconds = int(runTiming_.elapsed());
    RemainingSeconds = int(runTiming_.remaining());
    labElapsed->setText(SecondsToTime(double(ElapsedSeconds)));
    labRemaining->setText(SecondsToTime(double(RemainingSeconds)));
}

void TMainForm::onTaskStarted(int row, const QString& fileName, const QString&) {
    ltvItemData rec;
    rec.StatusText = kStatusConverting;
    SetTaskData(row, 2, rec);
    labConvertingFile->setText(FileNamePart(fileName));
}

void TMainForm::onProgress(int currentPercent, int totalPercent) {
    ShowPercent(pgbCurrent, labCurProgress, currentPercent);
    ShowPercent(pgbTotal, labTotalProgress, totalPercent);
}

void TMainForm::onTaskFinished(int row, const QString& status, const QString& consoleTail) {
    ltvItemData rec;
    rec.StatusText = status;
    SetTaskData(row, 2, rec);
    // Only a failure explains itself; an older reason must not stay on a row that now completed.
    taskModel_->setStatusToolTip(row, status == kStatusFailed ? consoleTail : QString());
}

void TMainForm::onStartFailed(int row, const QString& message) {
    desktop()->message(this, message, ProductName, Desktop::Icon::None);
    ltvItemData rec;
    rec.StatusText = kStatusFailed;
    SetTaskData(row, 2, rec);
}

void TMainForm::onRunFinished(BatchRun::End end, int failedCount, int taskCount) {
    timerTime->stop();
    switch (end) {
    case BatchRun::End::Stopped:
        // A window that closes because the user chose to stop and exit is not told about it.
        if (!closingAfterRun_)
            desktop()->message(this, QStringLiteral("The Coversion is canceled."), QStringLiteral("Cancel"),
                               Desktop::Icon::Information);
        showProgressStrip(false);
        RunState = rsIdle;
        break;
    case BatchRun::End::StartFailed:
        showProgressStrip(false);
        RunState = rsIdle;
        break;
    case BatchRun::End::Completed: {
        const bool turnOff = SettingForm && SettingForm->chkTurnoff->isChecked();
        const bool exit = SettingForm && SettingForm->chkExit->isChecked();
        if (turnOff || exit) {
            if (turnOff)
                desktop()->powerOff();
            closingAfterRun_ = true;
            const bool closed = close();
            closingAfterRun_ = false;
            if (closed)
                break; // the window is gone: state and strips stay as they are
            // Something kept the window open: leave it usable.
            showProgressStrip(false);
            RunState = rsIdle;
            break;
        }
        if (failedCount > 0)
            desktop()->message(this,
                               QStringLiteral("The conversion is finished, but %1 of %2 tasks failed.")
                                   .arg(failedCount)
                                   .arg(taskCount),
                               QStringLiteral("Complete"), Desktop::Icon::Warning);
        else
            desktop()->message(this, QStringLiteral("The coversion is completed successfully."),
                               QStringLiteral("Complete"), Desktop::Icon::Information);
        if (SettingForm && SettingForm->chkOpenDir->isChecked())
            desktop()->shellOpen(edtOutputdir->text());
        RunState = rsIdle;
        showProgressStrip(false);
        break;
    }
    }
    UnlockControls();
    emit runEnded();
}

void TMainForm::showProgressStrip(bool on) {
    panBottomCenter->setVisible(!on);
    panBottomLeft->setVisible(on);
}

bool TMainForm::confirmCloseDuringRun() {
    if (closingAfterRun_ || !batch_ || !batch_->isRunning())
        return true;
    if (!desktop()->askYesNo(this, QStringLiteral("A conversion is running. Stop it and exit?"), ProductName))
        return false;
    // The encoder is killed and its partial file removed before the window goes; the row gets
    // "Stop" through the engine's events, which arrive before abort() returns.
    closingAfterRun_ = true;
    RunState = rsStopping;
    batch_->abort();
    closingAfterRun_ = false;
    return true;
}

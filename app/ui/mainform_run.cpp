// Placeholder until this concern is written.
#include "app/ui/mainform.h"

void TMainForm::tbtnStartClick() {}
void TMainForm::tbtnStopClick() {}
void TMainForm::LockControls() {}
void TMainForm::UnlockControls() {}
void TMainForm::RunBatch(const QString&) {}
void TMainForm::timerTimeTimer() {}
void TMainForm::onTaskStarted(int, const QString&, const QString&) {}
void TMainForm::onProgress(int, int) {}
void TMainForm::onTaskFinished(int, const QString&, const QString&) {}
void TMainForm::onStartFailed(int, const QString&) {}
void TMainForm::onRunFinished(BatchRun::End, int, int) {}
void TMainForm::showProgressStrip(bool) {}
bool TMainForm::confirmCloseDuringRun() { return false; }

// Placeholder until this concern is written.
#include "app/ui/mainform.h"

void TMainForm::cmbProfileChange() {}
void TMainForm::LoadProfile(const QString&) {}
void TMainForm::btnOutputClick() {}
void TMainForm::btnVideoClick() {}
void TMainForm::btnAudioClick() {}
void TMainForm::btnAdvancedClick() {}
void TMainForm::vleVideoStringsChange() {}
void TMainForm::repaintGrids() {}

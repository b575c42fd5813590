// Placeholder until this concern is written.
#include "app/ui/mainform.h"

void TMainForm::PreviewSelectedTask() {}
void TMainForm::sbtnPlayClick() {}
void TMainForm::sbtnPauseClick() {}
void TMainForm::sbtnStopClick() {}
void TMainForm::TrackBarTimer() {}
void TMainForm::stopPreview() {}

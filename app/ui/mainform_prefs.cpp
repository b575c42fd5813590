// Placeholder until this concern is written.
#include "app/ui/mainform.h"

void TMainForm::LoadPreferences() {}
void TMainForm::SavePreferences() {}
void TMainForm::tbtnSettingClick() {}
void TMainForm::bbtnSettingClick() {}

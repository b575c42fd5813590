// Placeholder until this concern is written.
#include "app/ui/mainform.h"

void TMainForm::GetTaskData(int, int, ltvItemData&) const {}
void TMainForm::SetTaskData(int, int, const ltvItemData&) {}
void TMainForm::SetGridValue(int, const QString&, const QString&) {}
void TMainForm::AddTaskFile(const QString&) {}
void TMainForm::AddTaskFolder(const QString&) {}
void TMainForm::ProbeFile(const QString&) {}
std::optional<QString> TMainForm::SelectFolder(QWidget*, const QString&) { return std::nullopt; }
QVector<int> TMainForm::selectedRows() const { return {}; }
void TMainForm::EnableListButtons() {}
void TMainForm::DisableListButtons() {}
void TMainForm::tbtnAddFileClick() {}
void TMainForm::tbtnAddDirClick() {}
void TMainForm::tbtnRemoveClick() {}
void TMainForm::tbtnClearClick() {}
void TMainForm::tbtnUpClick() {}
void TMainForm::tbtnDownClick() {}
void TMainForm::ltvTaskClick() {}
void TMainForm::ltvTaskDblClick() {}
void TMainForm::ppmTaskPopup() {}
void TMainForm::vleOutputValidate() {}
void TMainForm::vleOutputMouseDown() {}
void TMainForm::vleOutputClick() {}
void TMainForm::ShowTip(QWidget*, const QString&, const QString&) {}
bool TMainForm::ltvTaskKeyDown(int) { return false; }

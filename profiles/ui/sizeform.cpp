// Placeholder until the dialog is written.
#include "profiles/ui/sizeform.h"

TSizeForm::TSizeForm(QWidget* mainWindow, ValueListModel* videoGrid, Desktop* desktop)
    : QDialog(mainWindow), mainWindow_(mainWindow), videoGrid_(videoGrid), desktop_(desktop) {}
void TSizeForm::btnOKClick() {}
void TSizeForm::btnCancelClick() {}
void TSizeForm::FormClose() {}
void TSizeForm::showEvent(QShowEvent* event) { QDialog::showEvent(event); }
void TSizeForm::closeEvent(QCloseEvent* event) { QDialog::closeEvent(event); }
void TSizeForm::hideEvent(QHideEvent* event) { QDialog::hideEvent(event); }

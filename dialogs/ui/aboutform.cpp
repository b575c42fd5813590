// Placeholder until the dialog is written.
#include "dialogs/ui/aboutform.h"

TAboutForm::TAboutForm(QWidget* mainWindow, const QString&, const QString&) : QDialog(mainWindow), mainWindow_(mainWindow) {}
void TAboutForm::btnOKClick() {}
void TAboutForm::showEvent(QShowEvent* event) { QDialog::showEvent(event); }
void TAboutForm::closeEvent(QCloseEvent* event) { QDialog::closeEvent(event); }
void TAboutForm::hideEvent(QHideEvent* event) { QDialog::hideEvent(event); }

// Placeholder until the dialog is written.
#include "settings/ui/settingform.h"

#include "app/ui/mainform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

TSettingForm::TSettingForm(TMainForm* mainForm, Desktop* desktop)
    : QDialog(mainForm), main_(mainForm), desktop_(desktop) {
    pgcSetting = new QTabWidget(this);
    edtOutputDir = new QLineEdit(this);
    cmbSyn = new QComboBox(this);
    chkOpenDir = new QCheckBox(this);
    chkExit = new QCheckBox(this);
    chkTurnoff = new QCheckBox(this);
    rdbOverWrite = new QRadioButton(this);
    rdbRename = new QRadioButton(this);
    cmbProfile = new QComboBox(this);
}
QString TSettingForm::ProfilePathOfSelection() const { return {}; }
void TSettingForm::LoadGeneralSettings() {}
void TSettingForm::SaveGeneralSettings() {}
void TSettingForm::btnDefaultClick() {}
void TSettingForm::btnOKClick() {}
void TSettingForm::btnCancelClick() {}
void TSettingForm::cmbProfileChange() {}
void TSettingForm::btnSaveAsClick() {}
void TSettingForm::sbtnBrowseClick() {}
void TSettingForm::showEvent(QShowEvent* event) { QDialog::showEvent(event); }
void TSettingForm::closeEvent(QCloseEvent* event) { QDialog::closeEvent(event); }
void TSettingForm::hideEvent(QHideEvent* event) { QDialog::hideEvent(event); }

// Preferences kept between runs, and the two buttons that open the settings dialog.
#include "app/ui/desktop.h"
#include "app/ui/mainform.h"
#include "settings/preferences.h"
#include "settings/ui/settingform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

void TMainForm::LoadPreferences() {
    const bool haveProfiles = cmbProfile->count() > 0;
    QString folder;
    int profile = 0;
    const PreferencesResult result = ReadStartupPreferences(AppDir, haveProfiles, &folder, &profile);
    edtOutputdir->setText(folder);
    if (haveProfiles) {
        // An index outside the catalogue selects nothing; the change handler then finds no file.
        cmbProfile->setCurrentIndex(profile >= 0 && profile < cmbProfile->count() ? profile : -1);
        cmbProfileChange();
    }
    if (!result.ok)
        desktop()->message(this, result.error, ProductName, Desktop::Icon::Warning);
}

void TMainForm::SavePreferences() {
    // The dialog is created at start-up; before that its design defaults stand for it.
    GeneralSettings settings = SettingForm ? SettingForm->shownGeneralSettings() : GeneralSettings{};
    settings.outputPath = edtOutputdir->text();
    const PreferencesResult result = WritePreferences(AppDir, cmbProfile->currentIndex(), settings);
    // Reported, never a reason to keep the window open: the program ends all the same.
    if (!result.ok)
        desktop()->message(this, result.error, ProductName, Desktop::Icon::Warning);
}

void TMainForm::tbtnSettingClick() {
    SettingForm->show();
    SettingForm->pgcSetting->setCurrentIndex(0);
}

void TMainForm::bbtnSettingClick() {
    SettingForm->show();
    SettingForm->pgcSetting->setCurrentIndex(1);
    SettingForm->cmbProfile->setCurrentIndex(cmbProfile->currentIndex());
    SettingForm->cmbProfileChange();
}

#pragma once
// The settings dialog: the General page (output folder, synchronization mode, completion actions,
// overwrite policy) and the Profiles page (one profile's parameters, saved on OK or "&Save as...").
// Its controls are the live settings of the program.

#include "app/ui/ownerdialog.h"
#include "settings/preferences.h"

class Desktop;
struct GeneralSettings;
class GridSection;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QToolButton;
class TMainForm;
class ValueListEditor;

class TSettingForm : public OwnerDialog {
    Q_OBJECT
public:
    // Runs FormCreate: copies the main window's profile names and loads the general settings.
    TSettingForm(TMainForm* mainForm, Desktop* desktop);

    QTabWidget* pgcSetting = nullptr;
    QWidget* TabSheet1 = nullptr; // General
    QWidget* TabSheet2 = nullptr; // Profiles
    QPushButton* btnDefault = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    // General page
    QLineEdit* edtOutputDir = nullptr;
    QToolButton* sbtnBrowse = nullptr;
    QComboBox* cmbSyn = nullptr;
    QCheckBox* chkOpenDir = nullptr;
    QCheckBox* chkExit = nullptr;
    QCheckBox* chkTurnoff = nullptr;
    QRadioButton* rdbOverWrite = nullptr;
    QRadioButton* rdbRename = nullptr;
    // Profiles page
    QComboBox* cmbProfile = nullptr;
    QPushButton* btnSaveAs = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    GridSection* secVideo = nullptr;
    GridSection* secAudio = nullptr;
    GridSection* secAdvanced = nullptr;
    ValueListEditor* vleVideo = nullptr;
    ValueListEditor* vleAudio = nullptr;
    ValueListEditor* vleAdvanced = nullptr;

    QString ProfilePathOfSelection() const; // AppDir + "Profiles/" + cmbProfile text + ".cvp"
    // The general settings as the page's controls show them.
    GeneralSettings shownGeneralSettings() const;

public slots:
    void LoadGeneralSettings();
    void SaveGeneralSettings();
    void btnDefaultClick();
    void btnOKClick();
    void btnCancelClick();
    void cmbProfileChange();
    void btnSaveAsClick();
    void sbtnBrowseClick();
    // A mouse press on one grid repaints all three, so the grid that lost the focus redraws its
    // current key cell at once.
    void repaintGrids();

protected:
    void FormShow() override;

private:
    void buildGeneralPage();
    void buildProfilesPage();
    void showGeneralSettings(const GeneralSettings& settings);
    void reportFailure(const QString& error);

    TMainForm* main_;
    Desktop* desktop_;
};

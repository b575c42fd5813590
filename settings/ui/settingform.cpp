#include "settings/ui/settingform.h"

#include "app/tasktext.h"
#include "app/ui/desktop.h"
#include "app/ui/mainform.h"
#include "profiles/profile.h"
#include "profiles/ui/gridsection.h"
#include "profiles/ui/valuelisteditor.h"
#include "settings/preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename W> W* named(W* widget, const QString& name, const QString& accessibleName) {
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QPushButton* dialogButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = named(new QPushButton(caption, parent), name, QString(caption).remove(QLatin1Char('&')));
    // Enter in an edit box must not press a button behind the user's back.
    button->setAutoDefault(false);
    button->setFixedSize(75, 25);
    return button;
}

} // namespace

TSettingForm::TSettingForm(TMainForm* mainForm, Desktop* desktop)
    : OwnerDialog(mainForm), main_(mainForm), desktop_(desktop) {
    setObjectName(QStringLiteral("SettingForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(391, 498);

    auto* spacer = new QWidget(this);
    spacer->setObjectName(QStringLiteral("panSpacer"));
    spacer->setFixedHeight(5);

    pgcSetting = named(new QTabWidget(this), QStringLiteral("pgcSetting"), QStringLiteral("Settings pages"));
    pgcSetting->setFixedSize(391, 442);
    buildGeneralPage();
    buildProfilesPage();

    btnDefault = dialogButton(this, QStringLiteral("btnDefault"), QStringLiteral("&Load Default"));
    btnDefault->setFixedWidth(90);
    btnOK = dialogButton(this, QStringLiteral("btnOK"), QStringLiteral("&OK"));
    btnCancel = dialogButton(this, QStringLiteral("btnCancel"), QStringLiteral("&Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    buttons->addWidget(btnDefault);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(spacer);
    layout->addWidget(pgcSetting);
    layout->addLayout(buttons, 1);

    connect(btnDefault, &QPushButton::clicked, this, &TSettingForm::btnDefaultClick);
    connect(btnOK, &QPushButton::clicked, this, &TSettingForm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSettingForm::btnCancelClick);
    connect(sbtnBrowse, &QToolButton::clicked, this, &TSettingForm::sbtnBrowseClick);
    connect(btnSaveAs, &QPushButton::clicked, this, &TSettingForm::btnSaveAsClick);
    connect(cmbProfile, &QComboBox::activated, this, &TSettingForm::cmbProfileChange);
    for (GridSection* section : {secVideo, secAudio, secAdvanced}) {
        connect(section->btn(), &QPushButton::clicked, section, &GridSection::toggle);
        connect(section->vle(), &ValueListEditor::mousePressed, this, &TSettingForm::repaintGrids);
    }

    // FormCreate: the catalogue as the main window listed it, nothing selected.
    for (int i = 0; i < main_->cmbProfile->count(); ++i)
        cmbProfile->addItem(main_->cmbProfile->itemText(i));
    cmbProfile->setCurrentIndex(-1);
    LoadGeneralSettings();
}

void TSettingForm::buildGeneralPage() {
    TabSheet1 = named(new QWidget, QStringLiteral("TabSheet1"), QStringLiteral("General"));
    pgcSetting->addTab(TabSheet1, QStringLiteral("     General     "));

    auto* labOutputDir = named(new QLabel(QStringLiteral("Default Output Path:"), TabSheet1),
                               QStringLiteral("labOutputDir"), QStringLiteral("Default Output Path:"));
    edtOutputDir = named(new QLineEdit(TabSheet1), QStringLiteral("edtOutputDir"),
                         QStringLiteral("Default Output Path"));
    labOutputDir->setBuddy(edtOutputDir);
    sbtnBrowse = named(new QToolButton(TabSheet1), QStringLiteral("sbtnBrowse"),
                       QStringLiteral("Select the output directory"));
    sbtnBrowse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    sbtnBrowse->setToolTip(QStringLiteral("Select the output directory."));
    sbtnBrowse->setAutoRaise(true);
    sbtnBrowse->setFixedSize(23, 22);

    auto* Label1 = named(new QLabel(QStringLiteral("Synchronization Mode:"), TabSheet1),
                         QStringLiteral("Label1"), QStringLiteral("Synchronization Mode:"));
    cmbSyn =
        named(new QComboBox(TabSheet1), QStringLiteral("cmbSyn"), QStringLiteral("Synchronization Mode"));
    cmbSyn->addItems(
        {QStringLiteral("Auto"), QStringLiteral("Force Mode"), QStringLiteral("Progressive Mode")});
    cmbSyn->setCurrentIndex(-1);
    Label1->setBuddy(cmbSyn);

    auto* Bevel2 = named(new QFrame(TabSheet1), QStringLiteral("Bevel2"), QStringLiteral("Separator"));
    Bevel2->setFrameShape(QFrame::HLine);
    Bevel2->setFrameShadow(QFrame::Sunken);

    const auto check = [this](const QString& name, const QString& caption) {
        return named(new QCheckBox(caption, TabSheet1), name, caption.trimmed());
    };
    chkOpenDir = check(QStringLiteral("chkOpenDir"),
                       QStringLiteral("Open the output directory when the task is completed. "));
    chkExit =
        check(QStringLiteral("chkExit"), QStringLiteral("Exit the program when the task is completed."));
    chkTurnoff = check(QStringLiteral("chkTurnoff"),
                       QStringLiteral("Turn off the computer when the task is completed."));

    auto* gpbOverWrite = named(new QGroupBox(QStringLiteral("Output File Overwrite"), TabSheet1),
                               QStringLiteral("gpbOverWrite"), QStringLiteral("Output File Overwrite"));
    rdbOverWrite = named(new QRadioButton(QStringLiteral("Overwrite"), gpbOverWrite),
                         QStringLiteral("rdbOverWrite"), QStringLiteral("Overwrite"));
    rdbRename =
        named(new QRadioButton(QStringLiteral("Not overwrite (Rename to <Filename> + Index"), gpbOverWrite),
              QStringLiteral("rdbRename"), QStringLiteral("Not overwrite (Rename to <Filename> + Index"));
    rdbOverWrite->setChecked(true);
    auto* groupLayout = new QVBoxLayout(gpbOverWrite);
    groupLayout->addWidget(rdbOverWrite);
    groupLayout->addWidget(rdbRename);

    auto* grid = new QGridLayout(TabSheet1);
    grid->setContentsMargins(12, 16, 12, 12);
    grid->setVerticalSpacing(10);
    grid->addWidget(labOutputDir, 0, 0);
    auto* folderRow = new QHBoxLayout;
    folderRow->setSpacing(2);
    folderRow->addWidget(edtOutputDir);
    folderRow->addWidget(sbtnBrowse);
    grid->addLayout(folderRow, 0, 1);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(cmbSyn, 1, 1);
    grid->addWidget(Bevel2, 2, 0, 1, 2);
    grid->addWidget(chkOpenDir, 3, 0, 1, 2);
    grid->addWidget(chkExit, 4, 0, 1, 2);
    grid->addWidget(chkTurnoff, 5, 0, 1, 2);
    grid->addWidget(gpbOverWrite, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
}

void TSettingForm::buildProfilesPage() {
    TabSheet2 = named(new QWidget, QStringLiteral("TabSheet2"), QStringLiteral("Profiles"));
    pgcSetting->addTab(TabSheet2, QStringLiteral("     Profiles     "));

    cmbProfile = named(new QComboBox(TabSheet2), QStringLiteral("cmbProfile"), QStringLiteral("Profile"));
    cmbProfile->setEditable(false);
    btnSaveAs = dialogButton(TabSheet2, QStringLiteral("btnSaveAs"), QStringLiteral("&Save as..."));

    ScrollBox1 =
        named(new QScrollArea(TabSheet2), QStringLiteral("ScrollBox1"), QStringLiteral("Profile Detail"));
    ScrollBox1->setWidgetResizable(true);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollBox1Content"));
    // The window colour behind the grids; set as the palette's window colour rather than a background
    // role, which the header strips would inherit.
    content->setAutoFillBackground(true);
    QPalette windowColour = content->palette();
    windowColour.setColor(QPalette::Window, windowColour.color(QPalette::Base));
    content->setPalette(windowColour);

    const auto section = [content](const QString& role, const QStringList& rows) {
        auto* s = new GridSection(role, rows, content);
        s->vle()->setColumnWidths(160, 200);
        return s;
    };
    secVideo = section(QStringLiteral("Video"), kVideoDesignRows);
    secAudio = section(QStringLiteral("Audio"), kAudioDesignRows);
    secAdvanced = section(QStringLiteral("Advanced"), kAdvancedDesignRows);
    vleVideo = secVideo->vle();
    vleAudio = secAudio->vle();
    vleAdvanced = secAdvanced->vle();

    auto* stack = new QVBoxLayout(content);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(secVideo);
    stack->addWidget(secAudio);
    stack->addWidget(secAdvanced);
    stack->addStretch();
    ScrollBox1->setWidget(content);

    auto* top = new QHBoxLayout;
    top->addWidget(cmbProfile, 1);
    top->addWidget(btnSaveAs);
    auto* page = new QVBoxLayout(TabSheet2);
    page->setContentsMargins(4, 6, 4, 4);
    page->addLayout(top);
    page->addWidget(ScrollBox1, 1);
}

QString TSettingForm::ProfilePathOfSelection() const {
    return ProfilePath(main_->AppDir, cmbProfile->currentText());
}

void TSettingForm::reportFailure(const QString& error) {
    desktop_->message(this, error, QStringLiteral("Reelwright"), Desktop::Icon::Warning);
}

void TSettingForm::showGeneralSettings(const GeneralSettings& settings) {
    edtOutputDir->setText(settings.outputPath);
    const bool known = settings.synMode >= 0 && settings.synMode < cmbSyn->count();
    cmbSyn->setCurrentIndex(known ? settings.synMode : -1);
    chkOpenDir->setChecked(settings.openDir);
    chkExit->setChecked(settings.exit);
    chkTurnoff->setChecked(settings.turnoff);
    // The two buttons share a group, so checking one clears the other.
    (settings.overwrite ? rdbOverWrite : rdbRename)->setChecked(true);
}

void TSettingForm::LoadGeneralSettings() {
    GeneralSettings settings;
    const PreferencesResult result = ReadGeneralSettings(main_->AppDir, &settings);
    showGeneralSettings(settings);
    if (!result.ok)
        reportFailure(result.error);
}

GeneralSettings TSettingForm::shownGeneralSettings() const {
    GeneralSettings settings;
    settings.outputPath = edtOutputDir->text();
    settings.synMode = cmbSyn->currentIndex();
    settings.openDir = chkOpenDir->isChecked();
    settings.exit = chkExit->isChecked();
    settings.turnoff = chkTurnoff->isChecked();
    settings.overwrite = rdbOverWrite->isChecked();
    return settings;
}

void TSettingForm::SaveGeneralSettings() {
    const PreferencesResult result = WriteGeneralSettings(main_->AppDir, shownGeneralSettings());
    if (!result.ok)
        reportFailure(result.error);
}

void TSettingForm::btnDefaultClick() {
    if (!desktop_->askYesNo(this, QStringLiteral("Are you sure to load the default preferences?"),
                            QStringLiteral("Load Default")))
        return;
    GeneralSettings settings;
    const PreferencesResult result = ReadDefaultSettings(main_->AppDir, &settings);
    showGeneralSettings(settings);
    if (!result.ok)
        reportFailure(result.error);
}

void TSettingForm::btnOKClick() {
    main_->edtOutputdir->setText(edtOutputDir->text());
    SaveGeneralSettings();
    const QString path = ProfilePathOfSelection();
    if (QFileInfo::exists(path)) {
        QString error;
        if (!SaveProfile(path, {vleVideo->model(), vleAudio->model(), vleAdvanced->model()}, &error))
            reportFailure(error);
    }
    if (main_->cmbProfile->currentText() == cmbProfile->currentText())
        main_->cmbProfileChange();
    close();
}

void TSettingForm::btnCancelClick() {
    close();
}

void TSettingForm::cmbProfileChange() {
    const QString path = ProfilePathOfSelection();
    if (!QFileInfo::exists(path))
        return;
    QString error;
    LoadProfileIntoSections(path, {secVideo, secAudio, secAdvanced}, nullptr, &error);
    if (!error.isEmpty())
        reportFailure(error);
}

void TSettingForm::btnSaveAsClick() {
    const std::optional<QString> target =
        desktop_->saveFile(this, QStringLiteral("Profiles (*.cvp)|*.cvp"), QStringLiteral(".cvp"));
    if (!target)
        return;
    const QString source = ProfilePathOfSelection();
    // Without a profile behind the selection there is nothing to copy, and nothing to say.
    if (!QFileInfo::exists(source))
        return;
    QString error;
    if (!SaveProfileAs(source, *target, {vleVideo->model(), vleAudio->model(), vleAdvanced->model()}, &error))
        reportFailure(error);
}

void TSettingForm::sbtnBrowseClick() {
    const std::optional<QString> folder =
        desktop_->selectFolder(this, QStringLiteral("Select the output directory."));
    if (folder)
        edtOutputDir->setText(EnsureBackslash(*folder));
}

void TSettingForm::repaintGrids() {
    for (ValueListEditor* grid : {vleVideo, vleAudio, vleAdvanced})
        grid->viewport()->update();
}

void TSettingForm::FormShow() {
    edtOutputDir->setText(main_->edtOutputdir->text());
}

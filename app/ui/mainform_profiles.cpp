// The main window's profile chooser and grids: loading the chosen profile, collapsing and expanding
// the sections, and the custom frame size for "Video Size".
#include "app/ui/desktop.h"
#include "app/ui/mainform.h"
#include "profiles/profile.h"
#include "profiles/ui/gridsection.h"
#include "profiles/ui/sizeform.h"
#include "profiles/ui/valuelisteditor.h"

#include <QComboBox>
#include <QFileInfo>

void TMainForm::cmbProfileChange() {
    const QString path = ProfilePath(AppDir, cmbProfile->currentText());
    // A profile whose file has gone changes nothing: the grids and the extension stay as they are.
    if (QFileInfo(path).isFile())
        LoadProfile(path);
}

void TMainForm::LoadProfile(const QString& path) {
    QString error;
    LoadProfileIntoSections(path, {secVideo, secAudio, secAdvanced}, &ProfileExt, &error);
    if (!error.isEmpty())
        desktop()->message(this, error, ProductName, Desktop::Icon::Warning);
}

void TMainForm::btnOutputClick() {
    secOutput->toggle();
}

void TMainForm::btnVideoClick() {
    secVideo->toggle();
}

void TMainForm::btnAudioClick() {
    secAudio->toggle();
}

void TMainForm::btnAdvancedClick() {
    secAdvanced->toggle();
}

void TMainForm::vleVideoStringsChange() {
    const ValueListModel* grid = vleVideo->model();
    const QString videoSize = QStringLiteral("Video Size");
    if (grid->key(vleVideo->currentRow()) != videoSize)
        return;
    // The row keyed exactly "Video Size"; letter case counts here.
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->key(row) != videoSize)
            continue;
        if (grid->value(row) == QStringLiteral("Custom Size") && SizeForm && !SizeForm->isVisible()) {
            SizeForm->show();
            SizeForm->activateWindow();
        }
        return;
    }
}

void TMainForm::repaintGrids() {
    for (ValueListEditor* grid : {vleOutput, vleVideo, vleAudio, vleAdvanced})
        grid->viewport()->update();
}

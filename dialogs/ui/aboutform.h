#pragma once
// The About dialog: program name and version, closed by OK or the title bar.

#include "app/ui/ownerdialog.h"

class QLabel;
class QPushButton;

class TAboutForm : public OwnerDialog {
    Q_OBJECT
public:
    // mainWindow is disabled while the dialog shows.
    TAboutForm(QWidget* mainWindow, const QString& productName, const QString& versionText);

    QLabel* labProgramName = nullptr;
    QLabel* labVersion = nullptr;
    QPushButton* btnOK = nullptr;

public slots:
    void btnOKClick();
};

#pragma once
// The About dialog: program name and version, closed by OK or the title bar.

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // mainWindow is disabled while the dialog shows.
    TAboutForm(QWidget* mainWindow, const QString& productName, const QString& versionText);

    QLabel* labProgramName = nullptr;
    QLabel* labVersion = nullptr;
    QPushButton* btnOK = nullptr;

public slots:
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* mainWindow_;
};

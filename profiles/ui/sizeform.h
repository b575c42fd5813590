#pragma once
// "Video Size of output files": asks for a custom frame size for the main window's "Video Size" row.

#include "app/ui/ownerdialog.h"

class QLineEdit;
class QPushButton;
class Desktop;
class ValueListModel;

class TSizeForm : public OwnerDialog {
    Q_OBJECT
public:
    // videoGrid is the main window's vleVideo model; mainWindow is disabled while the dialog shows.
    TSizeForm(QWidget* mainWindow, ValueListModel* videoGrid, Desktop* desktop);

    QLineEdit* edtWidth = nullptr;
    QLineEdit* edtHeight = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOKClick();
    void btnCancelClick();

protected:
    void FormClose() override;

private:
    ValueListModel* videoGrid_;
    Desktop* desktop_;
};

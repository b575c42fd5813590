#pragma once
// "Video Size of output files": asks for a custom frame size for the main window's "Video Size" row.

#include <QDialog>

class QLineEdit;
class QPushButton;
class Desktop;
class ValueListModel;

class TSizeForm : public QDialog {
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
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormClose();
    QWidget* mainWindow_;
    ValueListModel* videoGrid_;
    Desktop* desktop_;
    bool open_ = false; // between FormShow and FormClose
};

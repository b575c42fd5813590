#pragma once
// A dialog that is shown without waiting yet keeps the user in it: it opens centred over its owner,
// the owner is disabled while it shows, and the owner is enabled again however it closes (OK, Cancel,
// Escape or the title bar).

#include <QDialog>

class OwnerDialog : public QDialog {
    Q_OBJECT
protected:
    explicit OwnerDialog(QWidget* owner);

    // Run after the owner was disabled, and before it is enabled again.
    virtual void FormShow() {}
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* owner_;
};

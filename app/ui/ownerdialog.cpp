#include "app/ui/ownerdialog.h"

#include <QHideEvent>
#include <QShowEvent>

OwnerDialog::OwnerDialog(QWidget* owner) : QDialog(owner), owner_(owner) {}

void OwnerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A show by the window system (the owner coming back from being minimised) is not an opening.
    if (event->spontaneous())
        return;
    if (owner_) {
        const QRect over = owner_->frameGeometry();
        move(over.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
        owner_->setEnabled(false);
        // Disabling the owner reaches its child windows too; a window may be enabled on its own.
        setEnabled(true);
    }
    FormShow();
}

void OwnerDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Every way of closing ends in a hide; a hide by the window system (minimising) is not a close.
    if (event->spontaneous())
        return;
    FormClose();
    if (owner_)
        owner_->setEnabled(true);
}

#include "profiles/ui/sizeform.h"

#include "app/ui/desktop.h"
#include "profiles/intparse.h"
#include "profiles/valuelistmodel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kVideoSize = QStringLiteral("Video Size");

// The "Video Size" row by its exact key, -1 when the grid has none.
int videoSizeRow(const ValueListModel* grid) {
    for (int row = 0; grid && row < grid->rowCount(); ++row) {
        if (grid->key(row) == kVideoSize)
            return row;
    }
    return -1;
}
} // namespace

TSizeForm::TSizeForm(QWidget* mainWindow, ValueListModel* videoGrid, Desktop* desktop)
    : OwnerDialog(mainWindow), videoGrid_(videoGrid), desktop_(desktop) {
    setObjectName(QStringLiteral("SizeForm"));
    setWindowTitle(QStringLiteral("Video Size of output files"));
    setAccessibleName(windowTitle());
    setFixedSize(336, 106);
    setModal(false);

    auto* labWidth = new QLabel(QStringLiteral("Width:"), this);
    labWidth->setObjectName(QStringLiteral("labWidth"));
    labWidth->setGeometry(24, 20, 44, 17);
    edtWidth = new QLineEdit(this);
    edtWidth->setObjectName(QStringLiteral("edtWidth"));
    edtWidth->setAccessibleName(QStringLiteral("Width"));
    edtWidth->setGeometry(72, 16, 81, 23);
    labWidth->setBuddy(edtWidth);

    auto* labHeight = new QLabel(QStringLiteral("Height:"), this);
    labHeight->setObjectName(QStringLiteral("labHeight"));
    labHeight->setGeometry(176, 20, 46, 17);
    edtHeight = new QLineEdit(this);
    edtHeight->setObjectName(QStringLiteral("edtHeight"));
    edtHeight->setAccessibleName(QStringLiteral("Height"));
    edtHeight->setGeometry(224, 16, 81, 23);
    labHeight->setBuddy(edtHeight);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAccessibleName(QStringLiteral("OK"));
    btnOK->setGeometry(80, 64, 75, 25);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAccessibleName(QStringLiteral("Cancel"));
    btnCancel->setGeometry(176, 64, 75, 25);

    connect(btnOK, &QPushButton::clicked, this, &TSizeForm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSizeForm::btnCancelClick);
}

void TSizeForm::btnOKClick() {
    if (!ParseIntegerText(edtWidth->text())) {
        desktop_->message(this, QStringLiteral("Please specify a proper width for output videos."),
                          QStringLiteral("Incorrect Width"), Desktop::Icon::Information);
        edtWidth->setFocus();
        return;
    }
    if (!ParseIntegerText(edtHeight->text())) {
        desktop_->message(this, QStringLiteral("Please specify a proper height for output videos."),
                          QStringLiteral("Incorrect Height"), Desktop::Icon::Information);
        edtHeight->setFocus();
        return;
    }
    videoGrid_->setValue(videoSizeRow(videoGrid_),
                         edtWidth->text() + QStringLiteral("x") + edtHeight->text());
    close();
}

void TSizeForm::btnCancelClick() {
    close();
}

void TSizeForm::FormClose() {
    const int row = videoSizeRow(videoGrid_);
    if (row >= 0 && videoGrid_->value(row) == QStringLiteral("Custom Size"))
        videoGrid_->setValue(row, QStringLiteral("Original Size"));
}

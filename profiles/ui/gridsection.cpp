// Placeholder until the sections are written.
#include "profiles/ui/gridsection.h"

#include "profiles/ui/valuelisteditor.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

GridSection::GridSection(const QString& panName, const QString& caption, const QString& btnName,
                         const QString& vleName, const QStringList& designRows, QWidget* parent)
    : QFrame(parent), pan_(new QFrame(this)), caption_(new QLabel(caption, pan_)), btn_(new QPushButton("-", pan_)),
      vle_(new ValueListEditor(this)) {
    pan_->setObjectName(panName);
    btn_->setObjectName(btnName);
    vle_->setObjectName(vleName);
    vle_->model()->setDesignRows(designRows);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(pan_);
    lay->addWidget(vle_);
}
void GridSection::toggle() {}
void GridSection::fitRows() {}
void GridSection::setHeaderDoubleClickToggles(bool on) { dblClickToggles_ = on; }
bool GridSection::eventFilter(QObject* watched, QEvent* event) { return QFrame::eventFilter(watched, event); }

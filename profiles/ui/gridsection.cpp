#include "profiles/ui/gridsection.h"

#include "profiles/profile.h"
#include "profiles/ui/valuelisteditor.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kHeaderHeight = 18;
constexpr int kRowPitch = ValueListEditor::kRowHeight + 1;
} // namespace

GridSection::GridSection(const QString& role, const QStringList& designRows, QWidget* parent)
    : QFrame(parent), pan_(new QFrame(this)), caption_(new QLabel(QStringLiteral("      ") + role, pan_)),
      btn_(new QPushButton("-", pan_)), vle_(new ValueListEditor(this)) {
    setObjectName(QStringLiteral("sec") + role);
    setAccessibleName(role);
    pan_->setObjectName(QStringLiteral("pan") + role);
    btn_->setObjectName(QStringLiteral("btn") + role);
    vle_->setObjectName(QStringLiteral("vle") + role);
    caption_->setObjectName(QStringLiteral("pan") + role + QStringLiteral("Caption"));
    pan_->setAccessibleName(role + QStringLiteral(" header"));
    btn_->setAccessibleName(QStringLiteral("Collapse or expand ") + role);
    caption_->setAccessibleName(role);
    vle_->setAccessibleName(role);

    pan_->setFixedHeight(kHeaderHeight);
    pan_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pan_->setAutoFillBackground(true);
    QPalette panPalette = pan_->palette();
    panPalette.setColor(QPalette::Window, palette().color(QPalette::Dark));
    pan_->setPalette(panPalette);

    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    QPalette captionPalette = caption_->palette();
    captionPalette.setColor(QPalette::WindowText, Qt::black);
    caption_->setPalette(captionPalette);
    caption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* panLayout = new QHBoxLayout(pan_);
    panLayout->setContentsMargins(0, 0, 0, 0);
    panLayout->addWidget(caption_);

    // The button floats over the caption's leading blanks.
    QFont sign = btn_->font();
    sign.setBold(true);
    sign.setPixelSize(16);
    btn_->setFont(sign);
    btn_->setFocusPolicy(Qt::TabFocus);
    btn_->setGeometry(5, 3, 12, 12);
    btn_->setFixedSize(12, 12);
    btn_->raise();

    vle_->model()->setDesignRows(designRows);
    fitRows();

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(pan_);
    lay->addWidget(vle_);
    lay->addStretch(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pan_->installEventFilter(this);
}

void GridSection::toggle() {
    if (btn_->text() != QStringLiteral("+")) {
        vle_->setFixedHeight(1);
        btn_->setText(QStringLiteral("+"));
    } else {
        // An empty grid still shows its one blank row.
        const int rows = qMax(1, vle_->model()->rowCount());
        vle_->setFixedHeight(rows * ValueListEditor::kRowHeight + rows + 1);
        btn_->setText(QStringLiteral("-"));
    }
    emit toggled();
}

void GridSection::fitRows() {
    vle_->setFixedHeight(qMax(1, vle_->model()->rowCount()) * kRowPitch);
}

void GridSection::setHeaderDoubleClickToggles(bool on) {
    dblClickToggles_ = on;
}

bool GridSection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pan_ && event->type() == QEvent::MouseButtonDblClick && dblClickToggles_ && isEnabled()) {
        toggle();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

bool LoadProfileIntoSections(const QString& path, const std::array<GridSection*, 3>& sections,
                             QString* profileExt, QString* error) {
    if (!LoadProfile(path,
                     {sections[0]->vle()->model(), sections[1]->vle()->model(), sections[2]->vle()->model()},
                     profileExt, error))
        return false;
    // A collapsed section shows its new rows under its "+", as after any load.
    for (GridSection* section : sections)
        section->fitRows();
    return true;
}

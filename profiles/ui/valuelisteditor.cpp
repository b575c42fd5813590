#include "profiles/ui/valuelisteditor.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace {
const QColor kSilver(192, 192, 192);
const QColor kFocusedKey(49, 106, 197);
constexpr int kLineGrip = 2; // pixels either side of the column line that start a column drag
} // namespace

// In-place editors (a fixed pick list or a line edit that refuses what the INI format cannot hold)
// and the grid's cell colours.
class ValueListDelegate : public QStyledItemDelegate {
public:
    explicit ValueListDelegate(ValueListEditor* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        if (!grid_->editing_ || index.column() != 1 || !(index.flags() & Qt::ItemIsEditable))
            return nullptr;
        const ValueListModel* model = grid_->model();
        const int row = index.row();
        QWidget* editor = nullptr;
        if (model->editStyle(row) == ValueListModel::EditStyle::PickList) {
            auto* combo = new QComboBox(parent);
            combo->setEditable(false);
            combo->setFrame(false);
            combo->addItems(model->pickList(row));
            // A choice from the list is a change of the row at once, as a pick list behaves.
            connect(combo, &QComboBox::activated, this,
                    [this, combo] { emit const_cast<ValueListDelegate*>(this)->commitData(combo); });
            editor = combo;
        } else {
            auto* edit = new QLineEdit(parent);
            edit->setFrame(false);
            static const QRegularExpression storable(QStringLiteral("[^\\[\\r\\n\\x{0}]*"));
            edit->setValidator(new QRegularExpressionValidator(storable, edit));
            editor = edit;
        }
        editor->setObjectName(QStringLiteral("valueEditor"));
        editor->setAccessibleName(model->key(row));
        grid_->editor_ = editor;
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (grid_->editor_ == editor)
            grid_->editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString value = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            // A value outside the list (a custom frame size) is shown but is no choice.
            combo->setPlaceholderText(value);
            combo->setCurrentIndex(combo->findText(value));
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            if (edit->text() != value)
                edit->setText(value);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            // No choice made: leave a value that is not in the list alone.
            if (combo->currentIndex() >= 0)
                model->setData(index, combo->currentText(), Qt::EditRole);
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            model->setData(index, edit->text(), Qt::EditRole);
        }
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const ValueListEditor::CellColors colors = grid_->cellColors(index.row(), index.column());
        // The grid marks its current row itself; the style's selection and focus marks stay off.
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        opt.backgroundBrush = colors.background;
        for (const auto group : {QPalette::Active, QPalette::Inactive})
            opt.palette.setColor(group, QPalette::Text, colors.text);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }

private:
    ValueListEditor* grid_;
};

ValueListEditor::ValueListEditor(QWidget* parent) : QTableView(parent), model_(new ValueListModel(this)) {
    setModel(model_);
    setItemDelegate(new ValueListDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The section includes the one-pixel grid line below the row.
    verticalHeader()->setDefaultSectionSize(kRowHeight + 1);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    setShowGrid(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    viewport()->setMouseTracking(true);

    connect(model_, &QAbstractItemModel::modelReset, this, &ValueListEditor::ensureCurrentRow);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &ValueListEditor::ensureCurrentRow);
    // The current key cell's colour depends on where the focus is, editor included.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if ((old && (old == this || isAncestorOf(old))) || (now && (now == this || isAncestorOf(now))))
            viewport()->update();
    });
}

void ValueListEditor::setColumnWidths(int keyWidth, int valueWidth) {
    setColumnWidth(0, keyWidth);
    setColumnWidth(1, valueWidth);
}

void ValueListEditor::setEditingEnabled(bool enabled) {
    if (editing_ == enabled)
        return;
    editing_ = enabled;
    if (enabled) {
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                        QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
        return;
    }
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (QWidget* editor = editor_) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

int ValueListEditor::currentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

bool ValueListEditor::hasFocusWithin() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

ValueListEditor::CellColors ValueListEditor::cellColors(int row, int column) const {
    const QColor window = palette().color(QPalette::Base);
    const QColor font = palette().color(QPalette::Text);
    const bool current = row == currentRow();
    const bool plainReadOnly =
        model_->readOnly(row) && model_->editStyle(row) == ValueListModel::EditStyle::Plain;
    if (column == 1) {
        if (plainReadOnly)
            return {window, kSilver};
        return {window, current ? QColor(Qt::black) : font};
    }
    if (!current)
        return {palette().color(QPalette::Button), font};
    if (hasFocusWithin())
        return {kFocusedKey, font};
    return {window, QColor(Qt::black)};
}

void ValueListEditor::ensureCurrentRow() {
    // Like the grid it stands for, there is always a current row while there are rows.
    if (!currentIndex().isValid() && model_->rowCount() > 0)
        selectionModel()->setCurrentIndex(model_->index(0, 1), QItemSelectionModel::ClearAndSelect);
}

void ValueListEditor::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.column() == 0) {
        // Keys are fixed: the cursor stays in the value column.
        selectionModel()->setCurrentIndex(current.siblingAtColumn(1), QItemSelectionModel::ClearAndSelect);
        return;
    }
    viewport()->update();
    // The in-place editor follows the cursor while the grid has the focus.
    if (current.isValid() && editing_ && hasFocusWithin() && !editor_)
        edit(current, QAbstractItemView::AllEditTriggers, nullptr);
}

bool ValueListEditor::nearColumnLine(int x) const {
    return model_->columnCount() > 1 && qAbs(x - columnViewportPosition(1)) <= kLineGrip;
}

void ValueListEditor::mousePressEvent(QMouseEvent* event) {
    // Text typed into the open editor counts before anyone looks at the press.
    if (QWidget* editor = editor_)
        commitData(editor);
    emit mousePressed(event->button(), event->globalPosition().toPoint());
    if (event->button() == Qt::LeftButton && nearColumnLine(event->position().toPoint().x())) {
        resizeFrom_ = event->position().toPoint().x();
        resizeWidth_ = columnWidth(0);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    // A press on the current value cell with no editor open (after Escape) edits it again.
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid() && at.siblingAtColumn(1) == currentIndex() &&
        editing_ && !editor_ && hasFocusWithin())
        edit(currentIndex(), QAbstractItemView::AllEditTriggers, nullptr);
}

void ValueListEditor::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (resizeFrom_ >= 0) {
        setColumnWidth(0, qMax(horizontalHeader()->minimumSectionSize(), resizeWidth_ + x - resizeFrom_));
        event->accept();
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        if (nearColumnLine(x))
            viewport()->setCursor(Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
    }
    QTableView::mouseMoveEvent(event);
}

void ValueListEditor::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = viewport()->rect().contains(event->position().toPoint());
    if (resizeFrom_ >= 0) {
        resizeFrom_ = -1;
        event->accept();
    } else {
        QTableView::mouseReleaseEvent(event);
    }
    if (inside)
        emit clicked();
}

void ValueListEditor::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (model_->rowCount() > 0)
        return;
    // A grid without rows still shows one empty row, its current row, as the grid it stands for does.
    QPainter painter(viewport());
    const int keyWidth = columnWidth(0);
    const int width = viewport()->width();
    painter.fillRect(QRect(0, 0, keyWidth, kRowHeight), cellColors(-1, 0).background);
    painter.fillRect(QRect(keyWidth, 0, width - keyWidth, kRowHeight), cellColors(-1, 1).background);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor line =
        QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    painter.setPen(line);
    painter.drawLine(0, kRowHeight, width - 1, kRowHeight);
    painter.drawLine(keyWidth - 1, 0, keyWidth - 1, kRowHeight);
    painter.drawLine(width - 1, 0, width - 1, kRowHeight);
}

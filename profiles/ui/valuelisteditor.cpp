// Placeholder until the grid widget is written.
#include "profiles/ui/valuelisteditor.h"

ValueListEditor::ValueListEditor(QWidget* parent) : QTableView(parent), model_(new ValueListModel(this)) {
    setModel(model_);
}
void ValueListEditor::setColumnWidths(int, int) {}
void ValueListEditor::setEditingEnabled(bool enabled) { editing_ = enabled; }
int ValueListEditor::currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
void ValueListEditor::mousePressEvent(QMouseEvent* event) { QTableView::mousePressEvent(event); }
void ValueListEditor::mouseReleaseEvent(QMouseEvent* event) { QTableView::mouseReleaseEvent(event); }
void ValueListEditor::resizeEvent(QResizeEvent* event) { QTableView::resizeEvent(event); }
void ValueListEditor::focusInEvent(QFocusEvent* event) { QTableView::focusInEvent(event); }
void ValueListEditor::focusOutEvent(QFocusEvent* event) { QTableView::focusOutEvent(event); }

#pragma once
// The key/value grid of the profile boxes and the per-task output grid: a fixed key column,
// a value column edited in place (a pick list through a drop-down), read-only rows, 17-pixel rows
// with a one-pixel grid line, and the program's own cell colours.

#include "profiles/valuelistmodel.h"

#include <QTableView>

class ValueListEditor : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 17; // plus one pixel of grid line
    explicit ValueListEditor(QWidget* parent = nullptr);

    ValueListModel* model() const { return model_; }
    // Design widths of the two columns; the value column then follows the grid's width.
    void setColumnWidths(int keyWidth, int valueWidth);
    // Editing on or off for the whole grid (the output grid switches it off while no task is shown).
    void setEditingEnabled(bool enabled);
    bool editingEnabled() const { return editing_; }
    // The current row (the one marked in the key column), -1 when none.
    int currentRow() const;

signals:
    void mousePressed(Qt::MouseButton button, const QPoint& globalPos); // any button, before handling
    void clicked();                                                      // a click on the grid

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ValueListModel* model_;
    bool editing_ = true;
};

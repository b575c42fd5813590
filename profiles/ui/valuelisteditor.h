#pragma once
// The key/value grid of the profile boxes and the per-task output grid: a fixed key column,
// a value column edited in place (a pick list through a drop-down), read-only rows, 17-pixel rows
// with a one-pixel grid line, and the program's own cell colours.

#include "profiles/valuelistmodel.h"

#include <QColor>
#include <QPointer>
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

    // The colours a cell is painted with.
    struct CellColors {
        QColor background;
        QColor text;
    };
    CellColors cellColors(int row, int column) const;
    // The grid or its in-place editor holds the input focus.
    bool hasFocusWithin() const;
    // The in-place editor while one is open.
    QWidget* activeEditor() const { return editor_; }

signals:
    void mousePressed(Qt::MouseButton button, const QPoint& globalPos); // any button, before handling
    void clicked();                                                     // a click on the grid

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class ValueListDelegate;
    void ensureCurrentRow();
    bool nearColumnLine(int x) const;

    ValueListModel* model_;
    bool editing_ = true;
    QPointer<QWidget> editor_;
    int resizeFrom_ = -1; // viewport x where a drag of the column line began, -1 when none
    int resizeWidth_ = 0; // the key column's width when that drag began
};

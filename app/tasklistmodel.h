#pragma once
// The rows behind the task list: a caption and ten text sub-items per row, four of them shown.
// The rows are the only store of task data; they are never sorted.

#include "app/taskdata.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

class TaskListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kSubItems = 10;
    static constexpr int kColumns = 4; // "Input File", "Length", "Size", "Status"

    explicit TaskListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Appends a row with the caption and ten empty sub-items; returns its index.
    int appendTask(const QString& caption);
    void removeTask(int row);
    void clearTasks();
    // Exchanges the caption, the ten sub-items and the status tool tip of two rows.
    void swapTasks(int a, int b);

    QString caption(int row) const;
    void setCaption(int row, const QString& text);
    QString subItem(int row, int index) const; // index 0..9
    void setSubItem(int row, int index, const QString& text);
    // Tool tip of the "Status" cell (the console tail of a failed task); travels with the row.
    QString statusToolTip(int row) const;
    void setStatusToolTip(int row, const QString& text);

    // First row whose caption equals text exactly (letter case counts), or -1.
    int findCaption(const QString& text) const;

private:
    struct Row {
        QString caption;
        QStringList sub; // always kSubItems entries
        QString statusTip;
    };
    QVector<Row> rows_;
};

// Copies fields of row index into rec as the selector says; seconds fields are computed from their texts.
void GetTaskData(const TaskListModel& model, int index, int selector, ltvItemData& rec);
// Copies fields of rec into row index as the selector says; the seconds fields are ignored.
void SetTaskData(TaskListModel& model, int index, int selector, const ltvItemData& rec);

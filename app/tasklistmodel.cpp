#include "app/tasklistmodel.h"

#include "app/tasktext.h"

TaskListModel::TaskListModel(QObject* parent) : QAbstractTableModel(parent) {}

int TaskListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int TaskListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = rows_[index.row()];
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? row.caption : row.sub[index.column() - 1];
    if (role == Qt::ToolTipRole && index.column() == kColumns - 1 && !row.statusTip.isEmpty())
        return row.statusTip;
    return {};
}

QVariant TaskListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kTitles[kColumns] = {"Input File", "Length", "Size", "Status"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return {};
    return QString::fromLatin1(kTitles[section]);
}

int TaskListModel::appendTask(const QString& caption) {
    const int row = int(rows_.size());
    beginInsertRows({}, row, row);
    QStringList sub;
    for (int i = 0; i < kSubItems; ++i)
        sub.append(QString());
    rows_.append(Row{caption, sub, {}});
    endInsertRows();
    return row;
}

void TaskListModel::removeTask(int row) {
    if (row < 0 || row >= rows_.size())
        return;
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

void TaskListModel::clearTasks() {
    if (rows_.isEmpty())
        return;
    beginRemoveRows({}, 0, int(rows_.size()) - 1);
    rows_.clear();
    endRemoveRows();
}

void TaskListModel::swapTasks(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= rows_.size() || b >= rows_.size())
        return;
    rows_.swapItemsAt(a, b);
    emit dataChanged(index(a, 0), index(a, kColumns - 1));
    emit dataChanged(index(b, 0), index(b, kColumns - 1));
}

QString TaskListModel::caption(int row) const {
    return (row >= 0 && row < rows_.size()) ? rows_[row].caption : QString();
}

void TaskListModel::setCaption(int row, const QString& text) {
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].caption = text;
    emit dataChanged(index(row, 0), index(row, 0), {Qt::DisplayRole});
}

QString TaskListModel::subItem(int row, int index) const {
    if (row < 0 || row >= rows_.size() || index < 0 || index >= kSubItems)
        return {};
    return rows_[row].sub[index];
}

void TaskListModel::setSubItem(int row, int index, const QString& text) {
    if (row < 0 || row >= rows_.size() || index < 0 || index >= kSubItems)
        return;
    rows_[row].sub[index] = text;
    // Only the first three sub-items have a column; the rest are never shown.
    if (index < kColumns - 1) {
        const QModelIndex cell = this->index(row, index + 1);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

QString TaskListModel::statusToolTip(int row) const {
    return (row >= 0 && row < rows_.size()) ? rows_[row].statusTip : QString();
}

void TaskListModel::setStatusToolTip(int row, const QString& text) {
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].statusTip = text;
    const QModelIndex cell = index(row, kColumns - 1);
    emit dataChanged(cell, cell, {Qt::ToolTipRole});
}

int TaskListModel::findCaption(const QString& text) const {
    for (int i = 0; i < rows_.size(); ++i) {
        if (rows_[i].caption == text)
            return i;
    }
    return -1;
}

namespace {

// The record's text field for a sub-item selector 0..9, in row order.
QString ltvItemData::*const kSubFields[TaskListModel::kSubItems] = {
    &ltvItemData::LengthText,  &ltvItemData::SizeText,       &ltvItemData::StatusText,
    &ltvItemData::NewFileName, &ltvItemData::OutputExt,      &ltvItemData::StartTimeText,
    &ltvItemData::EndTimeText, &ltvItemData::ClipLengthText, &ltvItemData::ClipStartText,
    &ltvItemData::ClipEndText};

// The seconds field derived from a sub-item's text, or null for texts that are no times.
double ltvItemData::*const kSecFields[TaskListModel::kSubItems] = {&ltvItemData::LengthSec,
                                                                   nullptr,
                                                                   nullptr,
                                                                   nullptr,
                                                                   nullptr,
                                                                   &ltvItemData::StartSec,
                                                                   &ltvItemData::EndSec,
                                                                   &ltvItemData::ClipLengthSec,
                                                                   &ltvItemData::ClipStartSec,
                                                                   &ltvItemData::ClipEndSec};

void GetSubItem(const TaskListModel& model, int index, int sub, ltvItemData& rec) {
    rec.*kSubFields[sub] = model.subItem(index, sub);
    if (kSecFields[sub])
        rec.*kSecFields[sub] = TimeToSeconds(rec.*kSubFields[sub]);
}

} // namespace

void GetTaskData(const TaskListModel& model, int index, int selector, ltvItemData& rec) {
    if (selector >= 0 && selector < TaskListModel::kSubItems) {
        GetSubItem(model, index, selector, rec);
    } else if (selector == selCaption) {
        rec.InputFile = model.caption(index);
    } else if (selector == selAll) {
        rec.InputFile = model.caption(index);
        for (int sub = 0; sub < TaskListModel::kSubItems; ++sub)
            GetSubItem(model, index, sub, rec);
    }
}

void SetTaskData(TaskListModel& model, int index, int selector, const ltvItemData& rec) {
    if (selector >= 0 && selector < TaskListModel::kSubItems) {
        model.setSubItem(index, selector, rec.*kSubFields[selector]);
    } else if (selector == selCaption) {
        model.setCaption(index, rec.InputFile);
    } else if (selector == selAll) {
        model.setCaption(index, rec.InputFile);
        for (int sub = 0; sub < TaskListModel::kSubItems; ++sub)
            model.setSubItem(index, sub, rec.*kSubFields[sub]);
    }
}

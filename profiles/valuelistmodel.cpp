#include "profiles/valuelistmodel.h"

ValueListModel::ValueListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ValueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ValueListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ValueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size() || index.column() > 1)
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const Row& row = rows_.at(index.row());
    return index.column() == 0 ? row.key : row.value;
}

bool ValueListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rows_.size())
        return false;
    if (!(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString();
    if (!isStorable(text))
        return false;
    Row& row = rows_[index.row()];
    // A read-only pick list may be chosen from but not typed into.
    if (row.readOnly && row.style == EditStyle::PickList && !row.pick.contains(text))
        return false;
    if (row.value == text)
        return true;
    row.value = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit valueEdited(index.row());
    return true;
}

Qt::ItemFlags ValueListModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const Row& row = rows_.at(index.row());
    if (index.column() == 1 && !(row.readOnly && row.style == EditStyle::Plain))
        f |= Qt::ItemIsEditable;
    return f;
}

void ValueListModel::clearRows() {
    if (rows_.isEmpty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ValueListModel::appendRow(const QString& key, const QString& value) {
    const int at = int(rows_.size());
    beginInsertRows({}, at, at);
    rows_.append(Row{key, value, EditStyle::Plain, {}, false});
    endInsertRows();
    return at;
}

void ValueListModel::setDesignRows(const QStringList& keys) {
    beginResetModel();
    rows_.clear();
    for (const QString& key : keys)
        rows_.append(Row{key, {}, EditStyle::Plain, {}, false});
    endResetModel();
}

QString ValueListModel::key(int row) const {
    return row >= 0 && row < rows_.size() ? rows_.at(row).key : QString();
}

QString ValueListModel::value(int row) const {
    return row >= 0 && row < rows_.size() ? rows_.at(row).value : QString();
}

void ValueListModel::setValue(int row, const QString& value) {
    if (row < 0 || row >= rows_.size() || rows_.at(row).value == value)
        return;
    rows_[row].value = value;
    const QModelIndex cell = index(row, 1);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

ValueListModel::EditStyle ValueListModel::editStyle(int row) const {
    return row >= 0 && row < rows_.size() ? rows_.at(row).style : EditStyle::Plain;
}

void ValueListModel::setEditStyle(int row, EditStyle style) {
    if (row < 0 || row >= rows_.size() || rows_.at(row).style == style)
        return;
    rows_[row].style = style;
    const QModelIndex cell = index(row, 1);
    emit dataChanged(cell, cell);
}

QStringList ValueListModel::pickList(int row) const {
    return row >= 0 && row < rows_.size() ? rows_.at(row).pick : QStringList();
}

void ValueListModel::setPickList(int row, const QStringList& items) {
    if (row < 0 || row >= rows_.size() || rows_.at(row).pick == items)
        return;
    rows_[row].pick = items;
    const QModelIndex cell = index(row, 1);
    emit dataChanged(cell, cell);
}

bool ValueListModel::readOnly(int row) const {
    return row >= 0 && row < rows_.size() && rows_.at(row).readOnly;
}

void ValueListModel::setReadOnly(int row, bool readOnly) {
    if (row < 0 || row >= rows_.size() || rows_.at(row).readOnly == readOnly)
        return;
    rows_[row].readOnly = readOnly;
    const QModelIndex cell = index(row, 1);
    emit dataChanged(cell, cell);
}

int ValueListModel::findKey(const QString& key) const {
    for (int i = 0; i < rows_.size(); ++i) {
        if (rows_.at(i).key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString ValueListModel::valueOf(const QString& key) const {
    return value(findKey(key));
}

bool ValueListModel::setValueOf(const QString& key, const QString& value) {
    const int row = findKey(key);
    if (row < 0)
        return false;
    setValue(row, value);
    return true;
}

bool ValueListModel::isStorable(const QString& text) {
    for (const QChar c : text) {
        // A NUL would end the file's text when it is read back.
        if (c == u'[' || c == u'\r' || c == u'\n' || c == u'\0')
            return false;
    }
    return true;
}

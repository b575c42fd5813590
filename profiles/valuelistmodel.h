#pragma once
// Key/value rows of one parameter grid: key, value, edit style, pick list and read-only flag.
// The grids of both forms and the per-task output grid show one of these.

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

class ValueListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class EditStyle { Plain, PickList };

    explicit ValueListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override; // 2: key, value
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Column 1 accepts edits (Qt::EditRole) unless the row is read-only and plain. A value holding
    // "[" or a line break is refused, because the INI format cannot store it. A user edit that
    // changes the value emits valueEdited.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void clearRows();
    int appendRow(const QString& key, const QString& value = {});
    // Replaces all rows with these keys and empty values (the design rows of a grid).
    void setDesignRows(const QStringList& keys);

    QString key(int row) const;
    QString value(int row) const;
    void setValue(int row, const QString& value); // programmatic: no valueEdited
    EditStyle editStyle(int row) const;
    void setEditStyle(int row, EditStyle style);
    QStringList pickList(int row) const;
    void setPickList(int row, const QStringList& items);
    bool readOnly(int row) const;
    void setReadOnly(int row, bool readOnly);

    // First row whose key equals key without regard to letter case, or -1.
    int findKey(const QString& key) const;
    // Value of the first row keyed key (letter case ignored); empty when there is none.
    QString valueOf(const QString& key) const;
    // Sets the value of the first row keyed key (letter case ignored); false when there is none.
    bool setValueOf(const QString& key, const QString& value);

    // True when text may be stored as a value (no "[", no line break).
    static bool isStorable(const QString& text);

signals:
    // The user changed the value of row through the editor.
    void valueEdited(int row);

private:
    struct Row {
        QString key;
        QString value;
        EditStyle style = EditStyle::Plain;
        QStringList pick;
        bool readOnly = false;
    };
    QVector<Row> rows_;
};

// SetGridValue on one grid model: keys matched without regard to letter case.
inline void SetGridValue(ValueListModel& grid, const QString& key, const QString& value) {
    grid.setValueOf(key, value);
}

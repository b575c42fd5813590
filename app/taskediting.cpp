#include "app/taskediting.h"

#include <algorithm>

namespace {

// A selection that does not match the rows is padded or cut, so no flag refers to a missing row.
void FitSelection(const TaskListModel& model, QVector<bool>& selected) {
    selected.resize(model.rowCount(), false);
}

bool AnySelected(const QVector<bool>& selected) {
    return std::find(selected.cbegin(), selected.cend(), true) != selected.cend();
}

} // namespace

void MoveUp(TaskListModel& model, QVector<bool>& selected) {
    FitSelection(model, selected);
    if (!AnySelected(selected))
        return;
    // Each step sees the selection as the earlier steps left it, which keeps a block together.
    for (int i = 1; i < selected.size(); ++i) {
        if (!selected[i])
            continue;
        model.swapTasks(i, i - 1);
        selected[i - 1] = true;
        selected[i] = false;
    }
}

void MoveDown(TaskListModel& model, QVector<bool>& selected) {
    FitSelection(model, selected);
    if (!AnySelected(selected))
        return;
    for (int i = int(selected.size()) - 2; i >= 0; --i) {
        if (!selected[i])
            continue;
        model.swapTasks(i, i + 1);
        selected[i + 1] = true;
        selected[i] = false;
    }
}

void RemoveSelected(TaskListModel& model, QVector<bool>& selected) {
    FitSelection(model, selected);
    for (int i = int(selected.size()) - 1; i >= 0; --i) {
        if (selected[i]) {
            model.removeTask(i);
            selected.removeAt(i);
        }
    }
}

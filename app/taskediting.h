#pragma once
// Reordering and removing task rows by the selection, without any widget: the selection is one flag
// per row, which the window translates to and from its view's selection.

#include "app/tasklistmodel.h"

#include <QVector>

// Moves every selected row one place up (rows swapped whole, status included); the selection follows
// the rows. A selected first row stays; a block of adjacent selected rows moves as a whole.
void MoveUp(TaskListModel& model, QVector<bool>& selected);
// The same downwards, working from the second-to-last row to the first.
void MoveDown(TaskListModel& model, QVector<bool>& selected);
// Deletes the selected rows, last to first; selected keeps one (cleared) flag per remaining row.
void RemoveSelected(TaskListModel& model, QVector<bool>& selected);

#pragma once
// The per-task output settings shown in the "Output" grid: which texts the grid shows for a task, and
// how a change typed into the grid becomes the task's output name and clip range.

#include "app/taskdata.h"

#include <QString>

class TaskListModel;

// The three values the grid shows for a task.
struct OutputGridValues {
    QString NewFilename; // NewFileName followed by the current profile extension
    QString StartTime;   // ClipStartText
    QString EndTime;     // ClipEndText
};
OutputGridValues OutputGridFor(const ltvItemData& rec, const QString& profileExt);

// The texts a validated grid change stores into the task's row.
struct OutputEdit {
    QString NewFileName;
    QString OutputExt;
    QString ClipStartText;
    QString ClipEndText;
    QString ClipLengthText;
};

// Extension of a typed name with its ".": from the last "." after the last "/", "\\" or ":"; else empty.
QString OutputExtOf(const QString& name);

// Checks the three grid values against the task record rec (read with selAll). A start or end that is
// no time text, or fails its range test, falls back to the task's current clip start or end.
OutputEdit ValidateOutput(const ltvItemData& rec, const QString& newFilename, const QString& startText,
                          const QString& endText);

// Writes the edit into row with the selectors 3, 4, 7, 8 and 9, in that order.
void StoreOutputEdit(TaskListModel& model, int row, const OutputEdit& edit);

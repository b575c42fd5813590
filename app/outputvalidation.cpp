#include "app/outputvalidation.h"

#include "app/tasklistmodel.h"
#include "app/tasktext.h"

OutputGridValues OutputGridFor(const ltvItemData& rec, const QString& profileExt) {
    return {rec.NewFileName + profileExt, rec.ClipStartText, rec.ClipEndText};
}

QString OutputExtOf(const QString& name) {
    const QString file = FileNamePart(name);
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot < 0 ? QString() : file.mid(dot);
}

OutputEdit ValidateOutput(const ltvItemData& rec, const QString& newFilename, const QString& startText,
                          const QString& endText) {
    OutputEdit edit;
    edit.NewFileName = FileBaseName(newFilename);
    edit.OutputExt = OutputExtOf(newFilename);

    double start = TimeToSeconds(startText);
    double end = TimeToSeconds(endText);
    if (start == -1)
        start = rec.ClipStartSec;
    if (end == -1)
        end = rec.ClipEndSec;

    // The start is tested against the new end first, the end then against the start that stands.
    if (!(start >= 0 && start < end && start < rec.EndSec))
        start = rec.ClipStartSec;
    if (!(end > 0 && end > start && end > rec.StartSec))
        end = rec.ClipEndSec;

    // A fallback to a stored text that is no time (an unreadable length) keeps that text as it is,
    // rather than turning it into a made-up zero that would later clip the conversion.
    edit.ClipStartText = start >= 0 ? SecondsToTime(start) : rec.ClipStartText;
    edit.ClipEndText = end >= 0 ? SecondsToTime(end) : rec.ClipEndText;
    edit.ClipLengthText = (start >= 0 && end >= start) ? SecondsToTime(end - start) : rec.ClipLengthText;
    return edit;
}

void StoreOutputEdit(TaskListModel& model, int row, const OutputEdit& edit) {
    ltvItemData rec;
    rec.NewFileName = edit.NewFileName;
    rec.OutputExt = edit.OutputExt;
    rec.ClipLengthText = edit.ClipLengthText;
    rec.ClipStartText = edit.ClipStartText;
    rec.ClipEndText = edit.ClipEndText;
    for (int selector : {3, 4, 7, 8, 9})
        SetTaskData(model, row, selector, rec);
}

#pragma once
// A task's record, copied out of and back into its row of the task list.

#include <QString>

struct ltvItemData {
    QString InputFile;      // caption
    QString LengthText;     // sub-item 0
    QString SizeText;       // sub-item 1
    QString StatusText;     // sub-item 2
    QString NewFileName;    // sub-item 3
    QString OutputExt;      // sub-item 4
    QString StartTimeText;  // sub-item 5
    QString EndTimeText;    // sub-item 6
    QString ClipLengthText; // sub-item 7
    QString ClipStartText;  // sub-item 8
    QString ClipEndText;    // sub-item 9

    // Derived by GetTaskData with TimeToSeconds; -1 when the text is not a time text. Never stored.
    double LengthSec = 0;
    double StartSec = 0;
    double EndSec = 0;
    double ClipLengthSec = 0;
    double ClipStartSec = 0;
    double ClipEndSec = 0;
};

// Selectors of GetTaskData/SetTaskData: 0..9 name one sub-item, these two the caption and everything.
constexpr int selCaption = -1;
constexpr int selAll = -2;

// Task statuses written into the "Status" column.
inline const QString kStatusOK = QStringLiteral("OK");
inline const QString kStatusConverting = QStringLiteral("Converting");
inline const QString kStatusComplete = QStringLiteral("Complete");
inline const QString kStatusStop = QStringLiteral("Stop");
inline const QString kStatusFailed = QStringLiteral("Failed");

#pragma once
// Time texts, file-name rules and the accepted input types shared by every part of the program.

#include <QString>
#include <QStringList>

// Seconds denoted by a time text "h:m:s[.f]", or -1 when the text is not a time text.
double TimeToSeconds(const QString& text);
// Time text for seconds >= 0: two-digit fields, at most one tenths digit (halves to even, carry at ten).
QString SecondsToTime(double seconds);
// Name without its last extension; the whole name when it holds no ".".
QString FileBaseName(const QString& name);
// Folder text with the folder separator "/" appended unless it already ends in one.
QString EnsureBackslash(const QString& folder);
// File-name part of a path: the text after the last "/" (or "\\" or ":").
QString FileNamePart(const QString& path);
// True when the lower-cased extension of the path's file-name part is one of list.
bool IsSupported(const QString& path, const QStringList& list);
// Nearest whole number, a tie going to the even one.
qint64 RoundHalfEven(double value);

// The eight accepted input extensions, lower case with their dot, in their fixed order.
const QStringList& InputExts();
// "*.avi;*.mpg;...;" made of InputExts().
QString InputMask();
// The open dialog's filter text, "description|pattern|..." pairs.
QString OpenDialogFilter();

#include "app/tasktext.h"

#include <cmath>
#include <limits>

namespace {

// Index just past an optional leading sign.
qsizetype SkipSign(const QString& text) {
    return (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) ? 1 : 0;
}

bool AllDigits(const QString& text, qsizetype from, qsizetype to) {
    for (qsizetype i = from; i < to; ++i) {
        if (!text[i].isDigit() || text[i].unicode() > 0x7f)
            return false;
    }
    return true;
}

// Digits with an optional sign; no blanks, no grouping, no exponent.
bool ParseWhole(const QString& text, qint64& value) {
    const qsizetype start = SkipSign(text);
    if (start == text.size() || !AllDigits(text, start, text.size()))
        return false;
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok;
}

// Digits with an optional sign and an optional "." fraction; a digit must come before the ".".
bool ParseSeconds(const QString& text, double& value) {
    const qsizetype start = SkipSign(text);
    const qsizetype dot = text.indexOf(u'.', start);
    const qsizetype intEnd = dot < 0 ? text.size() : dot;
    if (intEnd == start || !AllDigits(text, start, intEnd))
        return false;
    if (dot >= 0 && !AllDigits(text, dot + 1, text.size()))
        return false;
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

} // namespace

double TimeToSeconds(const QString& text) {
    const qsizetype first = text.indexOf(u':');
    if (first < 0)
        return -1;
    const qsizetype second = text.indexOf(u':', first + 1);
    if (second < 0)
        return -1;

    qint64 hours = 0;
    qint64 minutes = 0;
    double seconds = 0;
    if (!ParseWhole(text.left(first), hours) ||
        !ParseWhole(text.mid(first + 1, second - first - 1), minutes) ||
        !ParseSeconds(text.mid(second + 1), seconds))
        return -1;

    // Whole hours and minutes are summed in 64 bits; a sum that does not fit there is no time at all.
    qint64 whole = 0;
    qint64 hourPart = 0;
    qint64 minutePart = 0;
    if (__builtin_mul_overflow(hours, qint64(3600), &hourPart) ||
        __builtin_mul_overflow(minutes, qint64(60), &minutePart) ||
        __builtin_add_overflow(hourPart, minutePart, &whole))
        return -1;
    return double(whole) + seconds;
}

QString SecondsToTime(double seconds) {
    // Outside the domain (negative, not a number) there is no sensible text but zero.
    if (!(seconds >= 0))
        seconds = 0;
    constexpr double kLimit = 9.0e18;
    if (seconds > kLimit)
        seconds = kLimit;

    qint64 whole = qint64(seconds);
    qint64 tenths = RoundHalfEven((seconds - double(whole)) * 10);
    if (tenths >= 10) {
        tenths = 0;
        ++whole;
    }
    const qint64 h = whole / 3600;
    const qint64 m = (whole - 3600 * h) / 60;
    const qint64 s = whole - 3600 * h - 60 * m;

    QString text = QStringLiteral("%1:%2:%3")
                       .arg(h, 2, 10, QLatin1Char('0'))
                       .arg(m, 2, 10, QLatin1Char('0'))
                       .arg(s, 2, 10, QLatin1Char('0'));
    if (tenths != 0)
        text += u'.' + QString::number(tenths);
    return text;
}

QString FileBaseName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString EnsureBackslash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

QString FileNamePart(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path[i];
        if (c == u'/' || c == u'\\' || c == u':')
            return path.mid(i + 1);
    }
    return path;
}

bool IsSupported(const QString& path, const QStringList& list) {
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString ext = name.mid(dot).toLower();
    for (const QString& entry : list) {
        if (ext == entry)
            return true;
    }
    return false;
}

qint64 RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless changed.
    return qint64(std::nearbyint(value));
}

const QStringList& InputExts() {
    static const QStringList exts = {QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".mpeg"),
                                     QStringLiteral(".mp4"), QStringLiteral(".wmv"), QStringLiteral(".mov"),
                                     QStringLiteral(".vob"), QStringLiteral(".asf")};
    return exts;
}

QString InputMask() {
    QString mask;
    for (const QString& e : InputExts())
        mask += u'*' + e + u';';
    return mask;
}

QString OpenDialogFilter() {
    QString filter;
    for (const QString& e : InputExts()) {
        const QString upper = e.mid(1).toUpper();
        filter += upper + QStringLiteral(" Files (*") + e + QStringLiteral(")|*") + e + u'|';
    }
    const QString mask = InputMask();
    return QStringLiteral("All Support Files(") + mask + QStringLiteral(")|") + mask + u'|' + filter +
           QStringLiteral("All Files (*.*)|*.*");
}

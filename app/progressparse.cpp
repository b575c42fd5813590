#include "app/progressparse.h"

#include "app/tasktext.h"

#include <QRegularExpression>

namespace {

// Digits with an optional sign and one optional point; no exponent, no "inf" or "nan".
bool ParseDecimal(const QString& text, double& value) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!decimal.match(text).hasMatch())
        return false;
    bool ok = false;
    value = text.toDouble(&ok);
    return ok;
}

} // namespace

std::optional<double> ProgressSeconds(const QString& record) {
    const qsizetype at = record.indexOf(QLatin1String("time"));
    if (at < 0)
        return std::nullopt;
    const qsizetype from = at + 5;
    if (from >= record.size())
        return std::nullopt;
    qsizetype to = record.indexOf(u' ', from);
    if (to < 0)
        to = record.size();
    const QString text = record.mid(from, to - from);
    if (text.isEmpty())
        return std::nullopt;

    double value = 0;
    if (ParseDecimal(text, value))
        return value;
    // A time text may carry signs in any part; a progress time before the start means nothing yet.
    if (text.contains(u'-') || text.contains(u'+'))
        return std::nullopt;
    const double seconds = TimeToSeconds(text);
    if (seconds < 0)
        return std::nullopt;
    return seconds;
}

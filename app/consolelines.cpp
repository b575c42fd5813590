#include "app/consolelines.h"

QStringList ConsoleLines::feed(const QByteArray& bytes) {
    QStringList records;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0; // first byte of the current record within bytes
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        // The "\n" of a "\r\n" whose "\r" already ended the record (possibly in an earlier feed).
        const bool secondHalf = c == '\n' && lastWasCR_ && i == start && pending_.isEmpty();
        if (!secondHalf) {
            pending_.append(data + start, i - start);
            records.append(QString::fromUtf8(pending_));
            pending_.clear();
        }
        lastWasCR_ = c == '\r';
        start = i + 1;
    }
    if (start < size) {
        pending_.append(data + start, size - start);
        lastWasCR_ = false;
    }
    return records;
}

QStringList ConsoleLines::flush() {
    QStringList records;
    if (!pending_.isEmpty())
        records.append(QString::fromUtf8(pending_));
    pending_.clear();
    lastWasCR_ = false;
    return records;
}

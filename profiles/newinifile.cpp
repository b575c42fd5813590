#include "profiles/newinifile.h"

#include "profiles/intparse.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <limits>

namespace {

// Only "A" to "Z" are folded, so positions in the folded text match the original text.
QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            c = QChar(char16_t(u + 32));
    }
    return out;
}

// Lines of text ended by CR LF, a lone CR or a lone LF; a line end at the very end adds no line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool fitsEightBits(const QStringList& lines) {
    for (const QString& line : lines) {
        for (const QChar c : line) {
            if (c.unicode() > 0xFF)
                return false;
        }
    }
    return true;
}

QByteArray fileBytes(const QStringList& lines, bool latin1) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += latin1 ? line.toLatin1() : line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

// A decimal number with "." as the decimal separator, blanks allowed around it.
bool parseFloat(const QString& text, double* out) {
    static const QRegularExpression number(
        QStringLiteral(R"(^[ \t]*([+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \t]*$)"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return false;
    bool ok = false;
    const double value = m.captured(1).toDouble(&ok);
    if (!ok)
        return false;
    *out = value;
    return true;
}

} // namespace

TNewInifile::TNewInifile(const QString& fileName) : FileName(fileName) {
    QFileInfo info(fileName);
    if (!info.exists())
        return;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        const QString reason = info.isDir() ? QStringLiteral("It is a folder.") : file.errorString();
        error_ = QStringLiteral("Cannot read %1: %2").arg(fileName, reason);
        readFailed_ = true;
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error_ = QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString());
        readFailed_ = true;
        return;
    }
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArray text = nul >= 0 ? bytes.left(nul) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(text);
    if (utf8.hasError()) {
        // Not UTF-8 (an older 8-bit file): keep every byte as it is, so rewriting it changes nothing.
        latin1_ = true;
        decoded = QString::fromLatin1(text);
    }
    Lines = splitLines(decoded);
    // Close need not rewrite a file whose bytes already are what it would write.
    onDisk_ = bytes;
    existed_ = true;
}

namespace {

int headerLine(const QStringList& Lines, const QString& section) {
    const QString header = asciiLower(QLatin1Char('[') + section + QLatin1Char(']'));
    for (int i = 0; i < Lines.size(); ++i) {
        if (asciiLower(Lines.at(i)).contains(header))
            return i;
    }
    return -1;
}

// Body lines of a section; body line k is store line *header + k.
QStringList sectionBody(const QStringList& Lines, const QString& section, int* header) {
    const QString text = asciiLower(Lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    const QString head = asciiLower(QLatin1Char('[') + section + QLatin1Char(']'));
    const qsizetype at = text.indexOf(head);
    if (at < 0) {
        *header = -1;
        return {};
    }
    *header = headerLine(Lines, section);
    const qsizetype from = at + head.size();
    qsizetype to = text.indexOf(QLatin1Char('['), from);
    if (to < 0)
        to = text.size();
    // The lower-cased text has the same length as the original, so the body can be taken from the
    // original lines by position.
    const QString original = Lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    return splitLines(original.mid(from, to - from));
}

// First body line holding key + "=" anywhere (letter case ignored); *valueAt is where its value starts.
int keyLine(const QStringList& body, const QString& key, qsizetype* valueAt) {
    const QString needle = asciiLower(key + QLatin1Char('='));
    for (int k = 0; k < body.size(); ++k) {
        const qsizetype pos = asciiLower(body.at(k)).indexOf(needle);
        if (pos >= 0) {
            if (valueAt)
                *valueAt = pos + needle.size();
            return k;
        }
    }
    return -1;
}

} // namespace

QString TNewInifile::ReadString(const QString& section, const QString& key, const QString& def) const {
    int header = -1;
    const QStringList body = sectionBody(Lines, section, &header);
    qsizetype valueAt = 0;
    const int k = keyLine(body, key, &valueAt);
    if (k < 0)
        return def;
    return body.at(k).mid(valueAt);
}

int TNewInifile::ReadInteger(const QString& section, const QString& key, int def) const {
    int value = 0;
    return ParseIntegerText(ReadString(section, key, QString::number(def)), &value) ? value : def;
}

bool TNewInifile::ReadBool(const QString& section, const QString& key, bool def) const {
    const QString text = ReadString(section, key, def ? QStringLiteral("1") : QStringLiteral("0"));
    double number = 0;
    if (parseFloat(text, &number))
        return number != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return def;
}

double TNewInifile::ReadFloat(const QString& section, const QString& key, double def) const {
    double value = 0;
    return parseFloat(ReadString(section, key, QString::number(def)), &value) ? value : def;
}

void TNewInifile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString entry = key + QLatin1Char('=') + value;
    int header = -1;
    const QStringList body = sectionBody(Lines, section, &header);
    if (header < 0) {
        Lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        Lines.append(entry);
        return;
    }
    const int k = keyLine(body, key, nullptr);
    if (k < 0) {
        Lines.insert(header + 1, entry);
    } else if (k == 0) {
        // The entry shares the header's line: keep the header and replace only what follows it.
        QString& line = Lines[header];
        const QString head = asciiLower(QLatin1Char('[') + section + QLatin1Char(']'));
        line = line.left(asciiLower(line).indexOf(head) + head.size()) + entry;
    } else {
        Lines[header + k] = entry;
    }
}

void TNewInifile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TNewInifile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TNewInifile::Close() {
    // Writing back what could not be read would replace the file with an empty one.
    if (readFailed_)
        return false;
    // An 8-bit file stays 8-bit only while its text fits; a character beyond that (a folder name in
    // another script) would be lost, so the file becomes UTF-8, which reads back as the same text.
    if (latin1_ && !fitsEightBits(Lines))
        latin1_ = false;
    const QByteArray bytes = fileBytes(Lines, latin1_);
    if (existed_ && bytes == onDisk_ && QFileInfo::exists(FileName))
        return true;
    // Unbuffered, so a short write (disk full, size limit) is seen here instead of being lost in a
    // buffer flush that still lets the commit replace the old file.
    QSaveFile file(FileName);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0; ok && done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        ok = n > 0;
        done += n;
    }
    if (!ok || !file.commit()) {
        error_ = QStringLiteral("Cannot write %1: %2").arg(FileName, file.errorString());
        return false;
    }
    onDisk_ = bytes;
    existed_ = true;
    return true;
}

#pragma once
// The program's reader and writer of INI text: the whole file held as lines, sections and keys found
// by case-insensitive containment, edits in place, the whole file written back on Close.

#include <QByteArray>
#include <QString>
#include <QStringList>

class TNewInifile {
public:
    // Reads the file when it exists. A file that exists but cannot be read leaves the store empty
    // and sets error().
    explicit TNewInifile(const QString& fileName);

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    double ReadFloat(const QString& section, const QString& key, double def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // Writes all lines, each ended by CR LF, atomically (the old file stays whole until the new one
    // is complete). A file whose bytes already equal that text is left untouched, so reading a profile
    // in a write-protected folder does not fail. Returns false and sets error() when the file could not
    // be read (it is then never replaced) or written.
    bool Close();

    // "Cannot read|write <file>: <reason>", empty while nothing failed.
    QString error() const { return error_; }

    QString FileName;
    QStringList Lines;

private:
    QString error_;
    QByteArray onDisk_;       // the bytes read at construction
    bool existed_ = false;    // the file was read at construction
    bool readFailed_ = false; // the file exists but could not be read: Close must not replace it
    bool latin1_ = false;     // the file was not UTF-8 and is written back byte for byte
};

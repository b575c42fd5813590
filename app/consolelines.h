#pragma once
// Splits the encoder's console bytes into records: "\n", "\r\n" and a bare "\r" each end one.
// An unfinished tail waits for the next bytes and is handed out by flush().

#include <QByteArray>
#include <QStringList>

class ConsoleLines {
public:
    // Records completed by these bytes, in order (UTF-8 decoded).
    QStringList feed(const QByteArray& bytes);
    // The unfinished tail as a last record (none when empty); the splitter is then empty again.
    QStringList flush();

private:
    QByteArray pending_;
    bool lastWasCR_ = false;
};

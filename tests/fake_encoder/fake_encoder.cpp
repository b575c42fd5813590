// A scripted stand-in for the encoder, for tests. It is started with the encoder's own command
// line, so it is driven through the environment instead:
//
//   RW_FAKE_SCRIPT=<file>  script to run, one command a line (UTF-8). Without it the fake prints
//                          nothing and exits with 0.
//   RW_FAKE_LOG=<file>     every invocation appends its arguments (argv[1..]) to this file as one
//                          compact JSON array on one line, e.g. ["-y","-i","/a b/c.avi","out.mp4"].
//
// Script commands (blank lines and lines starting with "#" are skipped):
//   print <text>      write text to standard output, no line end added; escapes \n \r \t \\ .
//   line <text>       like print, followed by "\n".
//   eprint <text>     like print, to standard error.
//   echoargs          print each argument on its own line.
//   pid               print "pid <process id>" on a line of its own.
//   read-stdin        read standard input to its end, then print "stdin <n> bytes" on a line.
//   progress <total> <steps> <ms>
//                     print <steps> progress records "frame=N fps=0 size=0kB time=HH:MM:SS.ss
//                     bitrate=0.0kbits/s speed=1x\r" up to <total> seconds, sleeping <ms> after each.
//   touch-output [n]  create the last argument as a file of n bytes (default 1024), as an encoder
//                     writing its output would.
//   sleep <ms>        wait.
//   ignore-term       ignore SIGTERM from now on, so only a kill ends the fake.
//   hang              wait forever.
//   crash             abort().
//   exit <code>       end with this exit code (the end of the script exits with 0).
//   ifarg <text> <command...>
//                     run the command only when some argument contains text, e.g.
//                     "ifarg broken.avi exit 1" fails the task of that file only.

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

QStringList gArgs;

QByteArray Unescape(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar n = text.at(++i);
        if (n == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (n == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (n == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else
            out += n;
    }
    return out.toUtf8();
}

void Write(FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

QString TimeText(double seconds) {
    const int centis = int(seconds * 100 + 0.5);
    return QString::asprintf("%02d:%02d:%02d.%02d", centis / 360000, centis / 6000 % 60, centis / 100 % 60,
                             centis % 100);
}

void LogInvocation() {
    const QByteArray logPath = qgetenv("RW_FAKE_LOG");
    if (logPath.isEmpty())
        return;
    QFile log(QString::fromLocal8Bit(logPath));
    if (log.open(QIODevice::Append)) {
        log.write(QJsonDocument(QJsonArray::fromStringList(gArgs)).toJson(QJsonDocument::Compact));
        log.write("\n");
    }
}

// Runs one command; returns false when the script should go on, and sets exitCode to end it.
bool Run(const QString& command, const QString& rest, int* exitCode) {
    const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (command == QLatin1String("print")) {
        Write(stdout, Unescape(rest));
    } else if (command == QLatin1String("line")) {
        Write(stdout, Unescape(rest) + '\n');
    } else if (command == QLatin1String("eprint")) {
        Write(stderr, Unescape(rest));
    } else if (command == QLatin1String("echoargs")) {
        for (const QString& arg : gArgs)
            Write(stdout, arg.toUtf8() + '\n');
    } else if (command == QLatin1String("pid")) {
        Write(stdout, "pid " + QByteArray::number(qint64(getpid())) + '\n');
    } else if (command == QLatin1String("read-stdin")) {
        qint64 total = 0;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;)
            total += qint64(n);
        Write(stdout, "stdin " + QByteArray::number(total) + " bytes\n");
    } else if (command == QLatin1String("progress")) {
        const double total = words.value(0).toDouble();
        const int steps = qMax(1, words.value(1).toInt());
        const int ms = words.value(2).toInt();
        for (int i = 1; i <= steps; ++i) {
            Write(stdout, QStringLiteral("frame=%1 fps=0 size=0kB time=%2 bitrate=0.0kbits/s speed=1x\r")
                              .arg(i)
                              .arg(TimeText(total * i / steps))
                              .toUtf8());
            QThread::msleep(ulong(ms));
        }
    } else if (command == QLatin1String("touch-output")) {
        QFile out(gArgs.value(gArgs.size() - 1));
        if (out.open(QIODevice::WriteOnly))
            out.write(QByteArray(words.isEmpty() ? 1024 : words.value(0).toInt(), 'x'));
    } else if (command == QLatin1String("sleep")) {
        QThread::msleep(ulong(words.value(0).toInt()));
    } else if (command == QLatin1String("ignore-term")) {
        std::signal(SIGTERM, SIG_IGN);
    } else if (command == QLatin1String("hang")) {
        for (;;)
            QThread::sleep(1);
    } else if (command == QLatin1String("crash")) {
        std::abort();
    } else if (command == QLatin1String("exit")) {
        *exitCode = words.value(0).toInt();
        return true;
    } else if (command == QLatin1String("ifarg")) {
        const QString needle = words.value(0);
        const QString inner = rest.section(QLatin1Char(' '), 1).trimmed();
        const bool hit =
            std::any_of(gArgs.cbegin(), gArgs.cend(), [&](const QString& a) { return a.contains(needle); });
        if (hit && !inner.isEmpty())
            return Run(inner.section(QLatin1Char(' '), 0, 0), inner.section(QLatin1Char(' '), 1), exitCode);
    } else {
        Write(stderr, "fake_encoder: unknown command " + command.toUtf8() + '\n');
        *exitCode = 99;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        gArgs.append(QString::fromLocal8Bit(argv[i]));
    LogInvocation();

    const QByteArray scriptPath = qgetenv("RW_FAKE_SCRIPT");
    if (scriptPath.isEmpty())
        return 0;
    QFile script(QString::fromLocal8Bit(scriptPath));
    if (!script.open(QIODevice::ReadOnly)) {
        Write(stderr, "fake_encoder: cannot read " + scriptPath + '\n');
        return 98;
    }
    const QStringList lines = QString::fromUtf8(script.readAll()).split(QLatin1Char('\n'));
    for (QString text : lines) {
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        while (text.startsWith(QLatin1Char(' ')) || text.startsWith(QLatin1Char('\t')))
            text.remove(0, 1);
        if (text.trimmed().isEmpty() || text.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const QString command = text.section(QLatin1Char(' '), 0, 0);
        const QString rest = text.section(QLatin1Char(' '), 1);
        int exitCode = 0;
        if (Run(command, rest, &exitCode))
            return exitCode;
    }
    return 0;
}

// A program that dies abruptly while its encoder runs, for the test that no encoder outlives the
// program: it starts the encoder given as its argument through EncoderProcess, passes the encoder's
// records to its own standard output, and kills itself once the encoder has printed "pid ...".
#include "app/encoderprocess.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    EncoderProcess encoder(QString::fromLocal8Bit(argv[1]));
    QObject::connect(&encoder, &EncoderProcess::record, [](const QString& text) {
        std::printf("%s\n", qPrintable(text));
        std::fflush(stdout);
        if (text.startsWith(QLatin1String("pid ")))
            std::raise(SIGKILL); // no destructor, no clean-up: as a crash would end the program
    });
    QObject::connect(&encoder, &EncoderProcess::finished, &app, [&app] { app.exit(1); });
    encoder.start({});
    return app.exec();
}

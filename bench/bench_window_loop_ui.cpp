// The same measure as bench_event_loop, through the whole main window: the real window (offscreen)
// converts real clips with Start while a 1 ms timer measures how long its event loop is ever kept
// from running, and how long any one event of ours takes. Goal: < 30 ms.
//
//   bench_window_loop_ui [clips]     (default 6 clips of 4 seconds)

#include "app/ui/mainform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

class TimedApp : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        const auto start = std::chrono::steady_clock::now();
        const bool result = QApplication::notify(receiver, event);
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start);
        if (measuring)
            longestNs = std::max<qint64>(longestNs, ns.count());
        return result;
    }
    bool measuring = false;
    qint64 longestNs = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApp app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 6;

    TestProgramDir program;
    const QString videos = program.path() + QStringLiteral("videos");
    const QString output = program.path() + QStringLiteral("out/");
    QDir().mkpath(videos);
    QDir().mkpath(output);
    QStringList clips;
    for (int i = 0; i < count; ++i) {
        const QString clip = MakeClip(videos, QStringLiteral("clip%1.mp4").arg(i), 4);
        if (clip.isEmpty()) {
            std::fprintf(stderr, "could not make the clips\n");
            return 1;
        }
        clips << clip;
    }

    FakeDesktop desktop;
    TMainForm form(program.path(), clips, &desktop);
    form.CreateDialogs();
    form.show();
    form.cmbProfile->setCurrentIndex(form.cmbProfile->findText(QStringLiteral("MP4 - H.264 AAC")));
    form.cmbProfileChange();
    form.edtOutputdir->setText(output);

    std::vector<double> gaps;
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back((now - last) / 1e6);
        last = now;
    });
    QObject::connect(&form, &TMainForm::runEnded, &app, [&] {
        tick.stop();
        app.measuring = false;
        app.quit();
    });
    QTimer::singleShot(0, &form, [&] {
        clock.start();
        tick.start();
        app.measuring = true;
        form.tbtnStartClick();
    });
    app.exec();

    if (gaps.empty()) {
        std::fprintf(stderr, "no ticks were measured\n");
        return 1;
    }
    std::sort(gaps.begin(), gaps.end());
    const auto at = [&](double q) { return gaps[std::min(gaps.size() - 1, size_t(q * gaps.size()))]; };
    std::printf("%zu ticks in %.0f ms; gap median %.2f ms, p99 %.2f ms, longest %.2f ms (goal < 30 ms)\n",
                gaps.size(), clock.nsecsElapsed() / 1e6, at(0.5), at(0.99), gaps.back());
    std::printf("longest single event delivery (our own work): %.2f ms\n", app.longestNs / 1e6);
    std::printf("messages: %d\n", int(desktop.messages.size()));
    return 0;
}

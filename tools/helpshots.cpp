// Makes the pictures of the manual from the program itself: builds the real windows offscreen in a
// throw-away program folder with a few generated clips, and saves what they show as PNG files.
// Usage: helpshots <output folder>   (the repository keeps them in data/help/)

#include "app/ui/mainform.h"
#include "dialogs/ui/aboutform.h"
#include "profiles/ui/sizeform.h"
#include "settings/ui/settingform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

namespace {
bool save(QWidget* w, const QString& dir, const QString& name) {
    const bool ok = w->grab().save(dir + QLatin1Char('/') + name);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(name));
    return ok;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font = QApplication::font();
    font.setPointSize(8); // as the program itself runs
    QApplication::setFont(font);
    if (argc < 2) {
        std::fprintf(stderr, "usage: helpshots <output folder>\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);

    TestProgramDir program;
    const QString videos = program.path() + QStringLiteral("videos");
    QDir().mkpath(videos);
    QStringList clips;
    // The first clip is long and large enough for the batch to be caught half-way.
    clips << MakeClip(videos, QStringLiteral("holiday.mp4"), 60,
                      {QStringLiteral("-s"), QStringLiteral("1280x720")})
          << MakeClip(videos, QStringLiteral("birthday.avi"), 8)
          << MakeClip(videos, QStringLiteral("garden.mov"), 10,
                      {QStringLiteral("-s"), QStringLiteral("320x240")});
    const QString outputDir = program.path() + QStringLiteral("converted/");
    QDir().mkpath(outputDir);

    FakeDesktop desktop;
    TMainForm form(program.path(), clips, &desktop);
    form.CreateDialogs();
    form.show();
    form.edtOutputdir->setText(outputDir);
    form.cmbProfile->setCurrentIndex(form.cmbProfile->findText(QStringLiteral("MP4 - H.264 AAC")));
    form.cmbProfileChange();
    form.ltvTask->selectionModel()->setCurrentIndex(
        form.taskModel()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    form.ltvTaskClick();

    int failures = 0;
    QTimer::singleShot(300, &form, [&] {
        failures += !save(&form, out, QStringLiteral("main-window.png"));

        form.SizeForm->show();
        failures += !save(form.SizeForm, out, QStringLiteral("custom-size.png"));
        form.SizeForm->hide();

        form.tbtnSettingClick();
        failures += !save(form.SettingForm, out, QStringLiteral("settings-general.png"));
        form.SettingForm->close();
        form.bbtnSettingClick();
        failures += !save(form.SettingForm, out, QStringLiteral("settings-profiles.png"));
        form.SettingForm->close();

        form.tbtnStartClick();
        // Let the batch run for a few seconds so the bars and times have moved.
        QTimer::singleShot(2500, &form, [&] {
            failures += !save(&form, out, QStringLiteral("running.png"));
            form.tbtnStopClick();
            QTimer::singleShot(1500, &app, [&] { app.exit(failures); });
        });
    });
    return app.exec();
}

// Program entry: the main window first (its start-up runs in the constructor), then the dialogs.
#include "app/ui/desktop.h"
#include "app/ui/mainform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The windows' fixed sizes are laid out for an 8-point font.
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    const QString appDir = QCoreApplication::applicationDirPath();
    QtDesktop desktop;
    TMainForm form(appDir, QCoreApplication::arguments().mid(1), &desktop);
    form.CreateDialogs();
    form.show();
    return app.exec();
}

// The real desktop: Qt's message boxes and file dialogs, the desktop's "open", and the login manager.
#include "app/ui/desktop.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>

namespace {

QMessageBox::Icon boxIcon(Desktop::Icon icon) {
    switch (icon) {
    case Desktop::Icon::None:
        return QMessageBox::NoIcon;
    case Desktop::Icon::Information:
        return QMessageBox::Information;
    case Desktop::Icon::Warning:
        return QMessageBox::Warning;
    case Desktop::Icon::Question:
        return QMessageBox::Question;
    case Desktop::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QStringList QtDesktop::toNameFilters(const QString& filter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        description.remove(trailingPatterns);
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            // "*.*" means every file there; on this platform a name need not hold a dot.
            const QString p = pattern.trimmed();
            patterns.append(p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
        }
        if (patterns.isEmpty())
            continue;
        filters.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

void QtDesktop::message(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtDesktop::askYesNo(QWidget* owner, const QString& text, const QString& caption) {
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QStringList QtDesktop::openFiles(QWidget* owner, const QString& filter) {
    const QStringList filters = toNameFilters(filter);
    QString selected = filters.value(0);
    return QFileDialog::getOpenFileNames(owner, QString(), QString(), filters.join(QStringLiteral(";;")),
                                         &selected);
}

std::optional<QString> QtDesktop::selectFolder(QWidget* owner, const QString& title) {
    const QString folder = QFileDialog::getExistingDirectory(owner, title);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QString> QtDesktop::saveFile(QWidget* owner, const QString& filter,
                                           const QString& defaultSuffix) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(toNameFilters(filter));
    QString suffix = defaultSuffix;
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void QtDesktop::shellOpen(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtDesktop::powerOff() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false; // not interactive: no authentication prompt
    QDBusConnection::systemBus().call(call, QDBus::NoBlock);
}

// Start-up of the main window, the command line, dropped files, the resize rules and the buttons that
// only open something (Help, About, Browse, Open).
#include "app/ui/mainform.h"

#include "app/tasktext.h"
#include "app/ui/desktop.h"
#include "dialogs/ui/aboutform.h"
#include "profiles/newinifile.h"
#include "profiles/profile.h"
#include "profiles/ui/sizeform.h"
#include "profiles/ui/valuelisteditor.h"
#include "settings/preferences.h"
#include "settings/ui/settingform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

namespace {

constexpr int kColumnWidths[TaskListModel::kColumns] = {260, 90, 80, 100};
constexpr double kColumnShares[TaskListModel::kColumns] = {0.49, 0.17, 0.15, 0.19};

// The lines of a list file, empty lines left out; nothing when it cannot be read.
QStringList readListFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList entries;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.isEmpty())
            entries.append(line);
    }
    return entries;
}

} // namespace

TMainForm::TMainForm(const QString& appDir, const QStringList& args, Desktop* desktop, QWidget* parent)
    : QMainWindow(parent), desktop_(desktop), taskModel_(new TaskListModel(this)) {
    setObjectName(QStringLiteral("TMainForm"));
    buildLayout();
    connectHandlers();
    AppDir = appDir; // FormCreate turns it into the program-wide value
    FormCreate(args);
}

TMainForm::~TMainForm() {
    // The dialogs refer back to this window; they go while it is still whole.
    delete SizeForm;
    delete SettingForm;
    delete AboutForm;
}

void TMainForm::CreateDialogs() {
    AboutForm = new TAboutForm(this, ProductName, VersionText);
    SettingForm = new TSettingForm(this, desktop_);
    SizeForm = new TSizeForm(this, vleVideo->model(), desktop_);
}

void TMainForm::FormCreate(const QStringList& args) {
    AppDir = EnsureBackslash(AppDir);
    edtOutputdir->setText(AppDir);
    EncoderPath = AppDir + QStringLiteral("wmaspi.dll");
    ltvTask->header()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: rgb(243, 243, 243); border: none;"
        " border-right: 1px solid rgb(214, 214, 214); border-bottom: 1px solid rgb(214, 214, 214);"
        " padding: 2px 4px; }"));

    ProductName = QStringLiteral("Reelwright");
    {
        TNewInifile ini(PreferencesFilePath(AppDir));
        VersionText =
            ini.ReadString(QStringLiteral("Main"), QStringLiteral("Version"), QStringLiteral("2.5"));
        if (!ini.Close())
            desktop_->message(this, ini.error(), ProductName, Desktop::Icon::Warning);
    }
    HelpFilePath = AppDir + QStringLiteral("Reelhelp.html");
    QCoreApplication::setApplicationName(ProductName);
    setWindowTitle(ProductName + QStringLiteral(" V") + VersionText);

    InputExts = ::InputExts();
    InputMask = ::InputMask();
    OpenDialogFilterText = OpenDialogFilter();

    for (const QString& name : ListFilesByExt(ProfileDir(AppDir), QStringLiteral(".cvp")))
        cmbProfile->addItem(FileBaseName(name));
    cmbProfile->setCurrentIndex(-1);

    QStringList entries = args;
    if (!args.isEmpty() && IsSupported(args.first(), {QStringLiteral(".tmp")}))
        entries = readListFile(args.first());
    for (const QString& entry : entries) {
        const QFileInfo info(entry);
        if (info.isFile()) {
            if (IsSupported(entry, InputExts))
                AddTaskFile(entry);
        } else if (info.isDir()) {
            AddTaskFolder(entry);
        }
    }
    if (taskModel_->rowCount() > 0)
        EnableListButtons();

    setAcceptDrops(true);
    panBottomCenter->resize(607, panBottomCenter->height());
    panBottomLeft->resize(607, panBottomLeft->height());
    panBottomLeft->hide();
    for (int i = 0; i < TaskListModel::kColumns; ++i)
        ltvTask->setColumnWidth(i, kColumnWidths[i]);

    // Centred on the screen the window opens on.
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TMainForm::DropFiles(const QStringList& names) {
    // During a run the list is disabled and a drop adds nothing.
    if (!ltvTask->isEnabled())
        return;
    for (const QString& name : names) {
        if (QFileInfo(name).isDir())
            AddTaskFolder(name);
        else if (IsSupported(name, InputExts))
            AddTaskFile(name);
    }
    if (taskModel_->rowCount() > 0)
        EnableListButtons();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasUrls())
        return;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    QStringList names;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            names.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    DropFiles(names);
}

void TMainForm::FormResize() {
    const int width = panMain->width();
    panBottomCenter->resize(width, panBottomCenter->height());
    panBottomLeft->resize(width, panBottomLeft->height());
    bbtnSetting->move(panBottomCenter->width() - 90, bbtnSetting->y());
    cmbProfile->resize(bbtnSetting->x() - 83, cmbProfile->height());
    bbtnOpen->move(panBottomCenter->width() - 90, bbtnOpen->y());
    bbtnBrowser->move(bbtnOpen->x() - 85, bbtnBrowser->y());
    edtOutputdir->resize(bbtnBrowser->x() - 83, edtOutputdir->height());
    labCurProgress->move(panBottomLeft->width() - 27, labCurProgress->y());
    pgbCurrent->resize(labCurProgress->x() - 123, pgbCurrent->height());
    labTotalProgress->move(panBottomLeft->width() - 27, labTotalProgress->y());
    pgbTotal->resize(labTotalProgress->x() - 123, pgbTotal->height());
}

void TMainForm::ltvTaskResize(int newWidth) {
    const int d = newWidth - ListWidth;
    ListWidth = newWidth;
    if (d == 0)
        return;
    for (int i = 0; i < TaskListModel::kColumns; ++i) {
        const qint64 width = ltvTask->columnWidth(i) + RoundHalfEven(d * kColumnShares[i]);
        ltvTask->setColumnWidth(i, int(qMax<qint64>(0, width)));
    }
}

void TMainForm::tbtnHelpClick() {
    desktop_->shellOpen(HelpFilePath);
}

void TMainForm::tbtnAboutClick() {
    if (!AboutForm)
        AboutForm = new TAboutForm(this, ProductName, VersionText);
    AboutForm->show();
}

void TMainForm::bbtnBrowserClick() {
    const std::optional<QString> folder = SelectFolder(this, QStringLiteral("Select the output directory."));
    if (folder && !folder->isEmpty())
        edtOutputdir->setText(EnsureBackslash(*folder));
}

void TMainForm::bbtnOpenClick() {
    const QString folder = edtOutputdir->text();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        desktop_->shellOpen(folder);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        LoadPreferences();
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (RunState != rsIdle && !confirmCloseDuringRun()) {
        event->ignore();
        return;
    }
    SavePreferences();
    event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == ltvTask) {
        if (type == QEvent::Resize)
            ltvTaskResize(static_cast<QResizeEvent*>(event)->size().width());
        else if (type == QEvent::KeyPress && ltvTaskKeyDown(static_cast<QKeyEvent*>(event)->key()))
            return true;
    } else if (watched == ltvTask->viewport()) {
        if (type == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && !ltvTask->indexAt(mouse->position().toPoint()).isValid())
                ltvTaskClick();
        }
    } else if (watched == panMain) {
        if (type == QEvent::Resize)
            FormResize();
    } else if (watched == panSplitter) {
        if (type == QEvent::MouseButtonPress)
            return true; // keeps the mouse on the bar while it is dragged
        if (type == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const int x = mouse->position().toPoint().x();
            if (mouse->buttons() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier && x != 0) {
                // Never wider than leaves the task side its smallest width, so the window does not grow.
                const int room =
                    centralWidget()->width() - panSplitter->width() - panMain->minimumSizeHint().width();
                panProfile->setFixedWidth(qBound(0, panProfile->width() + 5 - x, qMax(0, room)));
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

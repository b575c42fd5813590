// The main window's task list: adding and probing sources, editing the list, and the per-task
// output grid with its "Tip:" balloon.
#include "app/ui/mainform.h"

#include "app/outputvalidation.h"
#include "app/probe.h"
#include "app/taskediting.h"
#include "app/tasktext.h"
#include "app/ui/desktop.h"
#include "profiles/ui/valuelisteditor.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

namespace {

const QString kKeyNewFilename = QStringLiteral("New Filename");
const QString kKeyStartTime = QStringLiteral("Start Time");
const QString kKeyEndTime = QStringLiteral("End Time");

// The balloon of the output grid: information icon, bold title and text in a small frameless window
// near the widget it points at. One instance is reused for every tip; it hides itself after a while
// or at the next mouse press anywhere in the program.
class TipBalloon : public QFrame {
public:
    static constexpr int kShowMs = 5000;

    explicit TipBalloon(QWidget* owner)
        : QFrame(owner, Qt::ToolTip | Qt::FramelessWindowHint), icon_(new QLabel(this)),
          title_(new QLabel(this)), text_(new QLabel(this)) {
        setObjectName(QStringLiteral("tipWindow"));
        setAccessibleName(QStringLiteral("Tip"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFrameShape(QFrame::Box);
        setBackgroundRole(QPalette::ToolTipBase);
        setForegroundRole(QPalette::ToolTipText);
        setAutoFillBackground(true);

        const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
        icon_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize));
        QFont bold = title_->font();
        bold.setBold(true);
        title_->setFont(bold);
        title_->setObjectName(QStringLiteral("tipTitle"));
        text_->setObjectName(QStringLiteral("tipText"));

        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(8, 6, 8, 6);
        grid->setHorizontalSpacing(6);
        grid->addWidget(icon_, 0, 0);
        grid->addWidget(title_, 0, 1);
        grid->addWidget(text_, 1, 1);

        hideTimer_.setSingleShot(true);
        QObject::connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
    }

    void showAt(QWidget* anchor, const QString& title, const QString& text) {
        title_->setText(title);
        text_->setText(text);
        adjustSize();

        // Beside the pointer when it rests on the widget, else below the widget's middle.
        const QPoint cursor = QCursor::pos();
        QPoint at = anchor->rect().contains(anchor->mapFromGlobal(cursor))
                        ? cursor + QPoint(8, 16)
                        : anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height()));
        if (const QScreen* screen = anchor->screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
            at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
        }
        move(at);
        show();
        hideTimer_.start(kShowMs);
        // Watch for the next press only after the press that asked for the tip has been delivered.
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                qApp->installEventFilter(this);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            hide();
        return QFrame::eventFilter(watched, event);
    }
    void hideEvent(QHideEvent* event) override {
        qApp->removeEventFilter(this);
        hideTimer_.stop();
        QFrame::hideEvent(event);
    }

private:
    QLabel* icon_;
    QLabel* title_;
    QLabel* text_;
    QTimer hideTimer_;
};

// Selects exactly the flagged rows of the view and puts its current-row mark on currentRow
// (clamped to the list), without moving the mark along with the rows.
void ApplySelection(QTreeView* view, const QVector<bool>& selected, int currentRow) {
    QItemSelectionModel* sel = view->selectionModel();
    QAbstractItemModel* model = view->model();
    const int rows = model->rowCount();
    const int lastColumn = model->columnCount() - 1;
    QItemSelection selection;
    for (int r = 0; r < rows && r < selected.size(); ++r) {
        if (selected[r])
            selection.select(model->index(r, 0), model->index(r, lastColumn));
    }
    if (rows > 0 && currentRow >= 0)
        sel->setCurrentIndex(model->index(std::min(currentRow, rows - 1), 0), QItemSelectionModel::NoUpdate);
    sel->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int CurrentRow(const QTreeView* view) {
    const QModelIndex current = view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

} // namespace

// ---- rows ----

void TMainForm::GetTaskData(int index, int selector, ltvItemData& rec) const {
    ::GetTaskData(*taskModel_, index, selector, rec);
}

void TMainForm::SetTaskData(int index, int selector, const ltvItemData& rec) {
    ::SetTaskData(*taskModel_, index, selector, rec);
}

void TMainForm::SetGridValue(int grid, const QString& key, const QString& value) {
    ValueListEditor* const grids[] = {vleOutput, vleVideo, vleAudio, vleAdvanced};
    if (grid < 0 || grid >= int(std::size(grids)) || !grids[grid])
        return;
    ::SetGridValue(*grids[grid]->model(), key, value);
}

QVector<int> TMainForm::selectedRows() const {
    QVector<int> rows;
    const QItemSelectionModel* sel = ltvTask->selectionModel();
    for (int r = 0; r < taskModel_->rowCount(); ++r) {
        if (sel->isRowSelected(r, QModelIndex()))
            rows.append(r);
    }
    return rows;
}

void TMainForm::EnableListButtons() {
    for (QToolButton* b : {tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart})
        b->setEnabled(true);
}

void TMainForm::DisableListButtons() {
    for (QToolButton* b : {tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart})
        b->setEnabled(false);
}

// ---- adding and probing ----

void TMainForm::AddTaskFile(const QString& path) {
    if (taskModel_->findCaption(path) >= 0)
        return;
    const int row = taskModel_->appendTask(path);
    ProbeFile(path);

    ltvItemData rec;
    rec.InputFile = path;
    rec.LengthText = ProbeLengthText;
    rec.SizeText = ProbeSizeText;
    rec.StatusText = kStatusOK;
    rec.NewFileName = FileBaseName(FileNamePart(path));
    rec.OutputExt = ProfileExt;
    rec.StartTimeText = ProbeStartText;
    rec.EndTimeText = ProbeEndText;
    rec.ClipLengthText = ProbeLengthText;
    rec.ClipStartText = ProbeStartText;
    rec.ClipEndText = ProbeEndText;
    SetTaskData(row, selAll, rec);
}

void TMainForm::AddTaskFolder(const QString& directory) {
    QStringList patterns = InputMask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    // Hidden and system entries are left out by not asking for them; name filters ignore case.
    QStringList names = QDir(directory).entryList(patterns, QDir::Files, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    const QString folder = EnsureBackslash(directory);
    for (const QString& name : names)
        AddTaskFile(folder + name);
}

void TMainForm::ProbeFile(const QString& path) {
    // A file whose probe fails must not inherit the previous file's length and size.
    ProbeLengthText.clear();
    ProbeSizeText.clear();
    ProbeStartText.clear();
    ProbeEndText.clear();
    const ProbeResult result = ::ProbeFile(EncoderPath, path);
    ProbeLengthText = result.LengthText;
    ProbeSizeText = result.SizeText;
    ProbeStartText = QStringLiteral("00:00:00.0");
    ProbeEndText = ProbeLengthText;
}

std::optional<QString> TMainForm::SelectFolder(QWidget* owner, const QString& title) {
    return desktop()->selectFolder(owner, title);
}

void TMainForm::tbtnAddFileClick() {
    const QStringList files = desktop()->openFiles(this, OpenDialogFilterText);
    if (!files.isEmpty()) {
        for (qsizetype i = 1; i < files.size(); ++i)
            AddTaskFile(files[i]);
        AddTaskFile(files.first());
    }
    if (taskModel_->rowCount() == 1) {
        ApplySelection(ltvTask, {true}, 0);
        ltvTaskClick();
    }
    ltvTask->setFocus();
    if (taskModel_->rowCount() > 0)
        EnableListButtons();
}

void TMainForm::tbtnAddDirClick() {
    if (const std::optional<QString> folder =
            SelectFolder(this, QStringLiteral("Add a directory to the Task List")))
        AddTaskFolder(*folder);
    ltvTask->setFocus();
    if (taskModel_->rowCount() > 0)
        EnableListButtons();
}

// ---- list editing ----

namespace {

QVector<bool> SelectionFlags(const TaskListModel& model, const QVector<int>& rows) {
    QVector<bool> flags(model.rowCount(), false);
    for (int r : rows)
        flags[r] = true;
    return flags;
}

} // namespace

void TMainForm::tbtnRemoveClick() {
    const int current = CurrentRow(ltvTask);
    QVector<bool> selected = SelectionFlags(*taskModel_, selectedRows());
    RemoveSelected(*taskModel_, selected);
    ApplySelection(ltvTask, selected, current);
    SetGridValue(0, QStringLiteral("New FileName"), QString());
    SetGridValue(0, kKeyStartTime, QString());
    SetGridValue(0, kKeyEndTime, QString());
    gridTask_.clear();
    if (taskModel_->rowCount() == 0)
        DisableListButtons();
}

void TMainForm::tbtnClearClick() {
    taskModel_->clearTasks();
    SetGridValue(0, QStringLiteral("New FileName"), QString());
    SetGridValue(0, kKeyStartTime, QString());
    SetGridValue(0, kKeyEndTime, QString());
    gridTask_.clear();
    DisableListButtons();
}

void TMainForm::tbtnUpClick() {
    const int current = CurrentRow(ltvTask);
    QVector<bool> selected = SelectionFlags(*taskModel_, selectedRows());
    MoveUp(*taskModel_, selected);
    ApplySelection(ltvTask, selected, current);
}

void TMainForm::tbtnDownClick() {
    const int current = CurrentRow(ltvTask);
    QVector<bool> selected = SelectionFlags(*taskModel_, selectedRows());
    MoveDown(*taskModel_, selected);
    ApplySelection(ltvTask, selected, current);
}

void TMainForm::ltvTaskClick() {
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty()) {
        SetGridValue(0, QStringLiteral("New FileName"), QString());
        SetGridValue(0, kKeyStartTime, QString());
        SetGridValue(0, kKeyEndTime, QString());
        gridTask_.clear();
        return;
    }
    ltvItemData rec;
    GetTaskData(rows.first(), selAll, rec);
    gridTask_ = rec.InputFile;
    const OutputGridValues values = OutputGridFor(rec, ProfileExt);
    SetGridValue(0, QStringLiteral("New FileName"), values.NewFilename);
    SetGridValue(0, kKeyStartTime, values.StartTime);
    SetGridValue(0, kKeyEndTime, values.EndTime);
    // A task is shown again, so the grid may be edited (a press on the empty grid switched it off).
    vleOutput->setEditingEnabled(true);
}

void TMainForm::ltvTaskDblClick() {
    if (!selectedRows().isEmpty())
        PreviewSelectedTask();
}

void TMainForm::ppmTaskPopup() {
    const bool anySelected = !selectedRows().isEmpty();
    Open1->setEnabled(anySelected);
    AddFiles1->setEnabled(true);
    AddDirectorys1->setEnabled(true);
    Remove1->setEnabled(anySelected);
    Clear1->setEnabled(taskModel_->rowCount() > 0);
}

bool TMainForm::ltvTaskKeyDown(int key) {
    if (key == Qt::Key_Backspace) {
        tbtnClearClick();
        return true;
    }
    if (key == Qt::Key_Delete) {
        tbtnRemoveClick();
        return true;
    }
    return false;
}

// ---- the output grid ----

void TMainForm::vleOutputValidate() {
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    ltvItemData rec;
    GetTaskData(row, selAll, rec);
    const ValueListModel* grid = vleOutput->model();
    const OutputEdit edit = ValidateOutput(rec, grid->valueOf(kKeyNewFilename), grid->valueOf(kKeyStartTime),
                                           grid->valueOf(kKeyEndTime));
    // The grid keeps what was typed; the row gets the checked texts.
    StoreOutputEdit(*taskModel_, row, edit);
}

void TMainForm::vleOutputMouseDown() {
    if (!vleOutput->model()->valueOf(kKeyNewFilename).isEmpty()) {
        repaintGrids();
        return;
    }
    // The tip points at the window under the pointer; the press came from the grid, so anything
    // else there (or nothing, as without a real pointer) means the grid itself.
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    if (!under || (under != vleOutput && !vleOutput->isAncestorOf(under)))
        under = vleOutput;
    ShowTip(under, QStringLiteral("Tip:"), QStringLiteral("Please select a file in Task List."));
    vleOutput->setEditingEnabled(false);
}

void TMainForm::vleOutputClick() {
    repaintGrids();
}

void TMainForm::ShowTip(QWidget* window, const QString& title, const QString& text) {
    if (!window)
        return;
    if (!tipWindow_)
        tipWindow_ = new TipBalloon(this);
    static_cast<TipBalloon*>(tipWindow_)->showAt(window, title, text);
}

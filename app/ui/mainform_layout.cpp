// The main window's controls, their fixed sizes and places, and the wiring of every control to its
// handler. Handlers live in the other mainform_*.cpp files; this file only builds and connects.
#include "app/ui/mainform.h"

#include "app/ui/toolicons.h"
#include "profiles/ui/gridsection.h"
#include "profiles/ui/valuelisteditor.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace {

template <typename W> W* named(W* widget, const QString& objectName, const QString& accessibleName) {
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QLabel* caption(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry) {
    auto* label = named(new QLabel(text, parent), objectName, text);
    label->setGeometry(geometry);
    return label;
}

QToolButton* toolButton(QToolBar* bar, const QString& objectName, const QString& hint, ToolPicture picture) {
    auto* button = named(new QToolButton(bar), objectName, hint);
    button->setToolTip(hint);
    button->setIcon(ToolIcon(picture, 48));
    button->setIconSize(QSize(48, 48));
    button->setFixedSize(56, 54);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

QToolButton* speedButton(QWidget* parent, const QString& objectName, const QString& hint,
                         ToolPicture picture) {
    auto* button = named(new QToolButton(parent), objectName, hint);
    button->setToolTip(hint);
    button->setIcon(ToolIcon(picture, 16));
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(39, 22);
    button->setAutoRaise(true);
    return button;
}

QAction* menuItem(QMenu* menu, const QString& objectName, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    return action;
}

} // namespace

void TMainForm::buildLayout() {
    resize(798, 539);

    Toolbar1 = named(new QToolBar(this), QStringLiteral("Toolbar1"), QStringLiteral("Tool Bar"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setContentsMargins(5, 5, 5, 5);
    Toolbar1->setIconSize(QSize(48, 48));
    Toolbar1->toggleViewAction()->setEnabled(false);
    Toolbar1->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, Toolbar1);
    // Set last: changing the icon size resets the bar's minimum size, and it would shrink to its hint.
    Toolbar1->setFixedHeight(75);
    tbtnAddFile = toolButton(Toolbar1, QStringLiteral("tbtnAddFile"), QStringLiteral("Add Video Files"),
                             ToolPicture::AddFile);
    tbtnAddDir = toolButton(Toolbar1, QStringLiteral("tbtnAddDir"), QStringLiteral("Add Directory"),
                            ToolPicture::AddDir);
    Toolbar1->addSeparator();
    tbtnUp = toolButton(Toolbar1, QStringLiteral("tbtnUp"), QStringLiteral("Move Up"), ToolPicture::Up);
    tbtnDown =
        toolButton(Toolbar1, QStringLiteral("tbtnDown"), QStringLiteral("Move Down"), ToolPicture::Down);
    Toolbar1->addSeparator();
    tbtnRemove =
        toolButton(Toolbar1, QStringLiteral("tbtnRemove"), QStringLiteral("Remove"), ToolPicture::Remove);
    tbtnClear =
        toolButton(Toolbar1, QStringLiteral("tbtnClear"), QStringLiteral("Clear"), ToolPicture::Clear);
    Toolbar1->addSeparator();
    tbtnStart =
        toolButton(Toolbar1, QStringLiteral("tbtnStart"), QStringLiteral("Start"), ToolPicture::Start);
    tbtnStop = toolButton(Toolbar1, QStringLiteral("tbtnStop"), QStringLiteral("Stop"), ToolPicture::Stop);
    Toolbar1->addSeparator();
    tbtnSetting =
        toolButton(Toolbar1, QStringLiteral("tbtnSetting"), QStringLiteral("Settings"), ToolPicture::Setting);
    Toolbar1->addSeparator();
    tbtnAbout =
        toolButton(Toolbar1, QStringLiteral("tbtnAbout"), QStringLiteral("About"), ToolPicture::About);
    tbtnHelp = toolButton(Toolbar1, QStringLiteral("tbtnHelp"), QStringLiteral("Help"), ToolPicture::Help);
    for (QToolButton* b : {tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart, tbtnStop})
        b->setEnabled(false);

    auto* central = named(new QWidget(this), QStringLiteral("centralWidget"), QStringLiteral("Main Window"));
    setCentralWidget(central);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    // panMain: the task list with a blank strip at its left, the bottom strips under both.
    panMain = named(new QWidget(central), QStringLiteral("panMain"), QStringLiteral("Task Panel"));
    auto* mainColumn = new QVBoxLayout(panMain);
    mainColumn->setContentsMargins(0, 0, 0, 0);
    mainColumn->setSpacing(0);
    auto* listRow = new QHBoxLayout;
    listRow->setContentsMargins(0, 0, 0, 0);
    listRow->setSpacing(0);
    panLeft = named(new QWidget(panMain), QStringLiteral("panLeft"), QStringLiteral("Left Margin"));
    panLeft->setFixedWidth(10);
    listRow->addWidget(panLeft);

    ltvTask = named(new QTreeView(panMain), QStringLiteral("ltvTask"), QStringLiteral("Task List"));
    ltvTask->setModel(taskModel_);
    ltvTask->setRootIsDecorated(false);
    ltvTask->setItemsExpandable(false);
    ltvTask->setUniformRowHeights(true);
    ltvTask->setAllColumnsShowFocus(true);
    ltvTask->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ltvTask->setSelectionBehavior(QAbstractItemView::SelectRows);
    ltvTask->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ltvTask->setSortingEnabled(false);
    ltvTask->setContextMenuPolicy(Qt::CustomContextMenu);
    ltvTask->header()->setSectionsClickable(false);
    ltvTask->header()->setSectionsMovable(false);
    ltvTask->header()->setStretchLastSection(false);
    ltvTask->header()->setSortIndicatorShown(false);
    listRow->addWidget(ltvTask, 1);
    mainColumn->addLayout(listRow, 1);

    panBottom = named(new QWidget(panMain), QStringLiteral("panBottom"), QStringLiteral("Bottom Panel"));
    panBottom->setFixedHeight(77);
    auto* bottomLayout = new QHBoxLayout(panBottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    panBottomRight =
        named(new QWidget(panBottom), QStringLiteral("panBottomRight"), QStringLiteral("Bottom Strips"));
    bottomLayout->addWidget(panBottomRight);
    mainColumn->addWidget(panBottom);

    // Both strips have fixed places; FormResize moves their right-hand controls with the width.
    panBottomCenter =
        named(new QWidget(panBottomRight), QStringLiteral("panBottomCenter"), QStringLiteral("Settings"));
    panBottomCenter->setGeometry(0, 0, 607, 77);
    caption(panBottomCenter, QStringLiteral("labProfile"), QStringLiteral("Profile:"), QRect(5, 15, 69, 16));
    cmbProfile =
        named(new QComboBox(panBottomCenter), QStringLiteral("cmbProfile"), QStringLiteral("Profile"));
    cmbProfile->setGeometry(75, 12, 434, 22);
    bbtnSetting = named(new QPushButton(QStringLiteral("&Setting"), panBottomCenter),
                        QStringLiteral("bbtnSetting"), QStringLiteral("Setting"));
    bbtnSetting->setGeometry(517, 11, 80, 25);
    caption(panBottomCenter, QStringLiteral("labOutputPath"), QStringLiteral("Output Path:"),
            QRect(5, 47, 69, 16));
    edtOutputdir =
        named(new QLineEdit(panBottomCenter), QStringLiteral("edtOutputdir"), QStringLiteral("Output Path"));
    edtOutputdir->setGeometry(75, 44, 349, 22);
    bbtnBrowser = named(new QPushButton(QStringLiteral("&Browse"), panBottomCenter),
                        QStringLiteral("bbtnBrowser"), QStringLiteral("Browse"));
    bbtnBrowser->setGeometry(432, 43, 80, 25);
    bbtnOpen = named(new QPushButton(QStringLiteral("&Open"), panBottomCenter), QStringLiteral("bbtnOpen"),
                     QStringLiteral("Open"));
    bbtnOpen->setGeometry(517, 43, 80, 25);

    panBottomLeft =
        named(new QWidget(panBottomRight), QStringLiteral("panBottomLeft"), QStringLiteral("Progress"));
    panBottomLeft->setGeometry(0, 0, 607, 77);
    // The top line: each caption as wide as its text, each value right after it.
    const QFontMetrics metrics(panBottomLeft->font());
    int x = 8;
    const auto place = [&](QLabel* label, int width) {
        label->setGeometry(x, 6, width, 16);
        x += width;
    };
    const auto captionAt = [&](const QString& objectName, const QString& text) {
        place(caption(panBottomLeft, objectName, text, QRect()), metrics.horizontalAdvance(text) + 4);
    };
    captionAt(QStringLiteral("labConverting"), QStringLiteral("Converting:"));
    labConvertingFile = named(new QLabel(QStringLiteral("No File"), panBottomLeft),
                              QStringLiteral("labConvertingFile"), QStringLiteral("Converting File"));
    place(labConvertingFile, 222); // fixed: a long name is cut, not widened
    x += 6;
    captionAt(QStringLiteral("labElapsedCaption"), QStringLiteral("Time Elapsed:"));
    labElapsed = named(new QLabel(QStringLiteral("00:00:00"), panBottomLeft), QStringLiteral("labElapsed"),
                       QStringLiteral("Time Elapsed"));
    place(labElapsed, metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 8);
    captionAt(QStringLiteral("labRemainingCaption"), QStringLiteral("Time Remaining:"));
    labRemaining = named(new QLabel(QStringLiteral("00:00:00"), panBottomLeft),
                         QStringLiteral("labRemaining"), QStringLiteral("Time Remaining"));
    place(labRemaining, metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 8);
    caption(panBottomLeft, QStringLiteral("labCurrentCaption"), QStringLiteral("Current Progress:"),
            QRect(8, 30, 104, 16));
    pgbCurrent = named(new QProgressBar(panBottomLeft), QStringLiteral("pgbCurrent"),
                       QStringLiteral("Current Progress"));
    pgbCurrent->setGeometry(115, 29, 457, 18);
    labCurProgress = named(new QLabel(QStringLiteral("0%"), panBottomLeft), QStringLiteral("labCurProgress"),
                           QStringLiteral("Current Progress Percent"));
    labCurProgress->setGeometry(580, 30, 27, 16);
    caption(panBottomLeft, QStringLiteral("labTotalCaption"), QStringLiteral("Total Progress:"),
            QRect(8, 54, 104, 16));
    pgbTotal =
        named(new QProgressBar(panBottomLeft), QStringLiteral("pgbTotal"), QStringLiteral("Total Progress"));
    pgbTotal->setGeometry(115, 53, 457, 18);
    labTotalProgress = named(new QLabel(QStringLiteral("0%"), panBottomLeft),
                             QStringLiteral("labTotalProgress"), QStringLiteral("Total Progress Percent"));
    labTotalProgress->setGeometry(580, 54, 27, 16);
    // The percentages sit in 27 pixels at the strip's right edge; their font shrinks until "100%" fits.
    for (QLabel* label : {labCurProgress, labTotalProgress}) {
        QFont font = label->font();
        while (QFontMetrics(font).horizontalAdvance(QStringLiteral("100%")) > label->width() &&
               font.pointSizeF() > 5)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        label->setFont(font);
    }
    for (QProgressBar* bar : {pgbCurrent, pgbTotal}) {
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
    }

    row->addWidget(panMain, 1);

    panSplitter = named(new QLabel(QStringLiteral("<>"), central), QStringLiteral("panSplitter"),
                        QStringLiteral("Resize Profile Detail"));
    panSplitter->setFixedWidth(10);
    panSplitter->setAlignment(Qt::AlignCenter);
    panSplitter->setCursor(Qt::SizeHorCursor);
    row->addWidget(panSplitter);

    panProfile = named(new QWidget(central), QStringLiteral("panProfile"), QStringLiteral("Profile Panel"));
    panProfile->setFixedWidth(200);
    auto* profileLayout = new QVBoxLayout(panProfile);
    profileLayout->setContentsMargins(0, 0, 0, 0);
    profileSplitter = named(new QSplitter(Qt::Vertical, panProfile), QStringLiteral("profileSplitter"),
                            QStringLiteral("Profile and Preview Splitter"));
    profileSplitter->setHandleWidth(4);
    profileSplitter->setChildrenCollapsible(false);
    profileLayout->addWidget(profileSplitter);
    row->addWidget(panProfile);

    buildProfileBox();
    buildPreviewPane();

    ppmTask = named(new QMenu(ltvTask), QStringLiteral("ppmTask"), QStringLiteral("Task Menu"));
    Open1 = menuItem(ppmTask, QStringLiteral("Open1"), QStringLiteral("Open"));
    ppmTask->addSeparator();
    AddFiles1 = menuItem(ppmTask, QStringLiteral("AddFiles1"), QStringLiteral("Add Files..."));
    AddDirectorys1 = menuItem(ppmTask, QStringLiteral("AddDirectorys1"), QStringLiteral("Add Directorys..."));
    ppmTask->addSeparator();
    Remove1 = menuItem(ppmTask, QStringLiteral("Remove1"), QStringLiteral("Remove"));
    Clear1 = menuItem(ppmTask, QStringLiteral("Clear1"), QStringLiteral("Clear"));

    timerTime = new QTimer(this);
    timerTime->setObjectName(QStringLiteral("timerTime"));
    timerTime->setInterval(1000);
}

void TMainForm::buildProfileBox() {
    gpbProfile = named(new QGroupBox(QStringLiteral("Profile Detail"), profileSplitter),
                       QStringLiteral("gpbProfile"), QStringLiteral("Profile Detail"));
    auto* boxLayout = new QVBoxLayout(gpbProfile);
    boxLayout->setContentsMargins(2, 2, 2, 2);
    ScrollBox1 = named(new QScrollArea(gpbProfile), QStringLiteral("ScrollBox1"),
                       QStringLiteral("Profile Parameters"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    boxLayout->addWidget(ScrollBox1);

    auto* content =
        named(new QWidget, QStringLiteral("ScrollBox1Content"), QStringLiteral("Profile Parameters"));
    content->setAutoFillBackground(true);
    QPalette pal = content->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    content->setPalette(pal);
    auto* stack = new QVBoxLayout(content);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    const auto section = [&](const QString& role, const QStringList& rows) {
        auto* sec = new GridSection(role, rows, content);
        sec->setHeaderDoubleClickToggles(true);
        sec->vle()->setColumnWidths(95, 68);
        stack->addWidget(sec);
        return sec;
    };
    secOutput = section(QStringLiteral("Output"), {QStringLiteral("New Filename"),
                                                   QStringLiteral("Start Time"), QStringLiteral("End Time")});
    secVideo = section(QStringLiteral("Video"), kVideoDesignRows);
    secAudio = section(QStringLiteral("Audio"), kAudioDesignRows);
    secAdvanced = section(QStringLiteral("Advanced"), kAdvancedDesignRows);
    stack->addStretch(1);
    ScrollBox1->setWidget(content);

    panOutput = secOutput->pan();
    panVideo = secVideo->pan();
    panAudio = secAudio->pan();
    panAdvanced = secAdvanced->pan();
    btnOutput = secOutput->btn();
    btnVideo = secVideo->btn();
    btnAudio = secAudio->btn();
    btnAdvanced = secAdvanced->btn();
    vleOutput = secOutput->vle();
    vleVideo = secVideo->vle();
    vleAudio = secAudio->vle();
    vleAdvanced = secAdvanced->vle();

    profileSplitter->addWidget(gpbProfile);
    profileSplitter->setStretchFactor(0, 1);
}

void TMainForm::buildPreviewPane() {
    panPreview = named(new QWidget(profileSplitter), QStringLiteral("panPreview"), QStringLiteral("Preview"));
    auto* column = new QVBoxLayout(panPreview);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* videoRow = new QHBoxLayout;
    videoRow->setContentsMargins(0, 0, 0, 0);
    videoRow->setSpacing(0);
    VideoWindow1 =
        named(new QVideoWidget(panPreview), QStringLiteral("VideoWindow1"), QStringLiteral("Preview Video"));
    VideoWindow1->setAutoFillBackground(true);
    QPalette black = VideoWindow1->palette();
    black.setColor(QPalette::Window, Qt::black);
    VideoWindow1->setPalette(black);
    VideoWindow1->setMinimumSize(1, 1);
    videoRow->addWidget(VideoWindow1, 1);
    auto* margin =
        named(new QWidget(panPreview), QStringLiteral("panVideoMargin"), QStringLiteral("Preview Margin"));
    margin->setFixedWidth(10);
    videoRow->addWidget(margin);
    column->addLayout(videoRow, 1);

    panPreviewButton = named(new QWidget(panPreview), QStringLiteral("panPreviewButton"),
                             QStringLiteral("Preview Controls"));
    panPreviewButton->setFixedHeight(54);
    auto* buttonColumn = new QVBoxLayout(panPreviewButton);
    buttonColumn->setContentsMargins(0, 0, 0, 4);
    buttonColumn->setSpacing(3);
    TrackBar = named(new QSlider(Qt::Horizontal, panPreviewButton), QStringLiteral("TrackBar"),
                     QStringLiteral("Preview Position"));
    TrackBar->setFixedHeight(21);
    TrackBar->setTickPosition(QSlider::TicksAbove);
    TrackBar->setRange(0, 0);
    buttonColumn->addWidget(TrackBar);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 0, 4, 0);
    buttons->setSpacing(2);
    sbtnPlay =
        speedButton(panPreviewButton, QStringLiteral("sbtnPlay"), QStringLiteral("Play"), ToolPicture::Play);
    sbtnPause = speedButton(panPreviewButton, QStringLiteral("sbtnPause"), QStringLiteral("Pause / Resume"),
                            ToolPicture::Pause);
    sbtnStop =
        speedButton(panPreviewButton, QStringLiteral("sbtnStop"), QStringLiteral("Stop"), ToolPicture::Stop);
    labPreviewTime = named(new QLabel(QStringLiteral("00:00:00"), panPreviewButton),
                           QStringLiteral("labPreviewTime"), QStringLiteral("Preview Time"));
    labPreviewTime->setFixedSize(56, 22);
    labPreviewTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    buttons->addWidget(sbtnPlay);
    buttons->addWidget(sbtnPause);
    buttons->addWidget(sbtnStop);
    buttons->addStretch(1);
    buttons->addWidget(labPreviewTime);
    buttonColumn->addLayout(buttons);
    column->addWidget(panPreviewButton);

    profileSplitter->addWidget(panPreview);
    profileSplitter->setStretchFactor(1, 0);
    // The client height less the tool bar and the splitter handle, shared so the preview gets 177.
    profileSplitter->setSizes({539 - 75 - 4 - 177, 177});
}

void TMainForm::connectHandlers() {
    connect(tbtnAddFile, &QToolButton::clicked, this, &TMainForm::tbtnAddFileClick);
    connect(tbtnAddDir, &QToolButton::clicked, this, &TMainForm::tbtnAddDirClick);
    connect(tbtnUp, &QToolButton::clicked, this, &TMainForm::tbtnUpClick);
    connect(tbtnDown, &QToolButton::clicked, this, &TMainForm::tbtnDownClick);
    connect(tbtnRemove, &QToolButton::clicked, this, &TMainForm::tbtnRemoveClick);
    connect(tbtnClear, &QToolButton::clicked, this, &TMainForm::tbtnClearClick);
    connect(tbtnStart, &QToolButton::clicked, this, &TMainForm::tbtnStartClick);
    connect(tbtnStop, &QToolButton::clicked, this, &TMainForm::tbtnStopClick);
    connect(tbtnSetting, &QToolButton::clicked, this, &TMainForm::tbtnSettingClick);
    connect(tbtnAbout, &QToolButton::clicked, this, &TMainForm::tbtnAboutClick);
    connect(tbtnHelp, &QToolButton::clicked, this, &TMainForm::tbtnHelpClick);

    connect(Open1, &QAction::triggered, this, &TMainForm::ltvTaskDblClick);
    connect(AddFiles1, &QAction::triggered, this, &TMainForm::tbtnAddFileClick);
    connect(AddDirectorys1, &QAction::triggered, this, &TMainForm::tbtnAddDirClick);
    connect(Remove1, &QAction::triggered, this, &TMainForm::tbtnRemoveClick);
    connect(Clear1, &QAction::triggered, this, &TMainForm::tbtnClearClick);
    connect(ppmTask, &QMenu::aboutToShow, this, &TMainForm::ppmTaskPopup);
    connect(ltvTask, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ppmTask->popup(ltvTask->viewport()->mapToGlobal(pos)); });

    // A click on a row arrives as clicked (after the view has updated the selection); a click on the
    // empty part of the list is caught in eventFilter, since it also changes the selection.
    connect(ltvTask, &QAbstractItemView::clicked, this, &TMainForm::ltvTaskClick);
    // The grid's edits go to the first selected row, so the grid must show that row whichever way the
    // selection moved (keys, a right-click, a drag). A move keeps the first selected task first, and
    // then the grid, typed values included, is left alone.
    connect(ltvTask->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QVector<int> rows = selectedRows();
        const QString first = rows.isEmpty() ? QString() : taskModel_->caption(rows.first());
        if (first != gridTask_)
            ltvTaskClick();
    });
    connect(ltvTask, &QAbstractItemView::doubleClicked, this, &TMainForm::ltvTaskDblClick);
    ltvTask->installEventFilter(this);
    ltvTask->viewport()->installEventFilter(this);
    panMain->installEventFilter(this);
    panSplitter->installEventFilter(this);

    connect(cmbProfile, &QComboBox::activated, this, &TMainForm::cmbProfileChange);
    connect(bbtnSetting, &QPushButton::clicked, this, &TMainForm::bbtnSettingClick);
    connect(bbtnBrowser, &QPushButton::clicked, this, &TMainForm::bbtnBrowserClick);
    connect(bbtnOpen, &QPushButton::clicked, this, &TMainForm::bbtnOpenClick);

    connect(btnOutput, &QPushButton::clicked, this, &TMainForm::btnOutputClick);
    connect(btnVideo, &QPushButton::clicked, this, &TMainForm::btnVideoClick);
    connect(btnAudio, &QPushButton::clicked, this, &TMainForm::btnAudioClick);
    connect(btnAdvanced, &QPushButton::clicked, this, &TMainForm::btnAdvancedClick);

    connect(vleOutput, &ValueListEditor::mousePressed, this, &TMainForm::vleOutputMouseDown);
    connect(vleOutput, &ValueListEditor::clicked, this, &TMainForm::vleOutputClick);
    connect(vleOutput->model(), &ValueListModel::valueEdited, this, &TMainForm::vleOutputValidate);
    ValueListModel* video = vleVideo->model();
    connect(video, &QAbstractItemModel::dataChanged, this, &TMainForm::vleVideoStringsChange);
    connect(video, &QAbstractItemModel::rowsInserted, this, &TMainForm::vleVideoStringsChange);
    connect(video, &QAbstractItemModel::modelReset, this, &TMainForm::vleVideoStringsChange);
    for (ValueListEditor* grid : {vleVideo, vleAudio, vleAdvanced})
        connect(grid, &ValueListEditor::mousePressed, this, &TMainForm::repaintGrids);

    connect(timerTime, &QTimer::timeout, this, &TMainForm::timerTimeTimer);
    connect(sbtnPlay, &QToolButton::clicked, this, &TMainForm::sbtnPlayClick);
    connect(sbtnPause, &QToolButton::clicked, this, &TMainForm::sbtnPauseClick);
    connect(sbtnStop, &QToolButton::clicked, this, &TMainForm::sbtnStopClick);
}

#pragma once
// The main window: tool bar, task list, settings and progress strips, the "Profile Detail" box with
// its four grids, and the preview pane. Handlers read controls, call core code and write results back.
//
// The implementation is split by concern:
//   mainform.cpp          construction, start-up, command line, drops, resize rules, buttons
//   mainform_layout.cpp   the controls, their sizes and places, and the wiring to the handlers
//   mainform_tasks.cpp    adding and probing files, list editing, the per-task output grid
//   mainform_profiles.cpp the profile chooser and grids, custom frame size
//   mainform_run.cpp      the batch run, timing, completion actions, closing during a run
//   mainform_prefs.cpp    preferences and the settings dialog's buttons
//   mainform_preview.cpp  the preview player

#include "app/batchrun.h"
#include "app/runtiming.h"
#include "app/taskdata.h"
#include "app/tasklistmodel.h"

#include <QMainWindow>
#include <QStringList>
#include <QVector>
#include <optional>

class Desktop;
class GridSection;
class QAction;
class QAudioOutput;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMediaPlayer;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;
class QVideoWidget;
class TAboutForm;
class TSettingForm;
class TSizeForm;
class ValueListEditor;
class ValueListModel;

enum RunStateKind { rsIdle = 0, rsRunning = 1, rsStopping = 2 };

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // appDir is the program folder (encoder, profiles, preferences, manual); args the command line
    // without the program name. The constructor runs FormCreate.
    TMainForm(const QString& appDir, const QStringList& args, Desktop* desktop, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Creates the About, settings and frame-size dialogs, in that order, after the main window.
    void CreateDialogs();

    // Program-wide values.
    QString AppDir;       // ends in "/"
    QString EncoderPath;  // AppDir + "wmaspi.dll"
    QString ProductName;  // "Reelwright"
    QString VersionText;  // "Version" of "Main" in Preferences.ini, default "2.5"
    QString HelpFilePath; // AppDir + "Reelhelp.html"
    QStringList InputExts;
    QString InputMask;
    QString OpenDialogFilterText;
    int ListWidth = 562;
    QString ProfileExt; // "." + Type of the profile last loaded here; empty before
    int RunState = rsIdle;
    int ElapsedSeconds = 0;
    int RemainingSeconds = 0;

    Desktop* desktop() const { return desktop_; }
    TaskListModel* taskModel() const { return taskModel_; }

    // ---- controls (objectName = member name) ----
    QToolBar* Toolbar1 = nullptr;
    QToolButton* tbtnAddFile = nullptr;
    QToolButton* tbtnAddDir = nullptr;
    QToolButton* tbtnUp = nullptr;
    QToolButton* tbtnDown = nullptr;
    QToolButton* tbtnRemove = nullptr;
    QToolButton* tbtnClear = nullptr;
    QToolButton* tbtnStart = nullptr;
    QToolButton* tbtnStop = nullptr;
    QToolButton* tbtnSetting = nullptr;
    QToolButton* tbtnAbout = nullptr;
    QToolButton* tbtnHelp = nullptr;

    QWidget* panMain = nullptr;
    QWidget* panLeft = nullptr;
    QTreeView* ltvTask = nullptr;
    QWidget* panBottom = nullptr;
    QWidget* panBottomRight = nullptr;
    QWidget* panBottomCenter = nullptr; // settings strip
    QComboBox* cmbProfile = nullptr;
    QPushButton* bbtnSetting = nullptr;
    QLineEdit* edtOutputdir = nullptr;
    QPushButton* bbtnBrowser = nullptr;
    QPushButton* bbtnOpen = nullptr;
    QWidget* panBottomLeft = nullptr; // progress strip
    QLabel* labConvertingFile = nullptr;
    QLabel* labElapsed = nullptr;
    QLabel* labRemaining = nullptr;
    QProgressBar* pgbCurrent = nullptr;
    QLabel* labCurProgress = nullptr;
    QProgressBar* pgbTotal = nullptr;
    QLabel* labTotalProgress = nullptr;

    QLabel* panSplitter = nullptr;        // "<>" bar between the task list and the profile box
    QWidget* panProfile = nullptr;        // 200 wide
    QSplitter* profileSplitter = nullptr; // the 4-pixel splitter between the box and the preview
    QGroupBox* gpbProfile = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    GridSection* secOutput = nullptr;
    GridSection* secVideo = nullptr;
    GridSection* secAudio = nullptr;
    GridSection* secAdvanced = nullptr;
    QFrame* panOutput = nullptr;
    QFrame* panVideo = nullptr;
    QFrame* panAudio = nullptr;
    QFrame* panAdvanced = nullptr;
    QPushButton* btnOutput = nullptr;
    QPushButton* btnVideo = nullptr;
    QPushButton* btnAudio = nullptr;
    QPushButton* btnAdvanced = nullptr;
    ValueListEditor* vleOutput = nullptr;
    ValueListEditor* vleVideo = nullptr;
    ValueListEditor* vleAudio = nullptr;
    ValueListEditor* vleAdvanced = nullptr;

    QWidget* panPreview = nullptr; // 177 high
    QVideoWidget* VideoWindow1 = nullptr;
    QWidget* panPreviewButton = nullptr; // 54 high
    QSlider* TrackBar = nullptr;
    QToolButton* sbtnPlay = nullptr;
    QToolButton* sbtnPause = nullptr;
    QToolButton* sbtnStop = nullptr;
    QLabel* labPreviewTime = nullptr;
    QMediaPlayer* FilterGraph = nullptr; // null until the first preview
    QAudioOutput* audioOutput = nullptr;
    QTimer* trackBarTimer = nullptr; // 1000 ms while playing
    bool trackBarDragging = false;
    bool previewAtEnd = false; // played to the end of the file, which still counts as playing

    QTimer* timerTime = nullptr;
    QMenu* ppmTask = nullptr;
    QAction* Open1 = nullptr;
    QAction* AddFiles1 = nullptr;
    QAction* AddDirectorys1 = nullptr;
    QAction* Remove1 = nullptr;
    QAction* Clear1 = nullptr;

    TAboutForm* AboutForm = nullptr;
    TSettingForm* SettingForm = nullptr;
    TSizeForm* SizeForm = nullptr;

    // ---- task rows (mainform_tasks.cpp) ----
    void GetTaskData(int index, int selector, ltvItemData& rec) const;
    void SetTaskData(int index, int selector, const ltvItemData& rec);
    // grid 0 vleOutput, 1 vleVideo, 2 vleAudio, 3 vleAdvanced
    void SetGridValue(int grid, const QString& key, const QString& value);
    void AddTaskFile(const QString& path);
    void AddTaskFolder(const QString& directory);
    void ProbeFile(const QString& path);
    QString ProbeLengthText, ProbeSizeText, ProbeStartText, ProbeEndText;
    std::optional<QString> SelectFolder(QWidget* owner, const QString& title);
    QVector<int> selectedRows() const; // selected rows in list order
    void EnableListButtons();          // the five buttons, when the list holds a task
    void DisableListButtons();

public slots:
    // mainform.cpp
    void tbtnHelpClick();
    void tbtnAboutClick();
    void bbtnBrowserClick();
    void bbtnOpenClick();
    void ltvTaskResize(int newWidth);
    void FormResize();
    void DropFiles(const QStringList& names); // files and folders dropped from the desktop

    // mainform_tasks.cpp
    void tbtnAddFileClick();
    void tbtnAddDirClick();
    void tbtnRemoveClick();
    void tbtnClearClick();
    void tbtnUpClick();
    void tbtnDownClick();
    void ltvTaskClick();
    void ltvTaskDblClick();
    void ppmTaskPopup();
    void vleOutputValidate();
    void vleOutputMouseDown();
    void vleOutputClick();
    void ShowTip(QWidget* window, const QString& title, const QString& text);

    // mainform_profiles.cpp
    void cmbProfileChange();
    void LoadProfile(const QString& path);
    void btnOutputClick();
    void btnVideoClick();
    void btnAudioClick();
    void btnAdvancedClick();
    void vleVideoStringsChange();
    void repaintGrids();

    // mainform_run.cpp
    void tbtnStartClick();
    void tbtnStopClick();
    void LockControls();
    void UnlockControls();
    void RunBatch(const QString& switches);
    void timerTimeTimer();

    // mainform_prefs.cpp
    void LoadPreferences();
    void SavePreferences();
    void tbtnSettingClick();
    void bbtnSettingClick();

    // mainform_preview.cpp
    void PreviewSelectedTask();
    void sbtnPlayClick();
    void sbtnPauseClick();
    void sbtnStopClick();
    void TrackBarTimer();
    void stopPreview();

signals:
    // Emitted when a batch has ended (completed, stopped or failed to start) and the controls are unlocked.
    void runEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QStringList& args);
    void buildLayout();
    void buildProfileBox();
    void buildPreviewPane();
    void connectHandlers();
    bool ltvTaskKeyDown(int key); // true when handled
    // Run wiring (mainform_run.cpp).
    void onTaskStarted(int row, const QString& fileName, const QString& commandLine);
    void onProgress(int currentPercent, int totalPercent);
    void onTaskFinished(int row, const QString& status, const QString& consoleTail);
    void onStartFailed(int row, const QString& message);
    void onRunFinished(BatchRun::End end, int failedCount, int taskCount);
    void showProgressStrip(bool on);
    bool confirmCloseDuringRun(); // false keeps the window open

    Desktop* desktop_;
    TaskListModel* taskModel_;
    BatchRun* batch_ = nullptr;
    bool shownOnce_ = false;
    bool closingAfterRun_ = false;
    QWidget* tipWindow_ = nullptr; // the one reused "Tip:" balloon
    QString gridTask_;             // caption of the task the output grid shows; empty when none
    RunTiming runTiming_;          // elapsed and remaining seconds of the current run
};

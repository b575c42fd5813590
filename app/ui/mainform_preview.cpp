// The preview pane: plays a task's source file with picture and sound, a seek bar that follows the
// position once a second, and a time read-out. The player's own state is the only preview state.

#include "app/tasktext.h"
#include "app/ui/desktop.h"
#include "app/ui/mainform.h"

#include <QAudioOutput>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSlider>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVideoWidget>

#include <functional>

namespace {
bool graphActive(const QMediaPlayer* player) {
    return player != nullptr;
}

enum class PreviewState { NotActive, Stopped, Paused, Playing };

// The state the buttons go by. The player stops by itself at the end of the file; the pane keeps
// the file playing there instead (picture, seek bar and read-out at the end) until the user acts.
PreviewState previewState(const TMainForm& form) {
    if (!graphActive(form.FilterGraph))
        return PreviewState::NotActive;
    switch (form.FilterGraph->playbackState()) {
    case QMediaPlayer::PlayingState:
        return PreviewState::Playing;
    case QMediaPlayer::PausedState:
        return PreviewState::Paused;
    case QMediaPlayer::StoppedState:
        break;
    }
    return form.previewAtEnd ? PreviewState::Playing : PreviewState::Stopped;
}

// A press on the seek bar's track puts the handle right there, as on a media player's bar.
class SeekBarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Reports the left mouse button going down and up on the widget it watches.
class MouseButtonWatch : public QObject {
public:
    MouseButtonWatch(QObject* parent, std::function<void()> pressed, std::function<void()> released)
        : QObject(parent), pressed_(std::move(pressed)), released_(std::move(released)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // The bar handles the event first, so a release sees the position it has then.
            QTimer::singleShot(0, this, type == QEvent::MouseButtonPress ? pressed_ : released_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> pressed_;
    std::function<void()> released_;
};
} // namespace

void TMainForm::PreviewSelectedTask() {
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    if (!graphActive(FilterGraph)) {
        FilterGraph = new QMediaPlayer(this);
        FilterGraph->setObjectName(QStringLiteral("FilterGraph"));
        audioOutput = new QAudioOutput(this);
        FilterGraph->setAudioOutput(audioOutput);
        FilterGraph->setVideoOutput(VideoWindow1);
        trackBarTimer = new QTimer(this);
        trackBarTimer->setInterval(1000);
        connect(trackBarTimer, &QTimer::timeout, this, [this] {
            if (!trackBarDragging) {
                TrackBar->setRange(0, int(FilterGraph->duration() / 1000));
                TrackBar->setValue(int(FilterGraph->position() / 1000));
            }
            TrackBarTimer();
        });
        // Any left press on the seek bar, on its handle or its track, holds the updates; the release
        // seeks to where the bar then stands.
        auto* seekStyle = new SeekBarStyle;
        seekStyle->setParent(TrackBar);
        TrackBar->setStyle(seekStyle);
        TrackBar->installEventFilter(new MouseButtonWatch(
            TrackBar, [this] { trackBarDragging = true; },
            [this] {
                trackBarDragging = false;
                if (TrackBar->maximum() <= 0)
                    return;
                FilterGraph->setPosition(FilterGraph->duration() * TrackBar->value() / TrackBar->maximum());
                // Still playing at the end: play on from where the user put it.
                if (previewAtEnd) {
                    previewAtEnd = false;
                    FilterGraph->play();
                }
            }));
        connect(FilterGraph, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    // Only an end reached while playing: a Stop just before it wins.
                    if (status == QMediaPlayer::EndOfMedia && trackBarTimer->isActive())
                        previewAtEnd = true;
                });
        // A file that cannot be played is reported with the media framework's own words; the player
        // is then left stopped with nothing loaded.
        connect(FilterGraph, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error error, const QString& text) {
                    if (error == QMediaPlayer::NoError)
                        return;
                    const QString file = FilterGraph->source().toLocalFile();
                    previewAtEnd = false;
                    FilterGraph->stop();
                    FilterGraph->setSource(QUrl());
                    trackBarTimer->stop();
                    desktop()->message(this, QStringLiteral("%1\n\n%2").arg(file, text), ProductName,
                                       Desktop::Icon::Critical);
                });
    }
    // Clearing the player first makes every call start the file again from its beginning.
    previewAtEnd = false;
    FilterGraph->stop();
    FilterGraph->setSource(QUrl());
    FilterGraph->setSource(QUrl::fromLocalFile(taskModel()->caption(rows.first())));
    FilterGraph->play();
    trackBarTimer->start();
}

void TMainForm::sbtnPlayClick() {
    if (taskModel()->rowCount() == 0)
        return;
    if (selectedRows().isEmpty()) {
        const QModelIndex first = taskModel()->index(0, 0);
        ltvTask->selectionModel()->setCurrentIndex(first,
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    PreviewSelectedTask();
}

void TMainForm::sbtnPauseClick() {
    switch (previewState(*this)) {
    case PreviewState::Playing:
        if (previewAtEnd) {
            // The player would go back to the beginning when paused after its end; stay at the end.
            const qint64 end = FilterGraph->position();
            previewAtEnd = false;
            FilterGraph->pause();
            FilterGraph->setPosition(end);
        } else {
            FilterGraph->pause();
        }
        trackBarTimer->stop();
        break;
    case PreviewState::Paused:
        FilterGraph->play();
        trackBarTimer->start();
        break;
    case PreviewState::Stopped:
    case PreviewState::NotActive:
        break;
    }
}

void TMainForm::sbtnStopClick() {
    stopPreview();
}

void TMainForm::stopPreview() {
    if (!graphActive(FilterGraph))
        return;
    previewAtEnd = false;
    FilterGraph->stop();
    trackBarTimer->stop();
}

void TMainForm::TrackBarTimer() {
    labPreviewTime->setText(SecondsToTime(TrackBar->value()));
}

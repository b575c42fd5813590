#include "app/batchrun.h"

#include "app/encoderprocess.h"
#include "app/outputnaming.h"
#include "app/progressparse.h"
#include "app/tasktext.h"

#include <QFile>
#include <QStringList>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kTailRecords = 10;

// A percentage for a bar with the range 0..100; values beyond it show as the nearest end.
int Percent(double value) {
    if (!(value > 0)) // also NaN
        return 0;
    if (value >= 100)
        return 100;
    return int(RoundHalfEven(value));
}

// A task's share of the run's seconds: a length that is not known (-1, e.g. after a failed probe)
// counts for nothing, so it can neither shrink the total nor push the bars around.
double KnownSeconds(double seconds) {
    return seconds > 0 ? seconds : 0;
}

// Replaces target with the finished file in one step; an old target is only gone once this succeeds.
bool ReplaceFile(const QString& from, const QString& to, QString& reason) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace

// One task while its encoder runs: everything that belongs to it alone, so that tasks could run
// side by side.
struct TaskRun {
    BatchTask task;
    std::unique_ptr<EncoderProcess> process;
    double taskTime = 0;
    QStringList tail;
    QString target;
    QString temp;
};

struct BatchRun::Impl {
    BatchRun* q;
    BatchSettings settings;
    QVector<BatchTask> tasks;
    OutputNaming naming;
    std::vector<std::unique_ptr<TaskRun>> active;
    qsizetype next = 0;
    bool running = false;
    bool stopping = false;
    quint64 generation = 0; // tells a queued start of an ended run from one of the current run
    double totalSeconds = 0;
    double doneSeconds = 0;
    int currentPercent = 0;
    int totalPercent = 0;
    int failed = 0;
    int dispatching = 0; // > 0 while a slot runs inside an encoder's record signal

    explicit Impl(BatchRun* owner) : q(owner) {}
    ~Impl() { discardActive(); }

    void queueNext();
    void startNext();
    void onRecord(TaskRun* run, const QString& text);
    void onFinished(TaskRun* run, EncoderProcess::Outcome outcome, int exitCode);
    void updateProgress(const TaskRun& run);
    void endRun(End end);
    std::unique_ptr<TaskRun> take(TaskRun* run);
    void discardActive();
};

void BatchRun::Impl::queueNext() {
    // A queued start lets a Stop that arrives between two tasks be handled before anything starts.
    const quint64 gen = generation;
    QTimer::singleShot(0, q, [this, gen] {
        if (gen == generation)
            startNext();
    });
}

void BatchRun::Impl::startNext() {
    if (!running)
        return;
    if (stopping) {
        endRun(End::Stopped);
        return;
    }
    if (next >= tasks.size()) {
        endRun(End::Completed);
        return;
    }

    auto run = std::make_unique<TaskRun>();
    run->task = tasks.at(next++);
    const ltvItemData& rec = run->task.rec;

    OutputNaming::Task naming_task;
    naming_task.outputDir = settings.outputDir;
    naming_task.newFileName = rec.NewFileName;
    naming_task.profileExt = settings.profileExt;
    naming_task.outputExt = rec.OutputExt;
    naming_task.inputFile = rec.InputFile;
    naming_task.row = run->task.row;
    naming_task.renameChosen = settings.renameChosen && settings.renameChosen();
    run->target = naming.targetFor(naming_task);
    run->temp = TempOutputPath(run->target);
    {
        // Reserve the name; the encoder is told to overwrite it. A folder that cannot be written
        // makes the encoder fail, which reports the reason.
        QFile reserve(run->temp);
        if (reserve.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            reserve.close();
    }

    QStringList clipArgs;
    QString clipText;
    if (rec.ClipStartSec != rec.StartSec) {
        clipArgs << QStringLiteral("-ss") << rec.ClipStartText;
        clipText += QStringLiteral(" -ss ") + rec.ClipStartText;
    }
    if (rec.ClipLengthSec != rec.LengthSec) {
        const QString seconds = QString::number(RoundHalfEven(rec.ClipLengthSec));
        clipArgs << QStringLiteral("-t") << seconds;
        clipText += QStringLiteral(" -t ") + seconds;
    }
    const QStringList args = QStringList{QStringLiteral("-y"), QStringLiteral("-i"), rec.InputFile} +
                             EncoderProcess::splitSwitches(settings.switches) + clipArgs +
                             QStringList{run->temp};
    const QString commandLine = QStringLiteral(" -y -i \"") + rec.InputFile + u'"' + settings.switches +
                                clipText + QStringLiteral(" \"") + run->target + u'"';

    run->process = std::make_unique<EncoderProcess>(settings.encoderPath);
    TaskRun* raw = run.get();
    QObject::connect(raw->process.get(), &EncoderProcess::record, q, [this, raw](const QString& text) {
        ++dispatching;
        onRecord(raw, text);
        --dispatching;
    });
    QObject::connect(
        raw->process.get(), &EncoderProcess::finished, q,
        [this, raw](EncoderProcess::Outcome outcome, int code) { onFinished(raw, outcome, code); });
    active.push_back(std::move(run));

    raw->process->start(args);
    emit q->taskStarted(raw->task.row, FileNamePart(rec.InputFile), commandLine);
}

void BatchRun::Impl::onRecord(TaskRun* run, const QString& text) {
    run->tail << text;
    if (run->tail.size() > kTailRecords)
        run->tail.removeFirst();
    if (const auto seconds = ProgressSeconds(text); seconds && *seconds > run->taskTime)
        run->taskTime = *seconds;
    updateProgress(*run);
}

void BatchRun::Impl::updateProgress(const TaskRun& run) {
    int current = currentPercent;
    int total = totalPercent;
    const double length = run.task.rec.ClipLengthSec;
    if (length > 0)
        current = Percent(run.taskTime / length * 100);
    if (totalSeconds != 0)
        total = Percent((doneSeconds + (length >= 0 ? run.taskTime : 0)) / totalSeconds * 100);
    if (current == currentPercent && total == totalPercent)
        return;
    currentPercent = current;
    totalPercent = total;
    emit q->progressChanged(currentPercent, totalPercent);
}

std::unique_ptr<TaskRun> BatchRun::Impl::take(TaskRun* run) {
    for (auto it = active.begin(); it != active.end(); ++it) {
        if (it->get() == run) {
            std::unique_ptr<TaskRun> owned = std::move(*it);
            active.erase(it);
            return owned;
        }
    }
    return nullptr;
}

void BatchRun::Impl::onFinished(TaskRun* raw, EncoderProcess::Outcome outcome, int exitCode) {
    std::unique_ptr<TaskRun> run = take(raw);
    if (!run)
        return;
    // The process is inside its own signal: let it go once the signal has returned.
    EncoderProcess* process = run->process.release();
    QObject::disconnect(process, nullptr, q, nullptr);
    process->deleteLater();

    const int row = run->task.row;
    const bool succeeded = outcome == EncoderProcess::Outcome::Exited && exitCode == 0 && !stopping;
    QString failure;
    if (succeeded && ReplaceFile(run->temp, run->target, failure)) {
        doneSeconds += KnownSeconds(run->task.rec.ClipLengthSec);
        emit q->taskFinished(row, kStatusComplete, run->tail.join(u'\n'));
    } else {
        QFile::remove(run->temp);
        if (outcome == EncoderProcess::Outcome::FailedToStart) {
            ++failed;
            QStringList tail = run->tail;
            tail << process->errorString();
            emit q->taskFinished(row, kStatusFailed, tail.join(u'\n'));
            emit q->startFailed(row, QStringLiteral("Error on CreateProcess()"));
            endRun(End::StartFailed);
            return;
        }
        if (stopping || outcome == EncoderProcess::Outcome::Stopped) {
            emit q->taskFinished(row, kStatusStop, run->tail.join(u'\n'));
            endRun(End::Stopped);
            return;
        }
        ++failed;
        QStringList tail = run->tail;
        if (!failure.isEmpty())
            tail << QStringLiteral("Could not rename the output onto %1: %2").arg(run->target, failure);
        doneSeconds += KnownSeconds(run->task.rec.ClipLengthSec);
        emit q->taskFinished(row, kStatusFailed, tail.join(u'\n'));
    }

    if (!running)
        return; // a slot of taskFinished ended the run
    if (next < tasks.size()) {
        currentPercent = 0;
        if (totalSeconds != 0)
            totalPercent = Percent(doneSeconds / totalSeconds * 100);
        emit q->progressChanged(currentPercent, totalPercent);
    }
    queueNext();
}

void BatchRun::Impl::endRun(End end) {
    running = false;
    stopping = false;
    ++generation;
    emit q->finished(end, failed, int(tasks.size()));
}

void BatchRun::Impl::discardActive() {
    for (auto& run : active) {
        if (run->process) {
            QObject::disconnect(run->process.get(), nullptr, q, nullptr);
            if (dispatching > 0) {
                // Called from inside the encoder's own signal: it must outlive that signal. It is
                // told to stop now and killed when deleted, at the latest together with this run.
                EncoderProcess* process = run->process.release();
                process->setParent(q);
                process->stop();
                process->deleteLater();
            } else {
                run->process.reset(); // kills a child that still runs
            }
        }
        QFile::remove(run->temp);
    }
    active.clear();
}

BatchRun::BatchRun(QObject* parent) : QObject(parent), d(std::make_unique<Impl>(this)) {}

BatchRun::~BatchRun() = default;

void BatchRun::start(const BatchSettings& settings, const QVector<BatchTask>& tasks) {
    if (d->running)
        return;
    d->settings = settings;
    d->tasks = tasks;
    d->next = 0;
    d->running = true;
    d->stopping = false;
    d->doneSeconds = 0;
    d->totalSeconds = 0;
    d->currentPercent = 0;
    d->totalPercent = 0;
    d->failed = 0;
    QStringList inputs;
    for (const BatchTask& task : tasks) {
        d->totalSeconds += KnownSeconds(task.rec.ClipLengthSec);
        inputs << task.rec.InputFile;
    }
    d->naming.reset(inputs);
    ++d->generation;
    d->queueNext();
}

void BatchRun::stop() {
    if (!d->running || d->stopping)
        return;
    d->stopping = true;
    // With no encoder running the queued start of the next task sees the flag and ends the run.
    for (auto& run : d->active)
        run->process->stop();
}

void BatchRun::abort() {
    if (!d->running)
        return;
    std::vector<std::pair<int, QString>> stopped;
    for (const auto& run : d->active)
        stopped.emplace_back(run->task.row, run->tail.join(u'\n'));
    d->discardActive();
    for (const auto& [row, tail] : stopped)
        emit taskFinished(row, kStatusStop, tail);
    d->endRun(End::Stopped);
}

bool BatchRun::isRunning() const {
    return d->running;
}

int BatchRun::currentRow() const {
    return d->active.empty() ? -1 : d->active.front()->task.row;
}

double BatchRun::totalSeconds() const {
    return d->totalSeconds;
}

int BatchRun::currentPercent() const {
    return d->currentPercent;
}

int BatchRun::totalPercent() const {
    return d->totalPercent;
}

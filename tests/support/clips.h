#pragma once
// Shared helpers for tests: tiny clips made with the real encoder, facts read back with ffprobe,
// scripts and logs of the fake encoder, environment overrides and throw-away program folders.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// Makes dir/fileName: a clip of `seconds` seconds with a 160x120 test picture at 25 frames per
// second (H.264 in ".mp4"/".mov"/".mkv", the container's default codec elsewhere) and a sine tone;
// the extension picks the container. extraArgs are output options placed before the file name, so
// they can override the defaults (e.g. {"-an"} drops the sound, {"-s", "320x240"} resizes).
// Returns the clip's path, or an empty text when the encoder failed (its messages go to qWarning).
QString MakeClip(const QString& dir, const QString& fileName, double seconds,
                 const QStringList& extraArgs = {});

// What ffprobe reports for one entry of path, e.g. "format=duration", "stream=width" or
// "stream=codec_name". Stream entries are taken from the streams `streams` selects (first video
// stream by default); several values are joined by "\n". Empty when ffprobe fails.
QString FfprobeField(const QString& path, const QString& entry,
                     const QString& streams = QStringLiteral("v:0"));

// The container's duration in seconds as ffprobe reports it, or -1.
double ProbeDuration(const QString& path);

// Writes lines (joined with "\n") to dir/name as a script for the fake encoder and returns the
// script's path, empty when it cannot be written. Point RW_FAKE_SCRIPT at it (see ScopedEnv); the
// commands are described at the top of tests/fake_encoder/fake_encoder.cpp.
QString WriteFakeScript(const QString& dir, const QStringList& lines,
                        const QString& name = QStringLiteral("fake_script.txt"));

// The argument vectors the fake encoder appended to the RW_FAKE_LOG file, one per invocation, in
// order. Empty when the file is missing.
QList<QStringList> ReadFakeLog(const QString& logPath);

// Sets an environment variable for its lifetime and restores the earlier value (or its absence).
// Child processes started meanwhile inherit it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QByteArray name_;
    std::optional<QByteArray> previous_;
};

// A throw-away program folder: a temporary directory holding "wmaspi.dll" as a link to encoder
// and a "Profiles/" folder, filled with the shipped profiles when copyProfiles is set. Removed
// with the object.
class TestProgramDir {
public:
    explicit TestProgramDir(const QString& encoder = QStringLiteral(RW_FFMPEG), bool copyProfiles = true);
    bool isValid() const { return valid_; }
    QString path() const;        // ends in "/", as the program's AppDir does
    QString encoderPath() const; // path() + "wmaspi.dll"
    QString profilesDir() const; // path() + "Profiles/"

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};

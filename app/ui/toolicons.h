#pragma once
// Pictures of the main window's tool-bar and preview buttons, painted at run time so the program
// ships no image files. The disabled look comes from QIcon's own disabled mode.

#include <QIcon>
#include <QString>

enum class ToolPicture {
    AddFile,
    AddDir,
    Up,
    Down,
    Remove,
    Clear,
    Start,
    Stop,
    Setting,
    About,
    Help,
    Play,
    Pause
};

// The picture on a square of size x size pixels.
QIcon ToolIcon(ToolPicture picture, int size);

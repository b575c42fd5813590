#pragma once
// A scripted desktop for window tests: records every message box, question, dialog, shell open
// and power-off request, and answers from queues the test fills (cancel / No when a queue is empty).

#include "app/ui/desktop.h"

#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>

class FakeDesktop : public Desktop {
public:
    struct Message {
        QString text;
        QString caption;
        Icon icon;
    };

    QVector<Message> messages;       // message boxes and questions, in order
    QQueue<bool> yesNoAnswers;       // answers to askYesNo; No when empty
    QQueue<QStringList> openAnswers; // results of openFiles; cancel (empty) when empty
    QQueue<QString> folderAnswers;   // results of selectFolder; cancel when empty
    QQueue<QString> saveAnswers;     // results of saveFile; cancel when empty
    QStringList folderTitles;        // titles the folder picker was shown with
    QStringList openFilters;         // filters the open dialog was shown with
    QStringList shellOpened;         // paths handed to shellOpen
    int powerOffs = 0;

    void message(QWidget*, const QString& text, const QString& caption, Icon icon) override {
        messages.append({text, caption, icon});
    }
    bool askYesNo(QWidget*, const QString& text, const QString& caption) override {
        messages.append({text, caption, Icon::Question});
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.dequeue();
    }
    QStringList openFiles(QWidget*, const QString& filter) override {
        openFilters.append(filter);
        return openAnswers.isEmpty() ? QStringList{} : openAnswers.dequeue();
    }
    std::optional<QString> selectFolder(QWidget*, const QString& title) override {
        folderTitles.append(title);
        if (folderAnswers.isEmpty())
            return std::nullopt;
        return folderAnswers.dequeue();
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&) override {
        if (saveAnswers.isEmpty())
            return std::nullopt;
        return saveAnswers.dequeue();
    }
    void shellOpen(const QString& path) override { shellOpened.append(path); }
    void powerOff() override { ++powerOffs; }
};

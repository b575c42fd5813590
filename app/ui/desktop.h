#pragma once
// What the program asks of the desktop: message boxes, questions, file and folder pickers,
// opening a file or folder with its application, and powering the machine off.
// QtDesktop does it for real; tests hand the windows a scripted fake.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

class Desktop {
public:
    enum class Icon { None, Information, Warning, Question, Critical };

    virtual ~Desktop() = default;

    // A message box with one OK button, owned by owner.
    virtual void message(QWidget* owner, const QString& text, const QString& caption, Icon icon) = 0;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& text, const QString& caption) = 0;
    // The open dialog: several existing files; filter in "description|pattern|..." form.
    virtual QStringList openFiles(QWidget* owner, const QString& filter) = 0;
    // The folder picker; no value when the user cancels.
    virtual std::optional<QString> selectFolder(QWidget* owner, const QString& title) = 0;
    // The save dialog without an overwrite prompt; no value when the user cancels.
    virtual std::optional<QString> saveFile(QWidget* owner, const QString& filter,
                                            const QString& defaultSuffix) = 0;
    // Opens a file or folder with the desktop's application for it.
    virtual void shellOpen(const QString& path) = 0;
    // Asks the system to shut down and power off.
    virtual void powerOff() = 0;
};

// The real desktop, built on Qt's dialogs and services and the login manager.
class QtDesktop : public Desktop {
public:
    void message(QWidget* owner, const QString& text, const QString& caption, Icon icon) override;
    bool askYesNo(QWidget* owner, const QString& text, const QString& caption) override;
    QStringList openFiles(QWidget* owner, const QString& filter) override;
    std::optional<QString> selectFolder(QWidget* owner, const QString& title) override;
    std::optional<QString> saveFile(QWidget* owner, const QString& filter,
                                    const QString& defaultSuffix) override;
    void shellOpen(const QString& path) override;
    void powerOff() override;

    // "desc|pattern|desc|pattern" as Qt's "desc (patterns);;..." name filters.
    static QStringList toNameFilters(const QString& filter);
};

// Every control of every window can be found by a screen reader: each named control carries an
// accessible name, and each tool-bar button is named by its hint.
#include "app/ui/mainform.h"
#include "dialogs/ui/aboutform.h"
#include "profiles/ui/sizeform.h"
#include "settings/ui/settingform.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>

class TestAccessibility : public QObject {
    Q_OBJECT

    static QStringList unnamedControls(QWidget* window) {
        QStringList missing;
        const auto widgets = window->findChildren<QWidget*>();
        for (QWidget* w : widgets) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                                 qobject_cast<QProgressBar*>(w) || qobject_cast<QSlider*>(w);
            // Editors and pop-ups that widgets make for themselves carry no name of ours.
            if (control && !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) &&
                w->accessibleName().isEmpty())
                missing << w->objectName();
        }
        return missing;
    }

private slots:
    void everyNamedControlHasAnAccessibleName() {
        TestProgramDir dir;
        FakeDesktop desktop;
        TMainForm form(dir.path(), {}, &desktop);
        form.CreateDialogs();
        for (QWidget* window :
             std::initializer_list<QWidget*>{&form, form.AboutForm, form.SettingForm, form.SizeForm})
            QVERIFY2(
                unnamedControls(window).isEmpty(),
                qPrintable(window->objectName() + QStringLiteral(": ") + unnamedControls(window).join(u' ')));
    }

    void toolBarButtonsAreNamedByTheirHints() {
        TestProgramDir dir(QStringLiteral(RW_FFMPEG), false);
        FakeDesktop desktop;
        TMainForm form(dir.path(), {}, &desktop);
        const QList<QToolButton*> buttons{form.tbtnAddFile, form.tbtnAddDir, form.tbtnUp,    form.tbtnDown,
                                          form.tbtnRemove,  form.tbtnClear,  form.tbtnStart, form.tbtnStop,
                                          form.tbtnSetting, form.tbtnAbout,  form.tbtnHelp};
        for (QToolButton* b : buttons) {
            QVERIFY(!b->toolTip().isEmpty());
            QCOMPARE(b->accessibleName(), b->toolTip());
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

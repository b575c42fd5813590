// The key/value grid and its collapsible section, without the main window.
#include "app/ui/mainform.h"
#include "profiles/profile.h"
#include "profiles/switches.h"
#include "profiles/ui/gridsection.h"
#include "profiles/ui/sizeform.h"
#include "profiles/ui/valuelisteditor.h"
#include "support/clips.h"
#include "support/fakedesktop.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
const QColor kSilver(192, 192, 192);
const QColor kFocusedKey(49, 106, 197);

enum Row { PlainEditable, PlainReadOnly, PickReadOnly, PickEditable };

// A grid holding one row of each kind, shown in an active window.
struct Grid {
    QWidget window;
    ValueListEditor* vle = new ValueListEditor(&window);
    ValueListModel* model = vle->model();
    QLineEdit* elsewhere = new QLineEdit(&window); // somewhere the focus can go

    Grid() {
        model->appendRow(QStringLiteral("Bit Rate"), QStringLiteral("800"));
        model->setReadOnly(model->appendRow(QStringLiteral("Aspect"), QStringLiteral("4:3")), true);
        const int pick = model->appendRow(QStringLiteral("Video Size"), QStringLiteral("Original Size"));
        model->setEditStyle(pick, ValueListModel::EditStyle::PickList);
        model->setPickList(pick, {QStringLiteral("Original Size"), QStringLiteral("640x480"),
                                  QStringLiteral("Custom Size")});
        model->setReadOnly(pick, true);
        const int free = model->appendRow(QStringLiteral("Channels"), QStringLiteral("2"));
        model->setEditStyle(free, ValueListModel::EditStyle::PickList);
        model->setPickList(free, {QStringLiteral("1"), QStringLiteral("2")});
        vle->setColumnWidths(95, 68);
        vle->setGeometry(0, 0, 200, 4 * 18);
        elsewhere->setGeometry(0, 100, 100, 20);
        window.resize(220, 140);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QPoint cellCentre(int row, int column) const {
        return vle->visualRect(model->index(row, column)).center();
    }
    void clickCell(int row, int column) {
        QTest::mouseClick(vle->viewport(), Qt::LeftButton, {}, cellCentre(row, column));
    }
};

// Two small profiles: "Alpha" fills the video and audio grids, "Beta" only the audio grid.
const char* const kAlpha = "[Main]\nType=avi\nPara=3\n0=Video Size\n1=Bit Rate\n2=Audio Codec\n"
                           "[Video Size]\nSort=1\nCaption=Original Size,640x480,Custom Size,\n"
                           "Value=,640x480,,\nIndex=0\ncmd=-s\n"
                           "[Bit Rate]\nSort=1\nList=0\nCaption=800\nValue=800k\ncmd=-b:v\n"
                           "[Audio Codec]\nSort=2\nCaption=AAC,MP3,\nValue=aac,libmp3lame,\ncmd=-c:a\n";
const char* const kBeta = "[Main]\nType=mp3\nPara=2\n0=Audio Codec\n1=Channels\n"
                          "[Audio Codec]\nSort=2\nCaption=MP3,\nValue=libmp3lame,\ncmd=-c:a\n"
                          "[Channels]\nSort=2\nCaption=Mono,Stereo,\nValue=1,2,\nIndex=1\ncmd=-ac\n";

// The main window in a throw-away program folder holding the two profiles.
struct MainWindow {
    TestProgramDir dir{QStringLiteral(RW_FAKE_ENCODER), false};
    FakeDesktop desktop;
    std::unique_ptr<TMainForm> form;

    MainWindow() {
        for (const auto& [name, text] : {std::pair{"Alpha", kAlpha}, std::pair{"Beta", kBeta}}) {
            QFile file(dir.profilesDir() + QLatin1String(name) + QStringLiteral(".cvp"));
            if (file.open(QIODevice::WriteOnly))
                file.write(text);
        }
        form = std::make_unique<TMainForm>(dir.path(), QStringList{}, &desktop);
        form->CreateDialogs();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    ~MainWindow() { form->hide(); }

    void choose(const QString& profile) {
        const int index = form->cmbProfile->findText(profile);
        QVERIFY(index >= 0);
        form->cmbProfile->setCurrentIndex(index);
        emit form->cmbProfile->activated(index);
    }
    static QStringList keys(const ValueListEditor* grid) {
        QStringList out;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            out << grid->model()->key(row);
        return out;
    }
};
} // namespace

class TestGrids : public QObject {
    Q_OBJECT

private slots:
    void layoutOfTheGrid() {
        Grid g;
        QCOMPARE(g.vle->rowViewportPosition(1) - g.vle->rowViewportPosition(0), 18);
        QCOMPARE(g.vle->rowViewportPosition(3), 3 * 18);
        QCOMPARE(g.vle->visualRect(g.model->index(0, 1)).height(), ValueListEditor::kRowHeight);
        QVERIFY(g.vle->horizontalHeader()->isHidden());
        QVERIFY(g.vle->verticalHeader()->isHidden());
        QCOMPARE(g.vle->frameWidth(), 0);
        QCOMPARE(g.vle->columnWidth(0), 95);
        // The value column takes the rest of the grid's width.
        QCOMPARE(g.vle->columnWidth(0) + g.vle->columnWidth(1), g.vle->viewport()->width());
        g.vle->resize(300, g.vle->height());
        QCOMPARE(g.vle->columnWidth(1), 300 - 95);
    }

    void dragTheColumnLine() {
        Grid g;
        const int line = g.vle->columnViewportPosition(1);
        QWidget* vp = g.vle->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(line, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(line + 20, 5), vp->mapToGlobal(QPointF(line + 20, 5)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(line + 20, 5));
        QCOMPARE(g.vle->columnWidth(0), 115);
        QCOMPARE(g.vle->columnWidth(0) + g.vle->columnWidth(1), vp->width());
    }

    void editorsPerRowKind() {
        Grid g;
        g.vle->setFocus();
        // A key cell is never edited; the cursor moves to the row's value.
        g.clickCell(PlainEditable, 0);
        QCOMPARE(g.vle->currentIndex(), g.model->index(PlainEditable, 1));
        auto* edit = qobject_cast<QLineEdit*>(g.vle->activeEditor());
        QVERIFY(edit);
        // The INI format cannot hold "[" or a line break, so the editor takes neither.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("a[b"));
        QCOMPARE(edit->text(), QStringLiteral("ab"));
        edit->insert(QStringLiteral("c\nd"));
        QCOMPARE(edit->text(), QStringLiteral("ab"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_COMPARE(g.model->value(PlainEditable), QStringLiteral("ab"));

        g.clickCell(PlainReadOnly, 1);
        QCOMPARE(g.vle->currentRow(), int(PlainReadOnly));
        QVERIFY(!g.vle->activeEditor());
        QTest::keyClicks(g.vle, QStringLiteral("9"));
        QTest::mouseDClick(g.vle->viewport(), Qt::LeftButton, {}, g.cellCentre(PlainReadOnly, 1));
        QVERIFY(!g.vle->activeEditor());
        QCOMPARE(g.model->value(PlainReadOnly), QStringLiteral("4:3"));

        // A read-only pick row is still chosen from its list, but nothing can be typed into it.
        QSignalSpy edited(g.model, &ValueListModel::valueEdited);
        g.clickCell(PickReadOnly, 1);
        auto* combo = qobject_cast<QComboBox*>(g.vle->activeEditor());
        QVERIFY(combo);
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentText(), QStringLiteral("Original Size"));
        combo->setCurrentIndex(2);
        emit combo->activated(2);
        // The choice counts at once, while the editor is still open.
        QCOMPARE(g.model->value(PickReadOnly), QStringLiteral("Custom Size"));
        QCOMPARE(edited.count(), 1);

        // A value outside the list, set from outside, is not overwritten when the editor closes.
        g.model->setValue(PickReadOnly, QStringLiteral("720x576"));
        QCOMPARE(combo->currentIndex(), -1);
        g.elsewhere->setFocus();
        QTRY_VERIFY(!g.vle->activeEditor());
        QCOMPARE(g.model->value(PickReadOnly), QStringLiteral("720x576"));
    }

    void editingOff() {
        Grid g;
        g.vle->setFocus();
        g.clickCell(PlainEditable, 1);
        QVERIFY(g.vle->activeEditor());
        g.vle->setEditingEnabled(false);
        QTRY_VERIFY(!g.vle->activeEditor());
        g.clickCell(PickEditable, 1);
        QTest::mouseDClick(g.vle->viewport(), Qt::LeftButton, {}, g.cellCentre(PlainEditable, 1));
        QTest::keyClicks(g.vle, QStringLiteral("x"));
        QVERIFY(!g.vle->activeEditor());
        g.vle->edit(g.model->index(PlainEditable, 1));
        QVERIFY(!g.vle->activeEditor());
        g.vle->setEditingEnabled(true);
        g.clickCell(PlainEditable, 1);
        QVERIFY(g.vle->activeEditor());
    }

    void pressIsReportedBeforeTheGridActs() {
        Grid g;
        QSignalSpy presses(g.vle, &ValueListEditor::mousePressed);
        QSignalSpy clicks(g.vle, &ValueListEditor::clicked);
        // Like the output grid with no task shown: the press handler switches editing off first.
        int rowAtPress = -2;
        connect(g.vle, &ValueListEditor::mousePressed, g.vle, [&] {
            rowAtPress = g.vle->currentRow();
            g.vle->setEditingEnabled(false);
        });
        g.clickCell(PickEditable, 1);
        QCOMPARE(rowAtPress, 0);
        QCOMPARE(g.vle->currentRow(), int(PickEditable));
        QVERIFY(g.vle->viewport()->findChildren<QComboBox*>().isEmpty()); // no editor was ever opened
        QCOMPARE(presses.count(), 1);
        QCOMPARE(presses.first().at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(g.vle->viewport(), Qt::RightButton, {}, g.cellCentre(PickEditable, 1));
        QCOMPARE(presses.count(), 2);
        QCOMPARE(presses.last().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    }

    void cellColours() {
        Grid g;
        const QColor window = g.vle->palette().color(QPalette::Base);
        const QColor font = g.vle->palette().color(QPalette::Text);
        const QColor fixed = g.vle->palette().color(QPalette::Button);
        g.vle->setCurrentIndex(g.model->index(PickEditable, 1));
        g.elsewhere->setFocus();

        struct Case {
            const char* name;
            int row, column;
            QColor background, text;
        };
        const Case unfocused[] = {
            {"read-only plain value is silver", PlainReadOnly, 1, window, kSilver},
            {"read-only pick value is normal", PickReadOnly, 1, window, font},
            {"current value: no highlight, black", PickEditable, 1, window, Qt::black},
            {"current key without focus", PickEditable, 0, window, Qt::black},
            {"other key cells", PlainEditable, 0, fixed, font},
        };
        for (const Case& c : unfocused) {
            const ValueListEditor::CellColors got = g.vle->cellColors(c.row, c.column);
            QVERIFY2(got.background == c.background && got.text == c.text, c.name);
        }
        g.vle->setCurrentIndex(g.model->index(PlainReadOnly, 1));
        QCOMPARE(g.vle->cellColors(PlainReadOnly, 1).text, kSilver);
        g.vle->setFocus();
        QCOMPARE(g.vle->cellColors(PlainReadOnly, 0).background, kFocusedKey);
        QCOMPARE(g.vle->cellColors(PlainEditable, 0).background, fixed);
        // An open editor keeps the grid's focus mark.
        g.clickCell(PlainEditable, 1);
        QVERIFY(g.vle->activeEditor());
        QCOMPARE(g.vle->cellColors(PlainEditable, 0).background, kFocusedKey);
    }

    void paintedColours() {
        Grid g;
        g.vle->setFocus();
        g.vle->setCurrentIndex(g.model->index(PlainReadOnly, 1));
        const QImage shot = g.vle->viewport()->grab().toImage();
        auto pixel = [&](int row, int column) {
            const QRect r = g.vle->visualRect(g.model->index(row, column));
            return QColor(shot.pixel(r.right() - 2, r.center().y()));
        };
        QCOMPARE(pixel(PlainReadOnly, 0), kFocusedKey);
        QCOMPARE(pixel(PlainReadOnly, 1), g.vle->palette().color(QPalette::Base));
        QCOMPARE(pixel(PlainEditable, 0), g.vle->palette().color(QPalette::Button));
        // Text is drawn in its colour; antialiased edges only lighten it towards the background.
        auto darkestIn = [&](int row) {
            const QRect r = g.vle->visualRect(g.model->index(row, 1));
            int darkest = 255;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    darkest = qMin(darkest, qGray(shot.pixel(x, y)));
            return darkest;
        };
        QCOMPARE(darkestIn(PlainReadOnly), qGray(kSilver.rgb()));
        QVERIFY(darkestIn(PickReadOnly) < 100);
    }

    void sectionHeightsAndToggle() {
        const QStringList rows{"Video Codec", "Video Size", "Bit Rate",
                               "Frame Rate",  "Aspect",     "Disable Video"};
        GridSection sec("Video", rows);
        sec.show();
        QCOMPARE(sec.vle()->height(), 6 * 18);
        QCOMPARE(sec.btn()->text(), QStringLiteral("-"));
        sec.toggle();
        QCOMPARE(sec.vle()->height(), 1);
        QCOMPARE(sec.btn()->text(), QStringLiteral("+"));
        sec.toggle();
        QCOMPARE(sec.vle()->height(), 6 * 18 + 1);
        QCOMPARE(sec.btn()->text(), QStringLiteral("-"));

        // A profile loaded into a collapsed section shows its rows but leaves the button at "+".
        sec.toggle();
        sec.vle()->model()->clearRows();
        sec.vle()->model()->appendRow("Bit Exact Algorithms");
        sec.vle()->model()->appendRow("Deinterlace");
        sec.fitRows();
        QCOMPARE(sec.vle()->height(), 2 * 18);
        QCOMPARE(sec.btn()->text(), QStringLiteral("+"));
        sec.toggle();
        QCOMPARE(sec.vle()->height(), 2 * 18 + 1);
        QCOMPARE(sec.btn()->text(), QStringLiteral("-"));

        sec.vle()->model()->clearRows();
        sec.fitRows();
        QCOMPARE(sec.vle()->height(), 18);
        QCOMPARE(sec.sizeHint().height(), 18 + 18);

        // A grid left without rows still shows its one empty row: the grid lines around it, and the
        // key cell marked as the current one.
        sec.vle()->setColumnWidths(95, 68);
        auto emptyRow = [&] { return sec.vle()->viewport()->grab().toImage(); };
        const QColor base = sec.vle()->palette().color(QPalette::Base);
        QImage shot = emptyRow();
        QVERIFY(QColor(shot.pixel(40, 17)) != base); // the line under the row
        QVERIFY(QColor(shot.pixel(94, 8)) != base);  // the line between key and value
        QCOMPARE(QColor(shot.pixel(40, 8)), base);   // unfocused current key cell
        QCOMPARE(QColor(shot.pixel(140, 8)), base);  // value cell
        sec.activateWindow();
        sec.vle()->setFocus();
        QTRY_VERIFY(sec.vle()->hasFocus());
        shot = emptyRow();
        QCOMPARE(QColor(shot.pixel(40, 8)), kFocusedKey);
    }

    void sectionHeader() {
        GridSection sec("Audio", {"Audio Codec"});
        sec.resize(200, 40);
        sec.show();
        QCOMPARE(sec.pan()->objectName(), QStringLiteral("panAudio"));
        QCOMPARE(sec.btn()->objectName(), QStringLiteral("btnAudio"));
        QCOMPARE(sec.vle()->objectName(), QStringLiteral("vleAudio"));
        QCOMPARE(sec.pan()->geometry(), QRect(0, 0, 200, 18));
        QCOMPARE(sec.btn()->geometry(), QRect(5, 3, 12, 12));
        QVERIFY(sec.btn()->font().bold());
        QCOMPARE(sec.btn()->font().pixelSize(), 16);
        QCOMPARE(sec.pan()->palette().color(QPalette::Window), sec.palette().color(QPalette::Dark));
        auto* caption = sec.pan()->findChild<QLabel*>();
        QCOMPARE(caption->text(), QStringLiteral("      Audio"));
        QVERIFY(caption->font().bold());

        // The header toggles on a double-click only where that is switched on.
        QTest::mouseDClick(sec.pan(), Qt::LeftButton, {}, QPoint(100, 9));
        QCOMPARE(sec.btn()->text(), QStringLiteral("-"));
        sec.setHeaderDoubleClickToggles(true);
        QSignalSpy toggled(&sec, &GridSection::toggled);
        QTest::mouseDClick(caption, Qt::LeftButton, {}, QPoint(60, 9));
        QCOMPARE(sec.btn()->text(), QStringLiteral("+"));
        QCOMPARE(sec.vle()->height(), 1);
        QCOMPARE(toggled.count(), 1);
    }
    void mainWindowLoadsProfilesIntoTheGrids() {
        MainWindow w;
        TMainForm& f = *w.form;
        for (ValueListEditor* grid : {f.vleOutput, f.vleVideo, f.vleAudio, f.vleAdvanced})
            QCOMPARE(grid->columnWidth(0), 95);
        f.btnAudio->click();
        QCOMPARE(f.btnAudio->text(), QStringLiteral("+"));
        QCOMPARE(f.vleAudio->height(), 1);

        w.choose(QStringLiteral("Alpha"));
        QCOMPARE(MainWindow::keys(f.vleVideo), (QStringList{"Video Size", "Bit Rate"}));
        QCOMPARE(MainWindow::keys(f.vleAudio), QStringList{"Audio Codec"});
        QVERIFY(f.vleAdvanced->model()->rowCount() <= 1);
        QCOMPARE(f.ProfileExt, QStringLiteral(".avi"));
        QCOMPARE(f.vleVideo->height(), 2 * 18);
        QCOMPARE(f.vleAdvanced->height(), 18);
        // The collapsed section shows its new rows, and its button still says "+".
        QCOMPARE(f.vleAudio->height(), 18);
        QCOMPARE(f.btnAudio->text(), QStringLiteral("+"));
        f.btnAudio->click();
        QCOMPARE(f.vleAudio->height(), 18 + 1);
        QCOMPARE(f.btnAudio->text(), QStringLiteral("-"));

        // Rows the new profile does not use go too.
        w.choose(QStringLiteral("Beta"));
        QVERIFY(f.vleVideo->model()->rowCount() <= 1);
        QVERIFY(!MainWindow::keys(f.vleVideo).contains(QStringLiteral("Video Size")));
        QCOMPARE(MainWindow::keys(f.vleAudio), (QStringList{"Audio Codec", "Channels"}));
        QCOMPARE(f.vleAudio->model()->valueOf(QStringLiteral("Channels")), QStringLiteral("Stereo"));
        QCOMPARE(f.ProfileExt, QStringLiteral(".mp3"));

        // A profile whose file has gone changes nothing.
        QVERIFY(QFile::remove(w.dir.profilesDir() + QStringLiteral("Alpha.cvp")));
        w.choose(QStringLiteral("Alpha"));
        QCOMPARE(MainWindow::keys(f.vleAudio), (QStringList{"Audio Codec", "Channels"}));
        QCOMPARE(f.ProfileExt, QStringLiteral(".mp3"));

        // The header of a main-window section toggles on a double-click.
        QTest::mouseDClick(f.panVideo, Qt::LeftButton, {}, QPoint(80, 9));
        QCOMPARE(f.btnVideo->text(), QStringLiteral("+"));
        QVERIFY(w.desktop.messages.isEmpty());
    }

    void mainWindowCustomSize() {
        MainWindow w;
        TMainForm& f = *w.form;
        w.choose(QStringLiteral("Alpha"));
        ValueListModel* video = f.vleVideo->model();
        QVERIFY(f.SizeForm && !f.SizeForm->isVisible());

        // Picking "Custom Size" in the Video Size row opens the dialog over a disabled window.
        f.vleVideo->setFocus();
        const QRect cell = f.vleVideo->visualRect(video->index(0, 1));
        QTest::mouseClick(f.vleVideo->viewport(), Qt::LeftButton, {}, cell.center());
        auto* combo = qobject_cast<QComboBox*>(f.vleVideo->activeEditor());
        QVERIFY(combo);
        const int custom = combo->findText(QStringLiteral("Custom Size"));
        combo->setCurrentIndex(custom);
        emit combo->activated(custom);
        QVERIFY(f.SizeForm->isVisible());
        QVERIFY(!f.isEnabled());

        f.SizeForm->edtWidth->setText(QStringLiteral("720"));
        f.SizeForm->edtHeight->setText(QStringLiteral("576"));
        f.SizeForm->btnOK->click();
        QVERIFY(!f.SizeForm->isVisible());
        QVERIFY(f.isEnabled());
        QCOMPARE(video->value(0), QStringLiteral("720x576"));
        // The typed size matches no caption, so the next run passes it on as the switch's argument.
        QCOMPARE(BuildSwitches(ProfilePath(f.AppDir, QStringLiteral("Alpha")),
                               {video, f.vleAudio->model(), f.vleAdvanced->model()}),
                 QStringLiteral(" -s 720x576 -b:v 800 -c:a aac"));

        // "Custom Size" set while another row is current opens nothing.
        f.vleVideo->setCurrentIndex(video->index(1, 1));
        video->setValue(0, QStringLiteral("Custom Size"));
        QVERIFY(!f.SizeForm->isVisible());
    }
};

QTEST_MAIN(TestGrids)
#include "tst_grids.moc"

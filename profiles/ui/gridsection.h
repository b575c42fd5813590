#pragma once
// One collapsible section of a profile box: an 18-pixel header strip with a bold caption and a
// 12x12 "-"/"+" toggle button, above its grid.

#include <QFrame>
#include <QStringList>

class QPushButton;
class QLabel;
class ValueListEditor;

class GridSection : public QFrame {
    Q_OBJECT
public:
    // panName/btnName/vleName become the objectNames of the header, the toggle and the grid;
    // caption is shown as given ("      Video"); designRows become the grid's keys with empty values.
    GridSection(const QString& panName, const QString& caption, const QString& btnName,
                const QString& vleName, const QStringList& designRows, QWidget* parent = nullptr);

    QFrame* pan() const { return pan_; }
    QPushButton* btn() const { return btn_; }
    ValueListEditor* vle() const { return vle_; }

    // The toggle: "-" collapses the grid to 1 pixel and shows "+"; "+" expands it to
    // rows x 17 + rows + 1 pixels and shows "-".
    void toggle();
    // Height of rows x 18 pixels (one empty row's height when there are none), as after loading a profile;
    // the toggle caption is left alone.
    void fitRows();
    // A double-click on the header toggles the section when this is on (the main window's boxes).
    void setHeaderDoubleClickToggles(bool on);

signals:
    void toggled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* pan_;
    QLabel* caption_;
    QPushButton* btn_;
    ValueListEditor* vle_;
    bool dblClickToggles_ = false;
};

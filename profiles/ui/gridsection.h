#pragma once
// One collapsible section of a profile box: an 18-pixel header strip with a bold caption and a
// 12x12 "-"/"+" toggle button, above its grid.

#include <QFrame>
#include <QStringList>

#include <array>

// The rows the profile grids show before a profile is loaded.
inline const QStringList kVideoDesignRows{"Video Codec", "Video Size", "Bit Rate",
                                          "Frame Rate",  "Aspect",     "Disable Video"};
inline const QStringList kAudioDesignRows{"Audio Codec", "Audio Bitrate", "Sample Rate",
                                          "Channels",    "Volumn",        "Disable Audio"};
inline const QStringList kAdvancedDesignRows{"Bit Exact Algorithms", "Deinterlace"};

class QPushButton;
class QLabel;
class ValueListEditor;

class GridSection : public QFrame {
    Q_OBJECT
public:
    // The parts are named after role: the section "sec" + role, the header "pan" + role with the
    // caption "      " + role, the toggle "btn" + role and the grid "vle" + role. designRows become
    // the grid's keys with empty values.
    GridSection(const QString& role, const QStringList& designRows, QWidget* parent = nullptr);

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

// Loads a profile into the three sections' grids (video, audio, advanced) and fits each grid to its
// rows, the toggle captions left alone. profileExt, when given, receives "." + the profile's Type.
// Returns whether the grids were filled; error receives the store's report of a failed read or write.
bool LoadProfileIntoSections(const QString& path, const std::array<GridSection*, 3>& sections,
                             QString* profileExt, QString* error);

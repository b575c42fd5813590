#pragma once
// The encoder switches of a run: one " cmd argument" piece per parameter of the profile, the
// argument taken from the profile file or from what the main window's grids show.

#include <QString>

#include <array>

class ValueListModel;

// Appends to text the switches of the profile at path, in parameter order, with the grids' current
// values (video, audio, advanced; a parameter's grid chosen as by the loader). A list parameter's
// argument is the Value item at the position of the shown caption (matched ignoring case); a shown
// text matching no caption is passed on as it stands; a matched caption without a Value item adds
// nothing. A plain read-only parameter uses the file's Value, an editable one the shown text. An
// empty cmd or argument adds nothing; the argument "\" gives the switch alone (" cmd "). A missing or
// unreadable file returns text unchanged.
QString BuildSwitches(const QString& profilePath, std::array<const ValueListModel*, 3> grids,
                      const QString& text = {});

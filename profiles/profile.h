#pragma once
// Profile files (".cvp" in the program's "Profiles/" folder): the catalogue, loading a profile into
// the three parameter grids (video, audio, advanced), and writing the grids' choices back.

#include <QString>
#include <QStringList>

#include <array>

class ValueListModel;

// Grid positions in the arrays below.
enum ProfileGrid { gridVideo = 0, gridAudio = 1, gridAdvanced = 2 };

// The grid of a parameter's Sort: 1 video, 2 audio, 3 advanced; any other Sort goes to the
// advanced grid, so every parameter has exactly one grid.
int GridOfSort(int sort);

// EnsureBackslash(appDir) + "Profiles/".
QString ProfileDir(const QString& appDir);
// ProfileDir(appDir) + name + ".cvp".
QString ProfilePath(const QString& appDir, const QString& name);

// Names (without folder) of the regular files in folder whose extension (from the last ".", dot
// included) equals ext ignoring ASCII letter case; hidden files included, folders skipped. Sorted
// ignoring letter case so the catalogue's order does not depend on the file system.
QStringList ListFilesByExt(const QString& folder, const QString& ext);

// Comma list: every item ends with ","; the text after the last "," is not an item.
QStringList SplitList(const QString& text);
// Position of the first caption equal to shown without regard to letter case, -1 when none is.
int IndexOfCaption(const QStringList& captions, const QString& shown);

// Fills the three grids from the profile at path: their rows are replaced by one row per parameter.
// List parameters get a read-only pick-list row showing captions[Index] (the first caption when
// Index is outside the list, an empty value when there are no captions); plain parameters show
// Caption, read-only when ReadOnly says so. profileExt (main window only, may be null) receives
// "." + Type. Returns true when the grids were filled; a missing file changes nothing and returns
// false. *error (may be null) receives "Cannot read|write <file>: <reason>" when the file could not be
// read (nothing changes) or rewritten (the grids are filled all the same).
bool LoadProfile(const QString& path, std::array<ValueListModel*, 3> grids, QString* profileExt,
                 QString* error = nullptr);

// Writes the grids' choices into the profile at path: Index of list parameters (position of the shown
// caption in the row's pick list ignoring case, -1 when absent), Caption and Value of plain ones;
// read-only parameters and parameters without a row are left alone, nothing else is written. A
// missing file is left missing. Returns false and fills *error (may be null) when the file could not
// be read or written.
bool SaveProfile(const QString& path, std::array<const ValueListModel*, 3> grids, QString* error = nullptr);

// Copies source onto destination (replacing it; the old destination stays whole until the copy is
// complete) and saves the grids into the copy. Returns false and fills *error when source is missing
// or a read or write failed.
bool SaveProfileAs(const QString& source, const QString& destination,
                   std::array<const ValueListModel*, 3> grids, QString* error = nullptr);

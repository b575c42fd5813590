#pragma once
// The preferences file "Preferences.ini" beside the program: the general settings of the settings
// dialog, the output folder and the chosen profile. Each function is one use of the INI store: open,
// read or write in a fixed order, close (so even a pure read creates a missing file). The INI format
// cannot hold "[", so "Output Path" is stored with "[" as "%5B" and "%" as "%25".

#include <QString>

struct GeneralSettings {
    QString outputPath;
    int synMode = 0;
    bool openDir = true;
    bool exit = false;
    bool turnoff = false;
    bool overwrite = true;
};

// Success of one use of the store; error is the store's text ("Cannot read|write <file>: <reason>").
// A read fails only when the file exists and cannot be read: a missing file that cannot be created
// loses nothing, and the next write reports it.
struct PreferencesResult {
    bool ok = true;
    QString error;
};

// appDir ends in "/"; the file is appDir + "Preferences.ini".
QString PreferencesFilePath(const QString& appDir);

// The live values of section "Main"; absent or unreadable keys take the defaults (Output Path appDir,
// Syn Mode 0, Auto Open Dir true, Auto Exit false, Auto Turn Off false, Overwrite true).
PreferencesResult ReadGeneralSettings(const QString& appDir, GeneralSettings* out);
// Section "Default", read the same way but with Auto Open Dir defaulting to false. Never written.
PreferencesResult ReadDefaultSettings(const QString& appDir, GeneralSettings* out);
// Section "Main" in the order Output Path, Syn Mode, Auto Open Dir, Auto Exit, Auto Turn Off, Overwrite.
PreferencesResult WriteGeneralSettings(const QString& appDir, const GeneralSettings& settings);

// What the main window restores when it is shown: "Main"/"Output Path" (default appDir) and, only
// when the catalogue holds a profile, "Main"/"Profile" (default 0). profileIndex is left alone otherwise.
PreferencesResult ReadStartupPreferences(const QString& appDir, bool haveProfiles, QString* outputPath,
                                         int* profileIndex);
// Everything the program keeps at exit, in the order Profile, Output Path, Syn Mode, Auto Open Dir,
// Auto Exit, Auto Turn Off, Overwrite; settings.outputPath is the main window's folder.
PreferencesResult WritePreferences(const QString& appDir, int profileIndex, const GeneralSettings& settings);

#include "settings/preferences.h"

#include "profiles/newinifile.h"

#include <QFileInfo>

namespace {

const QString kMain = QStringLiteral("Main");
const QString kDefault = QStringLiteral("Default");
const QString kOutputPath = QStringLiteral("Output Path");
const QString kProfile = QStringLiteral("Profile");
const QString kSynMode = QStringLiteral("Syn Mode");
const QString kOpenDir = QStringLiteral("Auto Open Dir");
const QString kExit = QStringLiteral("Auto Exit");
const QString kTurnoff = QStringLiteral("Auto Turn Off");
const QString kOverwrite = QStringLiteral("Overwrite");

// The INI format ends a section at any "[", so a folder named with one would be read back cut short
// (often as an existing parent folder). The stored text carries "[" as "%5B" and "%" as "%25".
QString folderToIni(const QString& folder) {
    QString text = folder;
    return text.replace(QLatin1Char('%'), QLatin1String("%25"))
        .replace(QLatin1Char('['), QLatin1String("%5B"));
}

QString folderFromIni(const QString& text) {
    QString folder;
    folder.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView code = QStringView(text).mid(i + 1, 2);
        if (text.at(i) == u'%' && code.compare(QLatin1String("5B"), Qt::CaseInsensitive) == 0) {
            folder += QLatin1Char('[');
            i += 2;
        } else if (text.at(i) == u'%' && code == QLatin1String("25")) {
            folder += QLatin1Char('%');
            i += 2;
        } else {
            folder += text.at(i);
        }
    }
    return folder;
}

PreferencesResult closeStore(TNewInifile& ini) {
    PreferencesResult result;
    result.ok = ini.Close();
    if (!result.ok)
        result.error = ini.error();
    return result;
}

// A read closes the store too, which creates a missing file. When that cannot be done (a read-only
// program folder) nothing is lost, and the next write reports it; only a file that exists and
// cannot be read makes a read fail.
PreferencesResult closeAfterRead(TNewInifile& ini, bool existed) {
    PreferencesResult result = closeStore(ini);
    if (!existed)
        result = {};
    return result;
}

PreferencesResult readSection(const QString& appDir, const QString& section, bool openDirDefault,
                              GeneralSettings* out) {
    const QString path = PreferencesFilePath(appDir);
    const bool existed = QFileInfo::exists(path);
    TNewInifile ini(path);
    out->outputPath = folderFromIni(ini.ReadString(section, kOutputPath, folderToIni(appDir)));
    out->synMode = ini.ReadInteger(section, kSynMode, 0);
    out->openDir = ini.ReadBool(section, kOpenDir, openDirDefault);
    out->exit = ini.ReadBool(section, kExit, false);
    out->turnoff = ini.ReadBool(section, kTurnoff, false);
    out->overwrite = ini.ReadBool(section, kOverwrite, true);
    return closeAfterRead(ini, existed);
}

// The keys after Output Path, in the order both savers write them.
void writeFlags(TNewInifile& ini, const GeneralSettings& settings) {
    ini.WriteInteger(kMain, kSynMode, settings.synMode);
    ini.WriteBool(kMain, kOpenDir, settings.openDir);
    ini.WriteBool(kMain, kExit, settings.exit);
    ini.WriteBool(kMain, kTurnoff, settings.turnoff);
    ini.WriteBool(kMain, kOverwrite, settings.overwrite);
}

} // namespace

QString PreferencesFilePath(const QString& appDir) {
    return appDir + QStringLiteral("Preferences.ini");
}

PreferencesResult ReadGeneralSettings(const QString& appDir, GeneralSettings* out) {
    return readSection(appDir, kMain, true, out);
}

PreferencesResult ReadDefaultSettings(const QString& appDir, GeneralSettings* out) {
    return readSection(appDir, kDefault, false, out);
}

PreferencesResult WriteGeneralSettings(const QString& appDir, const GeneralSettings& settings) {
    TNewInifile ini(PreferencesFilePath(appDir));
    ini.WriteString(kMain, kOutputPath, folderToIni(settings.outputPath));
    writeFlags(ini, settings);
    return closeStore(ini);
}

PreferencesResult ReadStartupPreferences(const QString& appDir, bool haveProfiles, QString* outputPath,
                                         int* profileIndex) {
    const QString path = PreferencesFilePath(appDir);
    const bool existed = QFileInfo::exists(path);
    TNewInifile ini(path);
    *outputPath = folderFromIni(ini.ReadString(kMain, kOutputPath, folderToIni(appDir)));
    if (haveProfiles)
        *profileIndex = ini.ReadInteger(kMain, kProfile, 0);
    return closeAfterRead(ini, existed);
}

PreferencesResult WritePreferences(const QString& appDir, int profileIndex, const GeneralSettings& settings) {
    TNewInifile ini(PreferencesFilePath(appDir));
    ini.WriteInteger(kMain, kProfile, profileIndex);
    ini.WriteString(kMain, kOutputPath, folderToIni(settings.outputPath));
    writeFlags(ini, settings);
    return closeStore(ini);
}

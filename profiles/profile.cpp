#include "profiles/profile.h"

#include "app/tasktext.h"
#include "profiles/newinifile.h"
#include "profiles/valuelistmodel.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kMain = QStringLiteral("Main");

bool asciiEqualIgnoringCase(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a.at(i).unicode();
        char16_t y = b.at(i).unicode();
        if (x >= u'A' && x <= u'Z')
            x += 32;
        if (y >= u'A' && y <= u'Z')
            y += 32;
        if (x != y)
            return false;
    }
    return true;
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

int GridOfSort(int sort) {
    switch (sort) {
    case 1:
        return gridVideo;
    case 2:
        return gridAudio;
    default:
        return gridAdvanced;
    }
}

QString ProfileDir(const QString& appDir) {
    return EnsureBackslash(appDir) + QStringLiteral("Profiles/");
}

QString ProfilePath(const QString& appDir, const QString& name) {
    return ProfileDir(appDir) + name + QStringLiteral(".cvp");
}

QStringList ListFilesByExt(const QString& folder, const QString& ext) {
    QDir dir(EnsureBackslash(folder));
    if (!dir.exists())
        return {};
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    QStringList names;
    for (const QFileInfo& info : entries) {
        if (!info.isFile())
            continue;
        const QString name = info.fileName();
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0 && asciiEqualIgnoringCase(name.mid(dot), ext))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

int IndexOfCaption(const QStringList& captions, const QString& shown) {
    for (int k = 0; k < captions.size(); ++k) {
        if (captions.at(k).compare(shown, Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

QStringList SplitList(const QString& text) {
    QStringList items;
    qsizetype start = 0;
    for (qsizetype comma = text.indexOf(QLatin1Char(',')); comma >= 0;
         comma = text.indexOf(QLatin1Char(','), start)) {
        items.append(text.mid(start, comma - start));
        start = comma + 1;
    }
    return items;
}

bool LoadProfile(const QString& path, std::array<ValueListModel*, 3> grids, QString* profileExt,
                 QString* error) {
    if (!QFileInfo::exists(path))
        return false;
    TNewInifile ini(path);
    if (!ini.error().isEmpty()) {
        setError(error, ini.error());
        return false;
    }
    for (ValueListModel* grid : grids) {
        if (grid)
            grid->clearRows();
    }
    if (profileExt)
        *profileExt = QLatin1Char('.') + ini.ReadString(kMain, QStringLiteral("Type"), QStringLiteral("mp4"));

    const int count = ini.ReadInteger(kMain, QStringLiteral("Para"), 0);
    for (int i = 0; i < count; ++i) {
        const QString name = ini.ReadString(kMain, QString::number(i), QString());
        ValueListModel* grid = grids[GridOfSort(ini.ReadInteger(name, QStringLiteral("Sort"), -1))];
        if (!grid)
            continue;
        const int row = grid->appendRow(name);
        grid->setReadOnly(row, ini.ReadBool(name, QStringLiteral("ReadOnly"), false));
        const QString caption = ini.ReadString(name, QStringLiteral("Caption"), QString());
        if (ini.ReadBool(name, QStringLiteral("List"), true)) {
            const QStringList captions = SplitList(caption);
            const int index = ini.ReadInteger(name, QStringLiteral("Index"), 0);
            grid->setEditStyle(row, ValueListModel::EditStyle::PickList);
            grid->setPickList(row, captions);
            if (index >= 0 && index < captions.size())
                grid->setValue(row, captions.at(index));
            else if (!captions.isEmpty())
                grid->setValue(row, captions.first());
            // The pick list stays choosable; only typing is barred.
            grid->setReadOnly(row, true);
        } else {
            grid->setValue(row, caption);
        }
    }
    if (!ini.Close())
        setError(error, ini.error());
    return true;
}

namespace {

// The writer's steps on an open store; see SaveProfile.
void saveChoices(TNewInifile& ini, const std::array<const ValueListModel*, 3>& grids) {
    const int count = ini.ReadInteger(kMain, QStringLiteral("Para"), 0);
    for (int i = 0; i < count; ++i) {
        const QString name = ini.ReadString(kMain, QString::number(i), QString());
        const ValueListModel* grid = grids[GridOfSort(ini.ReadInteger(name, QStringLiteral("Sort"), -1))];
        if (ini.ReadBool(name, QStringLiteral("ReadOnly"), false) || !grid)
            continue;
        // A parameter the grids do not show (the file changed since it was loaded) has no choice to save.
        const int row = grid->findKey(name);
        if (row < 0)
            continue;
        const QString shown = grid->value(row);
        if (ini.ReadBool(name, QStringLiteral("List"), true)) {
            ini.WriteInteger(name, QStringLiteral("Index"), IndexOfCaption(grid->pickList(row), shown));
        } else if (ValueListModel::isStorable(shown)) {
            ini.WriteString(name, QStringLiteral("Caption"), shown);
            ini.WriteString(name, QStringLiteral("Value"), shown);
        }
    }
}

bool closeStore(TNewInifile& ini, QString* error) {
    if (ini.Close())
        return true;
    setError(error, ini.error());
    return false;
}

} // namespace

bool SaveProfile(const QString& path, std::array<const ValueListModel*, 3> grids, QString* error) {
    if (!QFileInfo::exists(path))
        return true;
    TNewInifile ini(path);
    if (!ini.error().isEmpty()) {
        setError(error, ini.error());
        return false;
    }
    saveChoices(ini, grids);
    return closeStore(ini, error);
}

bool SaveProfileAs(const QString& source, const QString& destination,
                   std::array<const ValueListModel*, 3> grids, QString* error) {
    if (!QFileInfo::exists(source)) {
        setError(error, QStringLiteral("Cannot read %1: The file does not exist.").arg(source));
        return false;
    }
    const TNewInifile from(source);
    if (!from.error().isEmpty()) {
        setError(error, from.error());
        return false;
    }
    // The copy and the saved choices reach the destination in one write, so a failure leaves the old
    // destination whole, and saving a profile onto itself reads it completely first.
    TNewInifile to(destination);
    if (!to.error().isEmpty()) {
        setError(error, to.error());
        return false;
    }
    to.Lines = from.Lines;
    saveChoices(to, grids);
    return closeStore(to, error);
}

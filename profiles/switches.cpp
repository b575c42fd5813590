#include "profiles/switches.h"

#include "profiles/newinifile.h"
#include "profiles/profile.h"
#include "profiles/valuelistmodel.h"

#include <QFileInfo>

QString BuildSwitches(const QString& profilePath, std::array<const ValueListModel*, 3> grids,
                      const QString& text) {
    if (!QFileInfo::exists(profilePath))
        return text;
    TNewInifile ini(profilePath);
    if (!ini.error().isEmpty())
        return text;

    QString result = text;
    const QString main = QStringLiteral("Main");
    const int count = ini.ReadInteger(main, QStringLiteral("Para"), 0);
    for (int i = 0; i < count; ++i) {
        const QString name = ini.ReadString(main, QString::number(i), QString());
        const ValueListModel* grid = grids[GridOfSort(ini.ReadInteger(name, QStringLiteral("Sort"), -1))];
        const bool readOnly = ini.ReadBool(name, QStringLiteral("ReadOnly"), false);
        const QString cmd = ini.ReadString(name, QStringLiteral("cmd"), QString());
        const bool list = ini.ReadBool(name, QStringLiteral("List"), true);
        const QString caption = ini.ReadString(name, QStringLiteral("Caption"), QString());
        const QString value = ini.ReadString(name, QStringLiteral("Value"), QString());
        const QString shown = grid ? grid->valueOf(name) : QString();

        QString argument;
        if (list) {
            const QStringList captions = SplitList(caption);
            const QStringList values = SplitList(value);
            const int k = IndexOfCaption(captions, shown);
            if (k < 0)
                argument = shown;
            else if (k < values.size())
                argument = values.at(k);
        } else {
            argument = readOnly ? value : shown;
        }
        if (cmd.isEmpty() || argument.isEmpty())
            continue;
        if (argument == QLatin1String("\\"))
            argument.clear();
        result += QLatin1Char(' ') + cmd + QLatin1Char(' ') + argument;
    }
    // A rewrite that fails changes nothing in what the run needs; the switches stand.
    ini.Close();
    return result;
}

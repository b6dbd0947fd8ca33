// SPDX-License-Identifier: MIT
#include "settings/SettingsRules.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <algorithm>

int OpacityPercent(int transparence)
{
    return std::max(10, transparence * 100 / 255);
}

QString OpacityTitle(int transparence)
{
    return QCoreApplication::translate("InterfacePage", "透明度: %1%").arg(OpacityPercent(transparence));
}

QString VolumeText(int volume)
{
    return QCoreApplication::translate("SpeakPage", "音量: %1%").arg(volume);
}

QStringList SortedServerNames(const QString &serverListPath)
{
    QStringList names;
    QFile file(serverListPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            names.append(line);
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

// SPDX-License-Identifier: MIT
#include "model/DataBackup.h"

#include "model/AtomicFile.h"
#include "model/DateTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

// A copy that reaches the disk before the original is replaced, and never a
// half-written one: a crash between the two must not lose both.
bool copyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;
    return WriteFileAtomically(to, bytes).ok;
}

} // namespace

QString CopyDamagedFileAside(const QString &path, const DateTime &now)
{
    if (!now.IsValid())
        return {};
    const QString base = path + QStringLiteral(".damaged-") + now.Format("%Y%m%d-%H%M%S");
    QString copy = base;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = base + QStringLiteral("-%1").arg(n);
    return copyFile(path, copy) ? copy : QString();
}

bool KeepDailyBackup(const QString &programDirectory, const QString &fileName, const DateTime &now, int keep)
{
    const QDir program(programDirectory);
    const QString source = program.filePath(fileName);
    if (!now.IsValid() || !QFileInfo::exists(source))
        return true;
    QDir backup(program.filePath(BackupFolderName));
    const QString today = fileName + QLatin1Char('.') + now.Format("%Y%m%d");
    if (QFileInfo::exists(backup.filePath(today)))
        return true;
    if (!program.mkpath(BackupFolderName) || !copyFile(source, backup.filePath(today)))
        return false;

    // Only names this function gives are ever removed.
    const QRegularExpression ours(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(fileName) + QStringLiteral("\\.[0-9]{8}")));
    QStringList copies = backup.entryList(QDir::Files);
    copies.removeIf([&](const QString &name) { return !ours.match(name).hasMatch(); });
    std::sort(copies.begin(), copies.end(), std::greater<>());
    for (qsizetype i = std::max(keep, 1); i < copies.size(); ++i) {
        if (copies[i] != today) // a clock set back once must not cost today's copy
            backup.remove(copies[i]);
    }
    return true;
}

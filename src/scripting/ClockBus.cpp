// SPDX-License-Identifier: MIT
#include "scripting/ClockBus.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>

namespace {

// The folder as the file system names it, so that every spelling of one
// folder gives one name.
QString canonical(const QString &folder)
{
    const QString path = QDir(folder).canonicalPath();
    return path.isEmpty() ? QDir(folder).absolutePath() : path;
}

} // namespace

QString ClockBusName(const QString &programDirectory)
{
    const QString folder = canonical(programDirectory);
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return ClockServiceName + QStringLiteral(".Home_") + QString::fromLatin1(hash);
}

QString ReminderId(EntryHandle entry)
{
    return QStringLiteral("%1.%2").arg(entry.index).arg(entry.generation);
}

std::optional<EntryHandle> ParseReminderId(const QString &id)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,10})\\.(\\d{1,10})$"));
    const QRegularExpressionMatch match = pattern.match(id.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    bool indexOk = false;
    bool generationOk = false;
    const uint index = match.captured(1).toUInt(&indexOk);
    const uint generation = match.captured(2).toUInt(&generationOk);
    if (!indexOk || !generationOk || generation == 0)
        return std::nullopt;
    return EntryHandle {index, generation};
}

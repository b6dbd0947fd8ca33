// SPDX-License-Identifier: MIT
#include "update/ProgramProfile.h"

#include "model/ProfileFile.h"
#include "update/UpdateLog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString Section = u"Tockly"_s;
const QString UpdateKey = u"update"_s;

} // namespace

ProgramProfile::ProgramProfile(QString path)
    : m_path(path.isEmpty() ? DefaultPath() : std::move(path))
{ }

QString ProgramProfile::DefaultPath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(u"tockly/clock.ini"_s);
}

int ProgramProfile::UpdateOfferSwitchedOff() const
{
    return ProfileFile(m_path).ReadDecimal(Section, UpdateKey, u"0"_s);
}

bool ProgramProfile::SetUpdateOfferSwitchedOff(int value)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    ProfileFile profile(m_path);
    profile.WriteValue(Section, UpdateKey, qint64(value));
    const WriteResult result = profile.Save();
    if (!result)
        qCWarning(lcUpdate) << "Could not store the update offer choice in" << m_path << ":" << result.error;
    return bool(result);
}

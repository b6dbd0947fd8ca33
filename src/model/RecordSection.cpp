// SPDX-License-Identifier: MIT
#include "model/RecordSection.h"

#include "model/AlarmFile.h"
#include "model/LoadDamage.h"
#include "model/TextScan.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

QList<int> RecordNumbers(const ProfileFile &file, const QString &prefix, const QString &countKey, LoadDamage *damage)
{
    const QString text = file.ReadString(CommonSection, countKey, ProfileFile::NoneValue);
    std::optional<int> count;
    if (text != ProfileFile::NoneValue) {
        const QList<int> number = ScanIntegers(text, "%d");
        if (!number.isEmpty() && number.front() >= 0)
            count = number.front();
        else if (damage)
            damage->badCount = true;
    }
    QList<int> numbers;
    QStringList names;
    file.GetSectionNames(names);
    for (const QString &name : names) {
        const std::optional<int> number = ProfileFile::SectionNumber(prefix, name);
        if (!number)
            continue;
        if (!count || *number < *count)
            numbers.append(*number);
        else if (damage)
            damage->droppedSections.append(name);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

RecordReader::RecordReader(const ProfileFile &file, const QString &section)
    : m_file(file)
    , m_section(file.FindSection(section))
{ }

void RecordReader::require(bool condition)
{
    if (!condition)
        m_ok = false;
}

QString RecordReader::optionalText(const QString &key, int buffer) const
{
    return m_file.ReadString(m_section, key, QString(), buffer);
}

QString RecordReader::text(const QString &key, int buffer)
{
    const QString value = optionalText(key, buffer);
    require(!value.isEmpty());
    return value;
}

QStringView RecordReader::mandatory(const QString &key)
{
    const QStringView value = m_file.ReadView(m_section, key);
    require(!value.isEmpty());
    return value;
}

int RecordReader::decimal(const QString &key)
{
    return ToDecimal(mandatory(key));
}

qint64 RecordReader::longDecimal(const QString &key)
{
    return ToLongDecimal(mandatory(key));
}

DateTime RecordReader::dateTime(const QString &key)
{
    int n[6];
    const bool read = ScanExactly(mandatory(key), "%d-%d-%d %d:%d:%d", n);
    return checked(read ? DateTime::FromParts(n[0], n[1], n[2], n[3], n[4], n[5]) : DateTime::Invalid());
}

DateTime RecordReader::date(const QString &key)
{
    int n[3];
    const bool read = ScanExactly(mandatory(key), "%d-%d-%d", n);
    return checked(read ? DateTime::FromParts(n[0], n[1], n[2]) : DateTime::Invalid());
}

DateTime RecordReader::time(const QString &key)
{
    int n[3];
    const bool read = ScanExactly(mandatory(key), "%d:%d:%d", n);
    return checked(read ? DateTime::TimeOfDay(n[0], n[1], n[2]) : DateTime::Invalid());
}

QString RecordReader::existingPath(const QString &key) const
{
    const QString path = optionalText(key);
    return !path.isEmpty() && QFileInfo::exists(path) ? path : QString();
}

DateTime RecordReader::checked(const DateTime &value)
{
    require(value.IsValid());
    return value;
}

RecordWriter::RecordWriter(ProfileFile &file, const QString &section)
    : m_file(file)
    , m_section(file.ReplaceSection(section))
{ }

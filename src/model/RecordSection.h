// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"
#include "model/ProfileFile.h"

#include <QList>
#include <QString>

struct LoadDamage;

// The numbers of the record sections prefix + "%05d" to load, ascending.
// The count under countKey in "Common" limits them, as the saver wrote it.
// A count that is missing, negative or no number counts every such section
// there is, as a huge count does: reading a damaged count as 0 would lose
// every record at the next save. A count that is there but no count, and
// sections beyond a good count, go into damage (when given).
QList<int> RecordNumbers(const ProfileFile &file, const QString &prefix, const QString &countKey, LoadDamage *damage);

// Reads the values of one record section (a task, a birthday, a note). A
// mandatory value that is missing or empty, or a date that does not exist,
// makes the whole record unusable; ok() tells.
class RecordReader
{
public:
    RecordReader(const ProfileFile &file, const QString &section);

    bool ok() const { return m_ok; }
    void require(bool condition);

    // A value that may be missing or empty.
    QString optionalText(const QString &key, int buffer = ProfileFile::ValueBuffer) const;
    // Mandatory values.
    QString text(const QString &key, int buffer = ProfileFile::ValueBuffer);
    int decimal(const QString &key);
    qint64 longDecimal(const QString &key);
    DateTime dateTime(const QString &key); // "%d-%d-%d %d:%d:%d"
    DateTime date(const QString &key); // "%d-%d-%d", at 00:00:00
    DateTime time(const QString &key); // "%d:%d:%d", on 1899-12-30
    // A path, kept only when it names something that exists.
    QString existingPath(const QString &key) const;

private:
    // A mandatory value, read in place: numbers and dates need no copy.
    QStringView mandatory(const QString &key);
    DateTime checked(const DateTime &value);

    const ProfileFile &m_file;
    ProfileFile::SectionRef m_section;
    bool m_ok = true;
};

// Writes one record section afresh: the old section goes, and the new one
// is added at the end of the file.
class RecordWriter
{
public:
    RecordWriter(ProfileFile &file, const QString &section);

    void operator()(const QString &key, qint64 value) { m_file.WriteValue(m_section, key, value); }
    void operator()(const QString &key, QStringView value) { m_file.WriteValue(m_section, key, value); }
    void operator()(const QString &key, const QString &value) { m_file.WriteValue(m_section, key, value); }

private:
    ProfileFile &m_file;
    ProfileFile::SectionRef m_section;
};

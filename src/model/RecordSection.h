// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"
#include "model/ProfileFile.h"

#include <QString>

// Reads the values of one record section (a task, a birthday, a note). A
// mandatory value that is missing or empty, or a date that does not exist,
// makes the whole record unusable; ok() tells.
class RecordReader
{
public:
    RecordReader(const ProfileFile &file, QString section);

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
    DateTime checked(const DateTime &value);

    const ProfileFile &m_file;
    QString m_section;
    bool m_ok = true;
};

// Writes one record section afresh: the old section goes first.
class RecordWriter
{
public:
    RecordWriter(ProfileFile &file, QString section);

    void operator()(const QString &key, qint64 value) { m_file.WriteValue(m_section, key, value); }
    void operator()(const QString &key, const QString &value) { m_file.WriteValue(m_section, key, value); }

private:
    ProfileFile &m_file;
    QString m_section;
};

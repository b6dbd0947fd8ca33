// SPDX-License-Identifier: MIT
#pragma once

#include "model/AtomicFile.h"
#include "model/IniDocument.h"

#include <QString>
#include <QStringList>
#include <optional>

// An INI file of the program directory. The file is parsed once when the
// accessor is made; reads and writes work on that copy, and Save writes it
// back in one atomic step (and only when something changed, so that a
// missing file is not created by reads or by deleting nothing).
class ProfileFile
{
public:
    // The default that tells a missing key from an empty one.
    static inline const QString NoneValue = QStringLiteral("!*&*none-value*&!*");
    // Characters a value keeps when read with the usual 260-character buffer.
    static constexpr int ValueBuffer = 260;

    // A file about to be written afresh, all its sections deleted, reads
    // only what that leaves: the lines before the first section, and the
    // encoding. The sections of a large file are then never parsed.
    enum Purpose
    {
        ReadAndWrite,
        Rewrite
    };

    explicit ProfileFile(const QString &path, Purpose purpose = ReadAndWrite);

    const QString &Path() const { return m_path; }
    // True when the file exists but could not be read, or its bytes did not
    // decode cleanly (IniDocument::TextDamaged).
    bool LoadedWithDamage() const { return m_unreadable || m_document.TextDamaged(); }

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue,
                       int bufferSize = ValueBuffer) const;
    // The value without a copy, valid until the file changes; a null view
    // when the key is absent.
    QStringView ReadView(const QString &section, const QString &key, int bufferSize = ValueBuffer) const
    {
        return m_document.ReadView(section, key, bufferSize);
    }
    // A record's section, looked up once for reading its keys: valid until
    // the file changes.
    using SectionRef = IniDocument::SectionRef;
    SectionRef FindSection(const QString &section) const { return m_document.FindSection(section); }
    QString ReadString(SectionRef section, const QString &key, const QString &defaultValue,
                       int bufferSize = ValueBuffer) const
    {
        return m_document.ReadString(section, key, defaultValue, bufferSize);
    }
    QStringView ReadView(SectionRef section, const QString &key, int bufferSize = ValueBuffer) const
    {
        return m_document.ReadView(section, key, bufferSize);
    }
    // Reads the value and converts it as a decimal number.
    int ReadDecimal(const QString &section, const QString &key, const QString &defaultValue) const;

    // Writes the value; with create false only when the key already exists.
    void WriteValue(const QString &section, const QString &key, QStringView value, bool create = true);
    // Writes a number as "%d".
    void WriteValue(const QString &section, const QString &key, qint64 number, bool create = true);
    // A record's section written afresh, key by key: the old one goes.
    SectionRef ReplaceSection(const QString &section) { return m_document.ReplaceSection(section); }
    void WriteValue(SectionRef section, const QString &key, QStringView value)
    {
        m_document.WriteString(section, key, value);
    }
    void WriteValue(SectionRef section, const QString &key, qint64 number);
    bool DeleteSection(const QString &section);
    // Replaces list with the file's section names in file order; returns
    // how many there are.
    int GetSectionNames(QStringList &list) const;
    // Deletes every section; false when a deletion failed.
    bool DeleteAllSections();

    // Numbered record sections (prefix + "%05d"): the numbers below count
    // whose section exists, ascending. Reading records this way costs as
    // much as the file holds, whatever count a damaged file claims.
    QList<int> NumberedSections(const QString &prefix, int count) const;
    static QString SectionName(const QString &prefix, int number);
    // The number of a section named exactly as SectionName spells it.
    static std::optional<int> SectionNumber(const QString &prefix, const QString &name);

    // Writes the file when it changed; on failure the file on disk is as it
    // was and the result says why.
    WriteResult Save();

private:
    QString m_path;
    IniDocument m_document;
    bool m_unreadable = false;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "model/AtomicFile.h"
#include "notes/NoteStyle.h"

#include <QString>
#include <QStringList>

// The named note looks kept in layout.ini in the program directory, one
// section per preset. "标准样式" always comes first; without a section of
// its own it is the default look. Every change is written at once, in one
// atomic step, keeping the file's encoding.
class NoteStylePresets
{
public:
    static inline const QString FileName = QStringLiteral("layout.ini");
    static constexpr int MaxNameLength = 10;

    enum class NameProblem
    {
        None,
        Empty,
        TooLong
    };

    explicit NoteStylePresets(QString path);

    const QString &Path() const { return m_path; }

    static QString StandardName();
    // The look of a section without keys: the defaults of a new note.
    static NoteStyle DefaultStyle();

    // "标准样式", then the file's sections in file order.
    QStringList Names() const;
    // The file's own sections only, for the save dialog.
    QStringList SectionNames() const;
    // The preset's look; keys the section lacks take their defaults.
    NoteStyle Read(const QString &name) const;
    // Writes every key of the look into the preset's section (made when new).
    WriteResult Write(const QString &name, const NoteStyle &style);
    WriteResult Remove(const QString &name);

    // The name as it will be stored: without surrounding blanks, which the
    // file could not keep.
    static QString CleanName(const QString &typed);
    static NameProblem CheckName(const QString &name);
    // Whether a preset can be deleted: any but the standard one.
    static bool IsDeletable(const QString &name);

private:
    QString m_path;
};

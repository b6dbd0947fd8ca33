// SPDX-License-Identifier: MIT
#pragma once

#include "model/Color.h"
#include "model/DateTime.h"
#include "model/ScreenRect.h"
#include "model/StableList.h"

#include <QString>

class ProfileFile;
struct LoadDamage;

// A person's birthday with its advance-notice choices.
struct BirthdayEntry
{
    QString FriendName;
    // Seconds since 1970-01-01 UTC of the birth date at 00:00 local time;
    // negative before 1970, and beyond 32 bits before 1901-12-14.
    qint64 BornDate = 0;
    QString Note;
    qint32 Age = 0;
    qint32 Sex = 0;
    qint32 Blood = 0;
    QString Year; // zodiac animal of the birth year
    QString Sign; // star sign
    qint32 TwoWeeks = 0;
    qint32 OneWeeks = 1;
    qint32 OneDay = 1;
    // 1 = the birthday follows the lunar calendar (农历生日).
    qint32 Lunar = 0;

    friend bool operator==(const BirthdayEntry &, const BirthdayEntry &) = default;
};

// The font of a note, as much of it as the file keeps.
struct NoteFont
{
    static constexpr int FaceNameMax = 31;

    qint32 FontHeight = -13;
    qint32 Weight = 0;
    quint8 Italic = 0;
    quint8 Underline = 0;
    QString FaceName = QStringLiteral(u"宋体");

    friend bool operator==(const NoteFont &, const NoteFont &) = default;
};

// One desktop sticky note: its window placement, look and text.
struct NoteEntry
{
    qint32 Display = 1;
    qint32 OnTop = 1;
    QString Message; // line breaks as CR LF
    qint32 Alpha = 255;
    Color BackColor1 = 0x99FFFF;
    Color BackColor2 = 0xFFFFFF;
    Color BorderColor = 0x7F7F7F;
    Color TextColor = 0;
    NoteFont Font;
    qint32 Align = 0;
    qint32 Grad = 0;
    qint32 Desktop = 0;
    qint32 RanColor = 0;
    qint32 UpdateTime = 0; // seconds since 1970-01-01 UTC of the last change
    ScreenRect Position;

    friend bool operator==(const NoteEntry &, const NoteEntry &) = default;
};

// A note with every default, last changed at `now`.
NoteEntry InitNoteEntry(const DateTime &now);

inline const QString BirthdayPrefix = QStringLiteral("Birthday");
inline const QString NotePrefix = QStringLiteral("Note");

using BirthdayList = StableList<BirthdayEntry>;
using NoteList = StableList<NoteEntry>;

// The "Birthday%05d" and "Note%05d" sections of alarms.lst and their counts
// in "Common". A section missing a mandatory value is dropped, and named in
// damage when one is given.
void LoadBirthdays(const ProfileFile &file, BirthdayList &list, LoadDamage *damage = nullptr);
void SaveBirthdays(ProfileFile &file, const BirthdayList &list);
void LoadNotes(const ProfileFile &file, NoteList &list, const ScreenRect &desktop, LoadDamage *damage = nullptr);
void SaveNotes(ProfileFile &file, const NoteList &list);

// SPDX-License-Identifier: MIT
#include "model/BirthdayNote.h"

#include "model/AlarmFile.h"
#include "model/LoadDamage.h"
#include "model/ProfileFile.h"
#include "model/RecordSection.h"
#include "model/TextScan.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

std::optional<BirthdayEntry> readBirthday(const ProfileFile &file, const QString &section)
{
    RecordReader in(file, section);
    BirthdayEntry b;
    b.BornDate = in.longDecimal(u"BornDate"_s);
    b.FriendName = in.text(u"FriendName"_s);
    b.Sex = in.decimal(u"Sex"_s);
    b.Blood = in.decimal(u"Blood"_s);
    b.Year = in.text(u"Year"_s);
    b.Age = in.decimal(u"Age"_s);
    b.Sign = in.text(u"Sign"_s);
    b.TwoWeeks = in.decimal(u"TwoWeeks"_s);
    b.OneWeeks = in.decimal(u"OneWeeks"_s);
    b.OneDay = in.decimal(u"OneDay"_s);
    b.Note = in.optionalText(u"Note"_s);
    // Files from before lunar birthdays have no such key.
    b.Lunar = ToDecimal(in.optionalText(u"Lunar"_s));
    if (!in.ok())
        return std::nullopt;
    return b;
}

std::optional<NoteEntry> readNote(const ProfileFile &file, const QString &section, const ScreenRect &desktop)
{
    RecordReader in(file, section);
    NoteEntry n = InitNoteEntry(DateTime());
    n.OnTop = in.decimal(u"OnTop"_s);
    n.Display = in.decimal(u"Display"_s);
    // Stored as left, top, bottom, right.
    const QList<int> p = ScanIntegers(in.text(u"Position"_s), "%d,%d,%d,%d");
    int *const fields[] = {&n.Position.left, &n.Position.top, &n.Position.bottom, &n.Position.right};
    for (qsizetype i = 0; i < p.size(); ++i)
        *fields[i] = p[i];
    n.Position = KeepOnDesktop(n.Position, desktop);
    n.Desktop = in.decimal(u"Desktop"_s);
    n.RanColor = in.decimal(u"RanColor"_s);
    n.BorderColor = Color(in.decimal(u"BorderColor"_s));
    n.BackColor1 = Color(in.decimal(u"BackColor1"_s));
    n.BackColor2 = Color(in.decimal(u"BackColor2"_s));
    n.TextColor = Color(in.decimal(u"TextColor"_s));
    n.UpdateTime = in.decimal(u"UpdateTime"_s);
    // The font starts from zeros; only what the file keeps is filled in.
    n.Font = NoteFont {0, 0, 0, 0, {}};
    n.Font.FaceName = in.text(u"FaceName"_s).left(NoteFont::FaceNameMax);
    n.Font.FontHeight = in.decimal(u"FontHeight"_s);
    n.Font.Italic = quint8(in.decimal(u"Italic"_s));
    n.Font.Underline = quint8(in.decimal(u"Underline"_s));
    n.Font.Weight = in.decimal(u"Weight"_s);
    n.Message = DecodeLineBreaks(in.optionalText(u"Message"_s, MessageBuffer));
    n.Align = in.decimal(u"Align"_s);
    n.Alpha = in.decimal(u"Alpha"_s);
    n.Grad = in.decimal(u"Grad"_s);
    if (!in.ok())
        return std::nullopt;
    return n;
}

template<class Entry, class Read>
void loadRecords(const ProfileFile &file, StableList<Entry> &list, const QString &prefix, const QString &countKey,
                 LoadDamage *damage, Read read)
{
    list.RemoveAll();
    for (const int i : RecordNumbers(file, prefix, countKey, damage)) {
        const QString section = ProfileFile::SectionName(prefix, i);
        if (std::optional<Entry> entry = read(section))
            list.AddTail(*entry);
        else if (damage)
            damage->droppedSections.append(section);
    }
}

} // namespace

NoteEntry InitNoteEntry(const DateTime &now)
{
    NoteEntry note;
    note.UpdateTime = qint32(now.ToUnixTime());
    return note;
}

void LoadBirthdays(const ProfileFile &file, BirthdayList &list, LoadDamage *damage)
{
    loadRecords(file, list, BirthdayPrefix, u"NumofBirthday"_s, damage,
                [&](const QString &section) { return readBirthday(file, section); });
}

void SaveBirthdays(ProfileFile &file, const BirthdayList &list)
{
    int n = 0;
    list.ForEach([&](EntryHandle, const BirthdayEntry &b) {
        RecordWriter out(file, ProfileFile::SectionName(BirthdayPrefix, n++));
        out(u"BornDate"_s, b.BornDate);
        out(u"FriendName"_s, b.FriendName);
        out(u"Sex"_s, b.Sex);
        out(u"Blood"_s, b.Blood);
        out(u"Year"_s, b.Year);
        out(u"Age"_s, b.Age);
        out(u"Sign"_s, b.Sign);
        out(u"TwoWeeks"_s, b.TwoWeeks);
        out(u"OneWeeks"_s, b.OneWeeks);
        out(u"OneDay"_s, b.OneDay);
        out(u"Note"_s, b.Note);
        // Only where it is set, so that a file without lunar birthdays stays
        // byte for byte what the Windows program writes.
        if (b.Lunar)
            out(u"Lunar"_s, b.Lunar);
    });
    file.WriteValue(CommonSection, u"NumofBirthday"_s, list.GetCount());
}

void LoadNotes(const ProfileFile &file, NoteList &list, const ScreenRect &desktop, LoadDamage *damage)
{
    loadRecords(file, list, NotePrefix, u"NumofNotes"_s, damage,
                [&](const QString &section) { return readNote(file, section, desktop); });
}

void SaveNotes(ProfileFile &file, const NoteList &list)
{
    int n = 0;
    list.ForEach([&](EntryHandle, const NoteEntry &note) {
        const ScreenRect &p = note.Position;
        RecordWriter out(file, ProfileFile::SectionName(NotePrefix, n++));
        out(u"Display"_s, note.Display);
        out(u"OnTop"_s, note.OnTop);
        out(u"Position"_s, u"%1,%2,%3,%4"_s.arg(p.left).arg(p.top).arg(p.bottom).arg(p.right));
        out(u"Desktop"_s, note.Desktop);
        out(u"RanColor"_s, note.RanColor);
        out(u"BorderColor"_s, qint32(note.BorderColor));
        out(u"BackColor1"_s, qint32(note.BackColor1));
        out(u"BackColor2"_s, qint32(note.BackColor2));
        out(u"TextColor"_s, qint32(note.TextColor));
        out(u"UpdateTime"_s, note.UpdateTime);
        out(u"FaceName"_s, note.Font.FaceName);
        out(u"FontHeight"_s, note.Font.FontHeight);
        out(u"Italic"_s, note.Font.Italic);
        out(u"Underline"_s, note.Font.Underline);
        out(u"Weight"_s, note.Font.Weight);
        out(u"Message"_s, EncodeLineBreaks(note.Message));
        out(u"Align"_s, note.Align);
        out(u"Alpha"_s, note.Alpha);
        out(u"Grad"_s, note.Grad);
    });
    file.WriteValue(CommonSection, u"NumofNotes"_s, list.GetCount());
}

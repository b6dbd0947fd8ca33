// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the INI engine and to the readers of the task,
// birthday and note records: whatever a damaged file holds, reading it must
// neither crash nor hang, and what is written back must read back the same.
// Inputs that begin like a Windows module ("MZ") go to the voice pack
// reader instead: the resource tree and every clip's WAVE header.
#include "fakes/FakeClock.h"
#include "model/AlarmFile.h"
#include "model/BirthdayNote.h"
#include "model/IniDocument.h"
#include "model/ProfileFile.h"
#include "speech/PeResources.h"
#include "speech/WaveImage.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <unistd.h>

namespace {

const QString &scratchFile()
{
    // On tmpfs where there is one: saves flush to disk, and the disk would
    // set the pace otherwise.
    static const QDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath());
    static const QString path = dir.filePath(QStringLiteral("tockly-fuzz-%1.ini").arg(getpid()));
    return path;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void readVoicePack(const QByteArray &bytes)
{
    const PeResourceTable pack = PeResourceTable::Read(bytes, u"WAVE");
    check(pack.IsValid() || pack.Resources().isEmpty());
    for (const PeResource &clip : pack.Resources()) {
        // Every resource found lies inside the file.
        check(clip.offset >= 0 && clip.size >= 0 && clip.offset + clip.size <= bytes.size());
        const QByteArray wave = pack.Data(clip.id);
        if (const auto info = InspectWave(wave))
            check(info->dataOffset + info->dataSize <= wave.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.startsWith("MZ")) {
        readVoicePack(bytes);
        return 0;
    }

    IniDocument doc = IniDocument::Parse(bytes);
    const QStringList names = doc.SectionNames();
    for (const QString &name : names)
        doc.ReadString(name, QStringLiteral("Message"), QString(), 3900);
    if (!names.isEmpty())
        doc.DeleteSection(names.front());
    doc.WriteString(QStringLiteral("Common"), QStringLiteral("NumofAlarms"), QStringLiteral("1"));
    // What the engine writes, it reads back the same.
    const IniDocument reread = IniDocument::Parse(doc.Serialize());
    check(reread.SectionNames() == doc.SectionNames());
    check(reread.ReadString(QStringLiteral("Common"), QStringLiteral("NumofAlarms"), QString()) == QStringLiteral("1"));

    QFile file(scratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(bytes);
    file.close();
    const ProfileFile profile(scratchFile());
    const FakeClock clock(DateTime::FromParts(2026, 3, 10, 12, 0, 0));
    AlarmList alarms;
    LoadAlarmFile(profile, alarms, clock);
    BirthdayList birthdays;
    LoadBirthdays(profile, birthdays);
    NoteList notes;
    LoadNotes(profile, notes, ScreenRect {0, 0, 1920, 1080});

    // Whatever loaded saves and loads again unchanged in number.
    ProfileFile out(scratchFile());
    out.DeleteAllSections();
    SaveAlarmFile(out, alarms);
    SaveBirthdays(out, birthdays);
    SaveNotes(out, notes);
    check(out.Save().ok);
    AlarmList alarmsAgain;
    LoadAlarmFile(ProfileFile(scratchFile()), alarmsAgain, clock);
    check(alarmsAgain.GetCount() <= alarms.GetCount());
    return 0;
}

// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the INI engine, to the readers of the task,
// birthday and note records and of the settings, and to the program's whole
// load, tick and save: whatever a damaged file holds, reading it must neither
// crash nor hang nor reach undefined behaviour, and what is written back
// must read back the same. Inputs that begin like a Windows module ("MZ") go
// to the voice pack reader instead: the resource tree and every clip's WAVE
// header.
#include "fakes/FakeClock.h"
#include "firing/ReminderDispatcher.h"
#include "model/AlarmFile.h"
#include "model/AppData.h"
#include "model/BirthdayNote.h"
#include "model/IniDocument.h"
#include "model/ProfileFile.h"
#include "speech/PeResources.h"
#include "speech/WaveImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

const ScreenRect Desktop {0, 0, 1920, 1080};

// A program directory of the fuzzer's own, emptied for every input. On tmpfs
// where there is one: saves flush to disk, and the disk would set the pace
// otherwise. Other fuzzers (in other process namespaces, with the same
// process ids) may share the tmpfs, hence a unique name; it goes at exit.
const QDir &scratchDir()
{
    static const QTemporaryDir dir(
        (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        QStringLiteral("/tockly-fuzz-XXXXXX"));
    static const QDir path(dir.path());
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

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

struct Window : ClockWindowState
{
    ScreenRect WindowRect() const override { return {100, 200, 400, 300}; }
    bool AlwaysOnTopChecked() const override { return true; }
    bool AutoSmallChecked() const override { return false; }
};

// The INI engine alone: what it writes, it reads back the same, and cleanly.
void roundTripDocument(const QByteArray &bytes)
{
    IniDocument doc = IniDocument::Parse(bytes);
    const QStringList names = doc.SectionNames();
    for (const QString &name : names)
        doc.ReadString(name, QStringLiteral("Message"), QString(), 3900);
    if (!names.isEmpty())
        doc.DeleteSection(names.front());
    doc.WriteString(QStringLiteral("Common"), QStringLiteral("NumofAlarms"), QStringLiteral("1"));
    const QByteArray written = doc.Serialize();
    const IniDocument reread = IniDocument::Parse(written);
    check(reread.SectionNames() == doc.SectionNames());
    check(reread.ReadString(QStringLiteral("Common"), QStringLiteral("NumofAlarms"), QString()) == QStringLiteral("1"));
    check(reread.Serialize() == written);
    check(!reread.TextDamaged());
}

// The record readers: whatever loaded saves and loads again. Tasks may move
// on (and a rule may fail further on); birthdays and notes come back exactly.
void roundTripRecords(const QString &path, const FakeClock &clock)
{
    const ProfileFile profile(path);
    AlarmList alarms;
    LoadAlarmFile(profile, alarms, clock);
    BirthdayList birthdays;
    LoadBirthdays(profile, birthdays);
    NoteList notes;
    LoadNotes(profile, notes, Desktop);

    ProfileFile out(path);
    out.DeleteAllSections();
    SaveAlarmFile(out, alarms);
    SaveBirthdays(out, birthdays);
    SaveNotes(out, notes);
    check(out.Save().ok);

    const ProfileFile saved(path);
    AlarmList alarmsAgain;
    LoadAlarmFile(saved, alarmsAgain, clock);
    check(alarmsAgain.GetCount() <= alarms.GetCount());
    BirthdayList birthdaysAgain;
    LoadBirthdays(saved, birthdaysAgain);
    NoteList notesAgain;
    LoadNotes(saved, notesAgain, Desktop);
    check(birthdaysAgain.GetCount() == birthdays.GetCount() && notesAgain.GetCount() == notes.GetCount());
    for (EntryHandle a = birthdays.GetHeadPosition(), b = birthdaysAgain.GetHeadPosition(); a && b;
         a = birthdays.GetNextPosition(a), b = birthdaysAgain.GetNextPosition(b))
        check(birthdays.At(a) == birthdaysAgain.At(b));
    for (EntryHandle a = notes.GetHeadPosition(), b = notesAgain.GetHeadPosition(); a && b;
         a = notes.GetNextPosition(a), b = notesAgain.GetNextPosition(b))
        check(notes.At(a) == notesAgain.At(b));
}

// The bytes as both data files of a program directory: start-up, the due
// second of each task (which fires and advances it by its own rule fields),
// and the save with its copies and backup.
void runProgram(const QDir &home, const QByteArray &bytes, const FakeClock &clock)
{
    if (!writeFile(home.filePath(AlarmFileName), bytes) || !writeFile(home.filePath(ConfigFileName), bytes))
        return;
    AppData data(home.path());
    data.LoadAll(clock, Desktop);
    int fired = 0;
    ReminderDispatcher dispatcher(data,
                                  {[&fired](const AlarmTask &) { ++fired; },
                                   [](const BirthdayEntry &, bool) {},
                                   {},
                                   {},
                                   [] {
                                   }});
    dispatcher.StartupPass(clock.Now(), false);
    QList<DateTime> due;
    data.Alarms.ForEach([&due](EntryHandle, const AlarmTask &task) {
        if (due.size() < 16)
            due.append(task.DateTime);
    });
    for (const DateTime &second : due)
        dispatcher.EvaluateSecond(second);
    check(data.SaveAll(Window()).isEmpty());
    data.TakeDamagedFileCopies();
    // What the save wrote decodes cleanly. (Its records may still be
    // dropped next time: a task stepped near 9999 may step no further.)
    check(!ProfileFile(home.filePath(AlarmFileName)).LoadedWithDamage());
    AppData again(home.path());
    again.LoadAll(clock, Desktop);
    check(!again.LoadedWithDamage(ConfigFileName));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.startsWith("MZ")) {
        readVoicePack(bytes);
        return 0;
    }
    roundTripDocument(bytes);

    QDir home = scratchDir();
    if (!home.removeRecursively() || !home.mkpath(QStringLiteral(".")))
        return 0;
    const QString path = home.filePath(AlarmFileName);
    if (!writeFile(path, bytes))
        return 0;
    const FakeClock clock(DateTime::FromParts(2026, 3, 10, 12, 0, 0));
    roundTripRecords(path, clock);
    runProgram(home, bytes, clock);
    return 0;
}

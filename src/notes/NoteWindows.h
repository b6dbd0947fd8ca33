// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"
#include "platform/Services.h"

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>

class AppData;
class NoteWindow;

// The note windows of the running program, at most one per note: made at
// start for every shown note, and by the task manager and the menu when a
// note is added, edited or shown. A window goes when its note leaves the
// list, however that happens. The task manager reaches them through
// Instance(); it never holds a window itself.
class NoteWindows final : public QObject, public ListObserver
{
    Q_OBJECT

public:
    NoteWindows(AppData &data, const Services &services, QObject *parent = nullptr);
    ~NoteWindows() override;

    // The set the application made, or nullptr.
    static NoteWindows *Instance();

    // A window, in display mode and without taking the keyboard, for every
    // note whose shown flag is set.
    void ShowAtStart();
    // A new note with the defaults, appended to the list, its window shown
    // at the usual place in edit mode.
    EntryHandle NewNote();
    // Shows the note's window (making it when needed) in edit mode.
    void Edit(EntryHandle entry);
    // Shows or hides the note and stores its shown flag.
    void SetShown(EntryHandle entry, bool shown);
    // Pins the note on top or not; a hidden note stays hidden.
    void SetOnTop(EntryHandle entry, bool onTop);
    // Every open edit and every window's place into the list, before saving.
    void CommitAll();

    NoteWindow *WindowOf(EntryHandle entry) const;

    // Where a new note goes when nothing stands there yet.
    static constexpr QPoint NewNotePlace {500, 400};

protected:
    void EntryRemoving(EntryHandle entry) override;
    void ListReset() override;

private:
    static quint64 keyOf(EntryHandle entry);
    NoteWindow *create(EntryHandle entry);
    QPoint freePlace() const;
    void closeAll();

    AppData &m_data;
    Services m_services;
    QHash<quint64, QPointer<NoteWindow>> m_windows;
    quint32 m_nextId = 1;
};

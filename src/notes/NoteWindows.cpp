// SPDX-License-Identifier: MIT
#include "notes/NoteWindows.h"

#include "model/AppData.h"
#include "notes/NoteWindow.h"
#include "platform/Clock.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

NoteWindows *s_instance = nullptr;

} // namespace

NoteWindows::NoteWindows(AppData &data, const Services &services, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_services(services)
{
    m_data.Notes.AddObserver(this);
    if (!s_instance)
        s_instance = this;
}

NoteWindows::~NoteWindows()
{
    m_data.Notes.RemoveObserver(this);
    closeAll();
    if (s_instance == this)
        s_instance = nullptr;
}

NoteWindows *NoteWindows::Instance()
{
    return s_instance;
}

quint64 NoteWindows::keyOf(EntryHandle entry)
{
    return quint64(entry.index) << 32 | entry.generation;
}

NoteWindow *NoteWindows::WindowOf(EntryHandle entry) const
{
    return m_windows.value(keyOf(entry));
}

NoteWindow *NoteWindows::create(EntryHandle entry)
{
    auto *window = new NoteWindow(m_data, m_services, entry, m_nextId++);
    m_windows.insert(keyOf(entry), window);
    return window;
}

void NoteWindows::ShowAtStart()
{
    m_data.Notes.ForEach([this](EntryHandle entry, const NoteEntry &note) {
        if (note.Display != 0 && !WindowOf(entry))
            create(entry)->show();
    });
}

// New notes start at the usual place, or a step down and to the right of
// it while another note already stands there, inside the screen.
QPoint NoteWindows::freePlace() const
{
    QPoint place = NewNotePlace;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const auto taken = [this](const QPoint &at) {
        return std::any_of(m_windows.begin(), m_windows.end(), [&at](const QPointer<NoteWindow> &window) {
            return window && window->isVisible() && (window->pos() - at).manhattanLength() < 4;
        });
    };
    for (int tries = 0; tries < 50 && taken(place); ++tries)
        place += QPoint(20, 20);
    const QPoint limit(std::max(area.left(), area.right() - 120), std::max(area.top(), area.bottom() - 60));
    if (place.x() > limit.x() || place.y() > limit.y())
        place = QPoint(std::clamp(NewNotePlace.x(), area.left(), limit.x()),
                       std::clamp(NewNotePlace.y(), area.top(), limit.y()));
    return place;
}

EntryHandle NoteWindows::NewNote()
{
    NoteEntry note = InitNoteEntry(m_services.clock->Now());
    const QPoint place = freePlace();
    note.Position = {place.x(), place.y(), place.x(), place.y()};
    const EntryHandle entry = m_data.Notes.AddTail(note);
    if (!entry)
        return entry;
    NoteWindow *window = create(entry);
    window->show();
    window->EnterEditMode();
    return entry;
}

void NoteWindows::Edit(EntryHandle entry)
{
    if (!m_data.Notes.Contains(entry))
        return;
    NoteWindow *window = WindowOf(entry);
    if (!window)
        window = create(entry);
    // Editing a hidden note brings it back for good.
    window->SetShown(true);
    window->EnterEditMode();
}

void NoteWindows::SetShown(EntryHandle entry, bool shown)
{
    const NoteEntry *note = m_data.Notes.Find(entry);
    if (!note || (note->Display != 0) == shown)
        return;
    NoteWindow *window = WindowOf(entry);
    if (!window && shown)
        window = create(entry);
    if (window) {
        window->SetShown(shown);
    } else {
        NoteEntry changed = *note;
        changed.Display = 0;
        m_data.Notes.SetAt(entry, changed);
    }
}

void NoteWindows::SetOnTop(EntryHandle entry, bool onTop)
{
    const NoteEntry *note = m_data.Notes.Find(entry);
    if (!note)
        return;
    if (NoteWindow *window = WindowOf(entry)) {
        window->SetOnTop(onTop);
    } else if ((note->OnTop != 0) != onTop) {
        NoteEntry changed = *note;
        changed.OnTop = onTop ? 1 : 0;
        m_data.Notes.SetAt(entry, changed);
    }
}

void NoteWindows::CommitAll()
{
    for (const QPointer<NoteWindow> &window : std::as_const(m_windows)) {
        if (window)
            window->CommitEdits();
    }
}

void NoteWindows::EntryRemoving(EntryHandle entry)
{
    if (QPointer<NoteWindow> window = m_windows.take(keyOf(entry)))
        window->Discard();
}

void NoteWindows::ListReset()
{
    closeAll();
}

void NoteWindows::closeAll()
{
    const auto windows = std::exchange(m_windows, {});
    for (const QPointer<NoteWindow> &window : windows)
        delete window.data();
}

// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"
#include "notes/NoteStyle.h"
#include "platform/Services.h"

#include <QFont>
#include <QPoint>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

class AppData;
class QAction;
class QMenu;
class QTextEdit;

// One desktop note on screen: a small frameless window without a taskbar
// entry that paints the note's background, border and text in its font,
// colours, alignment and opacity. The user drags it, double-clicks it to
// edit the text in place, and uses its right-click menu to edit, delete,
// hide, pin on top or restyle it.
//
// The window works on a copy of its note and writes every change back into
// the note's list entry, where the task manager and the saver see it. A
// window without an entry (a null handle) paints and edits but stores
// nothing.
class NoteWindow final : public QWidget
{
    Q_OBJECT

public:
    // Menu command identifiers of the note's menu.
    enum Command
    {
        EditCommand = 32961,
        DeleteCommand = 32962,
        OnTopCommand = 32963,
        SettingsCommand = 32964,
        HideCommand = 32965
    };

    // "NOTE_WINDOW_%X": the title other windows find a note's window by.
    static QString TitleFor(quint32 id);
    // The live note window with that title, or nullptr.
    static NoteWindow *FindByTitle(const QString &title);

    // Made hidden, in display mode, with the entry's text and look, at the
    // entry's position. `id` must be unique among the live note windows.
    NoteWindow(AppData &data, const Services &services, EntryHandle entry, quint32 id);
    ~NoteWindow() override;

    EntryHandle Entry() const { return m_entry; }
    quint32 Id() const { return m_id; }
    // The window's copy of its note.
    const NoteEntry &Note() const { return m_note; }
    // The right-click menu ("_NOTE_MENU_").
    QMenu *Menu();
    bool IsEditing() const;
    bool IsTopmost() const;
    // The text the window shows: what is being typed while editing.
    QString DisplayedText() const;

    // Takes the entry's text, look, position and pinning.
    void LoadFromEntry();
    // Writes the window's copy into the entry (when it differs).
    void SaveToEntry();

    // Shows the edit box over the text with all of it selected, and gives
    // it the keyboard.
    void EnterEditMode();
    // The end of an edit, and what every loss of activation does: the edit
    // box goes, a changed text gets the time of the change, the text and
    // the window's rectangle go into the entry, and the window shows or
    // hides by the note's shown flag.
    void StoreState();
    // The same storing without touching the window, for the save at exit.
    void CommitEdits();

    // Menu commands.
    void HideNote();
    void ToggleOnTop();
    void ConfirmDelete();
    void OpenStyleDialog();

    // The note left the list: the window goes without storing anything.
    void Discard();

    // The task manager's check box: shows or hides the note at its stored
    // place without taking the keyboard, and stores the shown flag.
    void SetShown(bool shown);
    // Pins the window on top or not, without showing, moving or activating it.
    void SetOnTop(bool onTop);

    // The style dialog's OK: the new look, changed at `now`.
    void ApplyNoteStyle(const NoteStyle &style, const DateTime &now);
    // The opacity slider of the style dialog acts on the window at once;
    // RestoreOpacity goes back to the note's own.
    void PreviewOpacity(int alpha);
    void RestoreOpacity();

    // The size that fits the text (or the letter "H" when there is none)
    // in the note's font, and resizing the window to it in place.
    QSize FittedSize() const;
    void FitToText();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTextEdit *editor();
    void applyLook();
    void applyTopmost(bool onTop);
    void placeAtStoredPosition();
    void refreshText();
    void configureDocument(QTextDocument &document) const;
    void onEditorTextChanged();
    void storePosition();
    ScreenRect screenRect() const;
    QString editorMessage() const;

    AppData &m_data;
    Services m_services;
    EntryHandle m_entry;
    quint32 m_id;
    NoteEntry m_note;
    QFont m_font;
    QTextDocument m_text; // the text as painted outside edit mode
    QTextEdit *m_edit = nullptr; // made when first needed
    QMenu *m_menu = nullptr;
    QAction *m_onTopAction = nullptr;
    QTimer m_positionTimer;
    QPoint m_pressPos;
    QPoint m_dragOffset;
    bool m_pressed = false;
    bool m_dragging = false;
    bool m_placing = false;
    bool m_deleted = false;
    bool m_trimming = false;
};

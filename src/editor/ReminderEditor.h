// SPDX-License-Identifier: MIT
#pragma once

#include "editor/ReminderForm.h"
#include "model/AlarmTask.h"
#include "platform/Services.h"

#include <QDialog>
#include <array>
#include <memory>

namespace Ui {
class ReminderEditor;
}

class AppData;
class ActionPage;
class EditorPage;
class MessagePage;
class QButtonGroup;
class SoundPage;
class ValidationTip;

// "闹铃提醒": creates a reminder task or changes one. The editor works on a
// copy of the task; Save checks the input (each problem shows in a tip under
// its control), computes the first due moment with the recurrence rules and
// writes the task into the task list, at the tail for a new task or over the
// edited entry. Nothing is written to a file here.
//
// A task can be deleted elsewhere (task manager, a reminder popup) while it
// is being edited. Save notices it and asks whether to keep the edit as a
// new task; it never writes into a removed entry.
class ReminderEditor final : public QDialog
{
    Q_OBJECT

public:
    // Characters the description box takes from the keyboard, and the most
    // a description keeps.
    static constexpr int DescriptionTypingLimit = 20;
    static constexpr int DescriptionLimit = 100;

    // `entry` null: a new task. Otherwise the entry of data.Alarms to edit;
    // `taskListRow` is the task manager's row of it (-1 = none), which the
    // task manager keeps up to date itself by watching the list.
    ReminderEditor(AppData &data, const Services &services, EntryHandle entry, int taskListRow,
                   QWidget *parent = nullptr);
    ~ReminderEditor() override;

    // Runs the editor modally (a new task, or one from the task list) and
    // returns true when the task was saved. An entry that is no longer in
    // the list opens nothing and returns false.
    static bool OpenModal(AppData &data, const Services &services, EntryHandle entry = {}, int taskListRow = -1,
                          QWidget *parent = nullptr);
    // Shows the editor without blocking (from a reminder popup); it deletes
    // itself when it closes. Returns nullptr, opening nothing, when the entry
    // is no longer in the list.
    static ReminderEditor *OpenModeless(AppData &data, const Services &services, EntryHandle entry,
                                        QWidget *parent = nullptr);

    bool isEditing() const { return m_editing; }
    EntryHandle entry() const { return m_entry; }
    int taskListRow() const { return m_taskListRow; }
    // The task as the editor holds it: loaded, changed by the range dialog,
    // and after a successful save the task as stored.
    const AlarmTask &workingTask() const { return m_task; }
    // The entry the last successful save wrote; null before.
    EntryHandle savedEntry() const { return m_savedEntry; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void initWorkingTask();
    void fillLists();
    void createPages();
    void connectControls();
    void loadEntry();

    void applyScheduleKind(int kind);
    void updateTimeEnabled();
    void showCategoryIcon();
    void openRangeDialog();

    ReminderForm readForm() const;
    void showForm(const ReminderForm &form);
    std::array<EditorPage *, 8> pages() const;

    void save();
    bool store();
    bool appendTask();
    void showProblem(FormField field);
    QWidget *fieldWidget(FormField field) const;
    QString problemText(FormProblem problem) const;

    std::unique_ptr<Ui::ReminderEditor> m_ui;
    AppData &m_data;
    Services m_services;
    bool m_editing;
    EntryHandle m_entry;
    int m_taskListRow;
    AlarmTask m_task;
    EntryHandle m_savedEntry;
    bool m_centred = false;

    QButtonGroup *m_reportModes = nullptr;
    // Hourly .. yearly, in Schedule order.
    std::array<EditorPage *, 5> m_schedulePages {};
    MessagePage *m_messagePage = nullptr;
    SoundPage *m_soundPage = nullptr;
    ActionPage *m_actionPage = nullptr;
    ValidationTip *m_tip = nullptr;
};

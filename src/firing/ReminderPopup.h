// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class AppData;
class QMenu;
struct Services;

namespace Ui {
class ReminderPopup;
}

// The window a due reminder shows: its message in the task's own colours and
// character format, with "稍后" (put off by a chosen span), "编辑", "删除" and
// "确定". It works on its own copy of the task and reaches the real task only
// through the copy's SelfPosition, which it checks before every use: when
// the entry has gone meanwhile (deleted in the task manager or in another
// popup), snoozing, editing and deleting do nothing.
//
// Created per firing, without owner; it deletes itself when it closes.
class ReminderPopup final : public QDialog
{
    Q_OBJECT

public:
    // Opens the reminder editor, modeless, on an existing task.
    using EditorOpener = std::function<void(EntryHandle)>;

    // The snooze spans of the "稍后" menu, in menu order.
    struct SnoozeSpan
    {
        const char *label; // untranslated
        int minutes;
    };
    static const std::vector<SnoozeSpan> &SnoozeSpans();

    // `openEditor` may be empty, which leaves "编辑" disabled. `services` is
    // the bundle FireTask hands every reminder window; the popup itself
    // reaches no system service.
    ReminderPopup(AppData &data, const Services &services, const AlarmTask &task, EditorOpener openEditor,
                  QWidget *parent = nullptr);
    ~ReminderPopup() override;

    const AlarmTask &task() const { return m_task; }

private:
    void applyColours();
    void showMessage();
    void showCategoryIcon();
    QMenu *buildSnoozeMenu();
    bool taskStillListed() const;
    void snooze(int minutes);
    void edit();
    void deleteTask();

    std::unique_ptr<Ui::ReminderPopup> m_ui;
    AppData &m_data;
    AlarmTask m_task;
    EditorOpener m_openEditor;
};

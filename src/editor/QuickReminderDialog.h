// SPDX-License-Identifier: MIT
#pragma once

#include "editor/QuickChoice.h"
#include "platform/Services.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class QuickReminderDialog;
}

class AppData;
class ColumnMenu;
class QMenu;
class ValidationTip;

// "快捷提醒": a one-time reminder in one step, a time, a date and a message.
// The button before the time offers quick choices (in so many minutes, at a
// full hour, in so many days, on a weekday of next week). Save adds a task
// due then to the task list; the task manager shows it as its first row.
// Nothing is written to a file here.
class QuickReminderDialog final : public QDialog
{
    Q_OBJECT

public:
    // Characters a message keeps through the task file, line breaks
    // counted as the file stores them (two each).
    static constexpr int MessageLimit = 3899;

    QuickReminderDialog(AppData &data, const Services &services, QWidget *parent = nullptr);
    ~QuickReminderDialog() override;

    // Runs the dialog modally, its date and time at now moved by `preset`;
    // a preset that leaves the calendar opens nothing. True when a reminder
    // was saved.
    static bool OpenModal(AppData &data, const Services &services, std::optional<QuickChoice> preset = {},
                          QWidget *parent = nullptr);

    // The date and time the pickers show, together.
    DateTime moment() const;
    void setMoment(const DateTime &moment);
    // Moves the date and time by a quick choice; false, changing nothing,
    // when the result would leave the calendar.
    bool applyChoice(const QuickChoice &choice);

    QMenu *quickMenu() const { return m_quickMenu; }
    // The entry the save added; null before.
    EntryHandle savedEntry() const { return m_savedEntry; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildQuickMenu();
    ColumnMenu *addChoiceMenu(const QString &title, const char *name);
    void keepMessageWithinLimit();
    void save();

    std::unique_ptr<Ui::QuickReminderDialog> m_ui;
    AppData &m_data;
    Services m_services;
    QMenu *m_quickMenu = nullptr;
    ValidationTip *m_tip = nullptr;
    EntryHandle m_savedEntry;
    bool m_centred = false;
};

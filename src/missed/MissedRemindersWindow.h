// SPDX-License-Identifier: MIT
#pragma once

#include "missed/MissedMoments.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

class Clock;
class QTreeWidgetItem;

namespace Ui {
class MissedRemindersWindow;
}

// "错过的提醒": the reminders that fell due while the program could not show
// them, oldest first, each with its category icon, its due time, how long
// ago that was, and the action that was not carried out. Activating a row
// (double-click or Enter) shows the reminder as its popup would have; "全部
// 清除" forgets them all. Closing only hides the window: what was not
// cleared is still listed when more reminders are missed.
class MissedRemindersWindow final : public QDialog
{
    Q_OBJECT

public:
    explicit MissedRemindersWindow(const Clock &clock, QWidget *parent = nullptr);
    ~MissedRemindersWindow() override;

    // Lists what is not listed yet (the same task at the same moment is
    // listed once) and returns how many that were.
    int Add(const QList<MissedReminder> &missed);
    const QList<MissedReminder> &Reminders() const { return m_reminders; }
    void SetShowMissed(bool on);
    // Brings the "已过去" column up to the clock's time; a timer does it
    // every half minute.
    void RefreshAgo();

    // "刚刚", "5 分钟前", "2 小时 10 分钟前", "3 天 4 小时前".
    static QString AgoText(const DateTime &due, const DateTime &now);
    // The action the reminder would have carried out, or empty.
    static QString SkippedActionText(const AlarmTask &task);

Q_SIGNALS:
    void Opened(const MissedReminder &reminder);
    void ShowMissedToggled(bool on);

private:
    QTreeWidgetItem *makeRow(const MissedReminder &reminder) const;
    void fitColumns();
    void dismissAll();
    void openRow(QTreeWidgetItem *item);

    std::unique_ptr<Ui::MissedRemindersWindow> m_ui;
    const Clock &m_clock;
    QList<MissedReminder> m_reminders; // in row order
    QTimer m_agoTimer;
};

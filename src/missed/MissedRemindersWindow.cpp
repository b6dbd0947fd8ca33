// SPDX-License-Identifier: MIT
#include "missed/MissedRemindersWindow.h"

#include "model/CategoryTable.h"
#include "platform/Clock.h"
#include "ui_MissedRemindersWindow.h"
#include "widgets/WindowLook.h"

#include <QFileInfo>
#include <QHeaderView>
#include <algorithm>

namespace {

constexpr int AgoRefreshMs = 30000;

enum Column
{
    ReminderColumn,
    DueColumn,
    AgoColumn,
    ActionColumn
};

constexpr int FittedColumns[] = {DueColumn, AgoColumn, ActionColumn};

bool sameMoment(const MissedReminder &a, const MissedReminder &b)
{
    return a.entry == b.entry && a.task.DateTime == b.task.DateTime;
}

} // namespace

MissedRemindersWindow::MissedRemindersWindow(const Clock &clock, QWidget *parent)
    : QDialog(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::MissedRemindersWindow>())
    , m_clock(clock)
{
    m_ui->setupUi(this);
    setWindowIcon(ProgramIcon());
    QHeaderView *header = m_ui->missedList->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(ReminderColumn, QHeaderView::Stretch);
    // Fitted to their contents after each change (fitColumns): sized so by the
    // header itself, every single text change measured the whole column again,
    // seconds of a frozen program for a full list.
    for (int column : FittedColumns)
        header->setSectionResizeMode(column, QHeaderView::Fixed);
    fitColumns();

    // Double-click and Enter both activate a row.
    connect(m_ui->missedList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item, int) { openRow(item); });
    connect(m_ui->dismissAllButton, &QPushButton::clicked, this, &MissedRemindersWindow::dismissAll);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_ui->showMissedCheck, &QCheckBox::toggled, this, &MissedRemindersWindow::ShowMissedToggled);
    m_agoTimer.setInterval(AgoRefreshMs);
    connect(&m_agoTimer, &QTimer::timeout, this, &MissedRemindersWindow::RefreshAgo);
    m_agoTimer.start();
    CentreOnPrimaryScreen(*this);
}

MissedRemindersWindow::~MissedRemindersWindow() = default;

void MissedRemindersWindow::SetShowMissed(bool on)
{
    const QSignalBlocker quiet(m_ui->showMissedCheck);
    m_ui->showMissedCheck->setChecked(on);
}

int MissedRemindersWindow::Add(const QList<MissedReminder> &missed)
{
    int added = 0;
    for (const MissedReminder &reminder : missed) {
        if (std::any_of(m_reminders.cbegin(), m_reminders.cend(),
                        [&reminder](const MissedReminder &r) { return sameMoment(r, reminder); }))
            continue;
        // After the reminders due at or before it, so equal moments keep
        // the order they came in.
        const auto at = std::upper_bound(
            m_reminders.begin(), m_reminders.end(), reminder,
            [](const MissedReminder &a, const MissedReminder &b) { return a.task.DateTime < b.task.DateTime; });
        const qsizetype row = at - m_reminders.begin();
        m_reminders.insert(row, reminder);
        m_ui->missedList->insertTopLevelItem(int(row), makeRow(reminder));
        ++added;
    }
    while (m_reminders.size() > MaxMissedInAll) {
        m_reminders.removeFirst();
        delete m_ui->missedList->takeTopLevelItem(0);
    }
    if (added && !m_ui->missedList->currentItem())
        m_ui->missedList->setCurrentItem(m_ui->missedList->topLevelItem(0));
    if (added)
        fitColumns();
    return added;
}

QTreeWidgetItem *MissedRemindersWindow::makeRow(const MissedReminder &reminder) const
{
    const AlarmTask &task = reminder.task;
    auto *item = new QTreeWidgetItem;
    item->setText(ReminderColumn, task.Description);
    const QString icon = CategoryTable::iconPath(task.Category);
    if (!icon.isEmpty())
        item->setIcon(ReminderColumn, QIcon(icon));
    item->setText(DueColumn, task.DateTime.ToDateTimeString());
    item->setText(AgoColumn, AgoText(task.DateTime, m_clock.Now()));
    const QString action = SkippedActionText(task);
    item->setText(ActionColumn, action);
    if (!action.isEmpty())
        item->setToolTip(ActionColumn, tr("错过的提醒只显示其内容，到期时要执行的操作不会补做。"));
    return item;
}

void MissedRemindersWindow::RefreshAgo()
{
    const DateTime now = m_clock.Now();
    bool changed = false;
    for (qsizetype i = 0; i < m_reminders.size(); ++i) {
        QTreeWidgetItem *item = m_ui->missedList->topLevelItem(int(i));
        const QString ago = AgoText(m_reminders[i].task.DateTime, now);
        if (item->text(AgoColumn) != ago) {
            item->setText(AgoColumn, ago);
            changed = true;
        }
    }
    if (changed)
        fitColumns();
}

void MissedRemindersWindow::fitColumns()
{
    for (int column : FittedColumns)
        m_ui->missedList->resizeColumnToContents(column);
}

void MissedRemindersWindow::dismissAll()
{
    m_reminders.clear();
    m_ui->missedList->clear();
    close();
}

void MissedRemindersWindow::openRow(QTreeWidgetItem *item)
{
    const int row = m_ui->missedList->indexOfTopLevelItem(item);
    if (row >= 0 && row < m_reminders.size())
        Q_EMIT Opened(m_reminders[row]);
}

QString MissedRemindersWindow::AgoText(const DateTime &due, const DateTime &now)
{
    const qint64 minutes = std::max<qint64>(0, now.Seconds() - due.Seconds()) / 60;
    const qint64 hours = minutes / 60;
    const qint64 days = hours / 24;
    if (minutes < 1)
        return tr("刚刚");
    if (hours < 1)
        return tr("%1 分钟前").arg(minutes);
    if (days < 1)
        return minutes % 60 ? tr("%1 小时 %2 分钟前").arg(hours).arg(minutes % 60) : tr("%1 小时前").arg(hours);
    return hours % 24 ? tr("%1 天 %2 小时前").arg(days).arg(hours % 24) : tr("%1 天前").arg(days);
}

QString MissedRemindersWindow::SkippedActionText(const AlarmTask &task)
{
    // Only actions carried out at once or after a countdown count.
    if (task.ActionOption != 0 && task.ActionOption != 1)
        return {};
    if (task.ActionMode == AlarmTask::OpenFile) {
        if (task.FilePath.isEmpty())
            return {};
        return tr("打开 %1（未执行）").arg(QFileInfo(task.FilePath).fileName());
    }
    const QStringList &names = ActionModeShortNames();
    if (task.ActionMode < 0 || task.ActionMode >= names.size())
        return {};
    return tr("%1（未执行）").arg(names[task.ActionMode]);
}

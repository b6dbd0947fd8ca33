// SPDX-License-Identifier: MIT
#include "editor/QuickReminderDialog.h"

#include "editor/EditorPage.h"
#include "editor/MessageText.h"
#include "editor/ValidationTip.h"
#include "model/AlarmFile.h"
#include "model/AppData.h"
#include "platform/Clock.h"
#include "shell/MenuPresets.h"
#include "taskmanager/TaskManagerWindow.h"
#include "taskmanager/TaskTableModel.h"
#include "ui_QuickReminderDialog.h"
#include "widgets/ColumnMenu.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WindowLook.h"

#include <QIcon>
#include <QLocale>
#include <QMenu>
#include <QTextCursor>
#include <algorithm>
#include <new>

using namespace Qt::StringLiterals;

QuickReminderDialog::QuickReminderDialog(AppData &data, const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::QuickReminderDialog>())
    , m_data(data)
    , m_services(services)
{
    m_ui->setupUi(this);
    setWindowIcon(ProgramIcon());
    buildQuickMenu();
    m_tip = new ValidationTip(this);

    // The date shows the Chinese way whatever the system language.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    m_ui->dateEdit->setLocale(chinese);
    m_ui->dateEdit->setDisplayFormat(chinese.dateFormat(QLocale::LongFormat));
    m_ui->dateEdit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    setMoment(m_services.clock->Now());

    connect(m_ui->messageEdit, &QPlainTextEdit::textChanged, this, &QuickReminderDialog::keepMessageWithinLimit);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &QuickReminderDialog::save);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->messageEdit->setFocus();
}

QuickReminderDialog::~QuickReminderDialog() = default;

bool QuickReminderDialog::OpenModal(AppData &data, const Services &services, std::optional<QuickChoice> preset,
                                    QWidget *parent)
{
    QuickReminderDialog dialog(data, services, parent);
    if (preset && !dialog.applyChoice(*preset))
        return false;
    return dialog.exec() == QDialog::Accepted;
}

ColumnMenu *QuickReminderDialog::addChoiceMenu(const QString &title, const char *name)
{
    auto *menu = new ColumnMenu(title, m_quickMenu);
    menu->setObjectName(QString::fromLatin1(name));
    m_quickMenu->addMenu(menu);
    return menu;
}

// Four submenus of choices; the long ones stand in two columns.
void QuickReminderDialog::buildQuickMenu()
{
    m_quickMenu = new QMenu(this);
    m_quickMenu->setObjectName(u"quickMenu"_s);
    const auto add = [this](ColumnMenu *menu, int id, const QString &text) {
        const bool newColumn = std::ranges::find(QuickMenuId::ColumnBreaks, id) != std::end(QuickMenuId::ColumnBreaks);
        QAction *action = menu->addCommand(text, newColumn);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] {
            if (const auto choice = QuickMenuChoice(id))
                applyChoice(*choice);
        });
    };

    ColumnMenu *afterMinutes = addChoiceMenu(tr("在...之后"), "afterMinutesMenu");
    const std::span<const MenuPreset> minutes = QuickMinutePresets();
    for (size_t i = 0; i < minutes.size(); ++i)
        add(afterMinutes, QuickMenuId::MinutesFirst + int(i), QString::fromUtf16(minutes[i].label));
    ColumnMenu *atHour = addChoiceMenu(tr("在...时候"), "atHourMenu");
    for (int hour = 0; hour < 24; ++hour)
        add(atHour, QuickMenuId::HourFirst + hour, u"%1:00"_s.arg(hour, 2, 10, QLatin1Char('0')));
    m_quickMenu->addSeparator();
    ColumnMenu *afterDays = addChoiceMenu(tr("在...之后"), "afterDaysMenu");
    const std::span<const MenuPreset> days = QuickDayPresets();
    for (size_t i = 0; i < days.size(); ++i)
        add(afterDays, QuickMenuId::DaysFirst + int(i), QString::fromUtf16(days[i].label));
    ColumnMenu *next = addChoiceMenu(tr("下一个"), "nextWeekdayMenu");
    const QStringList weekdays {tr("星期一"), tr("星期二"), tr("星期三"), tr("星期四"),
                                tr("星期五"), tr("星期六"), tr("星期天")};
    for (int i = 0; i < int(weekdays.size()); ++i)
        add(next, QuickMenuId::WeekdayFirst + i, weekdays[i]);

    QToolButton *button = m_ui->quickMenuButton;
    button->setIcon(QIcon(u":/editor/quick-menu.svg"_s));
    button->setMenu(m_quickMenu);
    button->setPopupMode(QToolButton::InstantPopup);
}

DateTime QuickReminderDialog::moment() const
{
    return FromQDate(m_ui->dateEdit->date()).WithTimeOf(FromQTime(m_ui->timeEdit->time()));
}

void QuickReminderDialog::setMoment(const DateTime &moment)
{
    if (!moment.IsValid())
        return;
    m_ui->dateEdit->setDate(ToQDate(moment));
    m_ui->timeEdit->setTime(ToQTime(moment));
}

bool QuickReminderDialog::applyChoice(const QuickChoice &choice)
{
    const DateTime moved = ApplyQuickChoice(choice, moment());
    if (!moved.IsValid())
        return false;
    setMoment(moved);
    return true;
}

// Typing or pasting past what the file keeps drops the excess just before
// the cursor, where it came in; text set all at once keeps its beginning.
void QuickReminderDialog::keepMessageWithinLimit()
{
    QPlainTextEdit *edit = m_ui->messageEdit;
    const QString text = edit->toPlainText();
    qsizetype excess = EditTextToMessage(text).size() - MessageLimit;
    if (excess <= 0)
        return;
    const auto storedSize = [](QChar c) {
        return c == u'\n' ? 2 : 1;
    };
    QTextCursor cursor = edit->textCursor();
    int end = cursor.position();
    int start = end;
    while (excess > 0 && start > 0)
        excess -= storedSize(text[--start]);
    if (excess > 0) {
        qsizetype kept = 0;
        for (start = 0; start < text.size() && kept + storedSize(text[start]) <= MessageLimit; ++start)
            kept += storedSize(text[start]);
        end = int(text.size());
    }
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    edit->setTextCursor(cursor);
}

void QuickReminderDialog::save()
{
    const DateTime now = m_services.clock->Now();
    const DateTime due = moment();
    if (!due.IsValid() || due <= now) {
        MessageBoxes::Warning(this,
                              tr("快捷报时的设定日期/时间必须大于当前日期/时间,请检查你的日期/时间设置是否符合要求!"));
        return;
    }
    const QString message = EditTextToMessage(m_ui->messageEdit->toPlainText());
    // Without a message the reminder would come and go unseen.
    if (message.trimmed().isEmpty()) {
        m_tip->showUnder(m_ui->messageEdit, tr("请输入提醒的内容！"));
        return;
    }
    AlarmTask task = QuickReminderTask(due, message, now);
    AlarmList &alarms = m_data.Alarms;
    try {
        m_savedEntry = alarms.AddTail(task);
    } catch (const std::bad_alloc &) {
        MessageBoxes::Warning(this, AddTaskFailedText);
        return;
    }
    task.SelfPosition = m_savedEntry;
    alarms.SetAt(m_savedEntry, task);
    // The task manager lists the quick reminder first, where it is seen.
    if (TaskManagerWindow *manager = TaskManagerWindow::Instance();
        manager && manager->currentTab() == TaskManagerWindow::AlarmsTab)
        manager->model(TaskManagerWindow::AlarmsTab)->moveToFirstRow(m_savedEntry);
    accept();
}

void QuickReminderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!std::exchange(m_centred, true))
        CentreOnPrimaryScreen(*this);
}

// SPDX-License-Identifier: MIT
#include "editor/ReminderEditor.h"

#include "editor/ActionPage.h"
#include "editor/DailyPage.h"
#include "editor/HourlyPage.h"
#include "editor/MessagePage.h"
#include "editor/MonthlyPage.h"
#include "editor/RangeDialog.h"
#include "editor/SoundPage.h"
#include "editor/ValidationTip.h"
#include "editor/WeeklyPage.h"
#include "editor/YearlyPage.h"
#include "model/AppData.h"
#include "model/CategoryTable.h"
#include "platform/Clock.h"
#include "ui_ReminderEditor.h"
#include "widgets/MessageBoxes.h"

#include <QButtonGroup>
#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <new>

using namespace Qt::StringLiterals;

ReminderEditor::ReminderEditor(AppData &data, const Services &services, EntryHandle entry, int taskListRow,
                               QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ReminderEditor>())
    , m_data(data)
    , m_services(services)
    , m_editing(!entry.IsNull())
    , m_entry(entry)
    , m_taskListRow(taskListRow)
{
    m_ui->setupUi(this);
    initWorkingTask();
    fillLists();
    createPages();
    m_tip = new ValidationTip(this);
    connectControls();
    showCategoryIcon();
    applyScheduleKind(AlarmTask::Once);
    if (m_editing)
        loadEntry();
    SetTextKeepingLimit(m_ui->descriptionEdit, m_ui->descriptionEdit->text(), DescriptionTypingLimit);
    // The title is what one types first.
    m_ui->descriptionEdit->setFocus();
}

ReminderEditor::~ReminderEditor() = default;

bool ReminderEditor::OpenModal(AppData &data, const Services &services, EntryHandle entry, int taskListRow,
                               QWidget *parent)
{
    if (!entry.IsNull() && !data.Alarms.Contains(entry))
        return false;
    ReminderEditor editor(data, services, entry, taskListRow, parent);
    return editor.exec() == QDialog::Accepted;
}

ReminderEditor *ReminderEditor::OpenModeless(AppData &data, const Services &services, EntryHandle entry,
                                             QWidget *parent)
{
    if (!entry.IsNull() && !data.Alarms.Contains(entry))
        return nullptr;
    auto *editor = new ReminderEditor(data, services, entry, -1, parent);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setModal(false);
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

// A new task starts at the next whole minute, today, with its date range
// running a week from now and the whole day as its time window.
void ReminderEditor::initWorkingTask()
{
    const DateTime now = m_services.clock->Now();
    m_task = InitAlarmTask(now);
    m_task.HourlyTimeLimit = 0;
    m_task.HourlyDateLimit = 0;
    m_task.HourlyStartDate = now;
    m_task.HourlyEndDate = now.AddMinutes(10080);
    m_task.HourlyStartTime = DateTime::TimeOfDay(0, 0, 0);
    m_task.HourlyEndTime = DateTime::TimeOfDay(23, 59, 0);

    const DateTime next = now.AddMinutes(1);
    const DateTime time = next.IsValid() ? DateTime::TimeOfDay(next.Hour(), next.Minute(), 0)
                                         : DateTime::TimeOfDay(now.Hour(), now.Minute(), now.Second());
    m_ui->timeEdit->setTime(ToQTime(time));
    // The date picker shows the date the Chinese way whatever the system
    // language, like every other text of the program.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    m_ui->dateEdit->setLocale(chinese);
    m_ui->dateEdit->setDisplayFormat(chinese.dateFormat(QLocale::LongFormat));
    m_ui->dateEdit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    m_ui->dateEdit->setDate(ToQDate(now));
}

void ReminderEditor::fillLists()
{
    m_ui->categoryCombo->addItems(CategoryTable::names());
    m_ui->categoryCombo->setCurrentIndex(0);
    m_ui->scheduleCombo->addItems(ScheduleNames());
    m_ui->scheduleCombo->setCurrentIndex(AlarmTask::Once);
    m_reportModes = new QButtonGroup(this);
    m_reportModes->addButton(m_ui->atTimeRadio, AlarmTask::AtDateTime);
    m_reportModes->addButton(m_ui->firstStartRadio, AlarmTask::AtFirstStart);
    m_reportModes->addButton(m_ui->everyStartRadio, AlarmTask::AtEveryStart);
    m_ui->atTimeRadio->setChecked(true);
}

void ReminderEditor::createPages()
{
    const DateTime now = m_services.clock->Now();
    m_schedulePages = {new HourlyPage, new DailyPage, new WeeklyPage, new MonthlyPage(now.Day()), new YearlyPage};
    const char *names[] = {"hourlyPage", "dailyPage", "weeklyPage", "monthlyPage", "yearlyPage"};
    for (size_t i = 0; i < m_schedulePages.size(); ++i) {
        m_schedulePages[i]->setObjectName(QString::fromLatin1(names[i]));
        m_ui->pageStack->addWidget(m_schedulePages[i]);
    }

    m_messagePage = new MessagePage;
    m_messagePage->setObjectName(u"messagePage"_s);
    m_soundPage = new SoundPage(m_services.sound);
    m_soundPage->setObjectName(u"soundPage"_s);
    m_actionPage = new ActionPage;
    m_actionPage->setObjectName(u"actionPage"_s);
    QTabWidget *tabs = m_ui->tabWidget;
    tabs->addTab(m_messagePage, QIcon(u":/editor/tab-message.svg"_s), tr("提示消息"));
    tabs->addTab(m_soundPage, QIcon(u":/editor/tab-sound.svg"_s), tr("播放声音"));
    tabs->addTab(m_actionPage, QIcon(u":/editor/tab-action.svg"_s), tr("执行任务"));
}

void ReminderEditor::connectControls()
{
    connect(m_ui->scheduleCombo, &QComboBox::currentIndexChanged, this, &ReminderEditor::applyScheduleKind);
    connect(m_ui->categoryCombo, &QComboBox::currentIndexChanged, this, &ReminderEditor::showCategoryIcon);
    connect(m_ui->atTimeRadio, &QRadioButton::toggled, this, &ReminderEditor::updateTimeEnabled);
    connect(m_ui->advancedButton, &QPushButton::clicked, this, &ReminderEditor::openRangeDialog);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &ReminderEditor::save);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &ReminderEditor::reject);
}

// The working task becomes a copy of the entry, and the controls show it.
// An entry gone meanwhile loads nothing; Save deals with it.
void ReminderEditor::loadEntry()
{
    const AlarmTask *stored = m_data.Alarms.Find(m_entry);
    if (!stored)
        return;
    m_task = *stored;
    showForm(LoadReminderForm(m_task, readForm()));
}

// Each schedule kind shows its own page; a one-off task shows its date
// instead, and only the kinds that use a date range offer "高级设置...". An
// hourly task has no time of day of its own.
void ReminderEditor::applyScheduleKind(int kind)
{
    m_ui->pageStack->setCurrentIndex(kind >= AlarmTask::Hourly && kind <= AlarmTask::Yearly ? kind : 0);
    m_ui->advancedButton->setVisible(kind >= AlarmTask::Hourly && kind <= AlarmTask::Monthly);
    const bool timed = kind != AlarmTask::Hourly;
    for (QAbstractButton *radio : m_reportModes->buttons())
        radio->setEnabled(timed);
    updateTimeEnabled();
}

// The time picker is in use only for a task due at a time of day.
void ReminderEditor::updateTimeEnabled()
{
    m_ui->timeEdit->setEnabled(m_ui->atTimeRadio->isEnabled() && m_ui->atTimeRadio->isChecked());
}

void ReminderEditor::showCategoryIcon()
{
    const QString path = CategoryTable::iconPath(m_ui->categoryCombo->currentIndex());
    const QSize size = m_ui->categoryIcon->maximumSize();
    m_ui->categoryIcon->setPixmap(path.isEmpty() ? QPixmap() : QIcon(path).pixmap(size, devicePixelRatioF()));
}

void ReminderEditor::openRangeDialog()
{
    RangeDialog dialog(m_task, m_data.Alarms, m_editing ? m_entry : EntryHandle {}, m_ui->scheduleCombo->currentIndex(),
                       *m_services.clock, this);
    dialog.exec();
}

std::array<EditorPage *, 8> ReminderEditor::pages() const
{
    return {m_schedulePages[0], m_schedulePages[1], m_schedulePages[2], m_schedulePages[3],
            m_schedulePages[4], m_messagePage,      m_soundPage,        m_actionPage};
}

ReminderForm ReminderEditor::readForm() const
{
    ReminderForm form;
    form.description = m_ui->descriptionEdit->text();
    form.category = m_ui->categoryCombo->currentIndex();
    form.reportMode = m_reportModes->checkedId();
    form.schedule = m_ui->scheduleCombo->currentIndex();
    form.date = FromQDate(m_ui->dateEdit->date());
    form.time = FromQTime(m_ui->timeEdit->time());
    for (const EditorPage *page : pages())
        page->readValues(form);
    return form;
}

void ReminderEditor::showForm(const ReminderForm &form)
{
    SetTextKeepingLimit(m_ui->descriptionEdit, form.description, DescriptionTypingLimit);
    m_ui->categoryCombo->setCurrentIndex(form.category);
    CheckButton(m_reportModes, form.reportMode);
    m_ui->scheduleCombo->setCurrentIndex(form.schedule);
    if (form.date.IsValid())
        m_ui->dateEdit->setDate(ToQDate(form.date));
    if (form.time.IsValid())
        m_ui->timeEdit->setTime(ToQTime(form.time));
    for (EditorPage *page : pages())
        page->showValues(form);
    applyScheduleKind(form.schedule);
    showCategoryIcon();
}

void ReminderEditor::save()
{
    const SaveCheck check = ApplyReminderForm(readForm(), m_task, m_services.clock->Now());
    if (check.outcome == SaveCheck::Invalid) {
        showProblem(check.field);
        return;
    }
    if (check.outcome == SaveCheck::Stopped)
        return;
    if (store())
        accept();
}

// Writes the working task into the list. False when nothing was written:
// the editor then stays open, unless the user let a deleted task's edit go.
bool ReminderEditor::store()
{
    AlarmList &alarms = m_data.Alarms;
    if (m_editing) {
        if (alarms.Contains(m_entry)) {
            m_task.SelfPosition = m_entry;
            alarms.SetAt(m_entry, m_task);
            m_savedEntry = m_entry;
            return true;
        }
        // Deleted while being edited. Writing into the stale entry is out of
        // the question; the user decides whether the edit lives on as a new
        // task or goes with the deleted one.
        const bool keep = MessageBoxes::Show(this, QMessageBox::Question,
                                             tr("这个提醒任务已经在别处被删除了。要把修改后的内容保存为一个新的"
                                                "提醒任务吗？"),
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
        if (!keep) {
            reject();
            return false;
        }
        m_editing = false;
        m_entry = {};
    }
    return appendTask();
}

bool ReminderEditor::appendTask()
{
    AlarmList &alarms = m_data.Alarms;
    m_task.SelfPosition = {};
    EntryHandle entry;
    try {
        entry = alarms.AddTail(m_task);
    } catch (const std::bad_alloc &) {
        MessageBoxes::Warning(this, AddTaskFailedText);
        return false;
    }
    m_task.SelfPosition = entry;
    alarms.SetAt(entry, m_task);
    m_savedEntry = entry;
    return true;
}

void ReminderEditor::showProblem(FormField field)
{
    QWidget *control = fieldWidget(field);
    if (!control)
        return;
    // A control on a tab page behind another one is brought forward, so
    // that the tip has something to point at.
    for (int i = 0; i < m_ui->tabWidget->count(); ++i) {
        if (m_ui->tabWidget->widget(i)->isAncestorOf(control))
            m_ui->tabWidget->setCurrentIndex(i);
    }
    m_tip->showUnder(control, problemText(ProblemOf(field)));
}

QWidget *ReminderEditor::fieldWidget(FormField field) const
{
    if (field == FormField::Description)
        return m_ui->descriptionEdit;
    if (field == FormField::Time)
        return m_ui->timeEdit;
    for (const EditorPage *page : pages()) {
        if (QWidget *control = page->fieldWidget(field))
            return control;
    }
    return nullptr;
}

QString ReminderEditor::problemText(FormProblem problem) const
{
    switch (problem) {
    case FormProblem::DescriptionRequired:
        return tr("闹铃描述信息为必填项，请重新输入！");
    case FormProblem::OnceNotInFuture:
        return tr("执行一次报时的设定日期/时间必须大于当前日期/时间,请检查你的日期/时间设置是否符合要求!");
    case FormProblem::MinuteOutOfRange:
        return tr("请输入0 - 59 范围内的数字!");
    case FormProblem::IntervalOutOfRange:
        return tr("请输入1 - 99 范围内的数字!");
    case FormProblem::DayOutOfRange:
        return tr("请输入1 - 31 范围内的数字!");
    }
    return {};
}

void ReminderEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (std::exchange(m_centred, true))
        return;
    if (const QScreen *desktop = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(desktop->availableGeometry().center());
        move(frame.topLeft());
    }
}

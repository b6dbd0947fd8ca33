// SPDX-License-Identifier: MIT
#include "editor/RangeDialog.h"

#include "editor/EditorPage.h"
#include "platform/Clock.h"
#include "ui_RangeDialog.h"
#include "widgets/MessageBoxes.h"

RangeDialog::RangeDialog(AlarmTask &task, const AlarmList &alarms, EntryHandle entry, int schedule, const Clock &clock,
                         QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::RangeDialog>())
    , m_task(task)
{
    m_ui->setupUi(this);
    for (QDateEdit *edit : {m_ui->startDateEdit, m_ui->endDateEdit})
        edit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));

    const bool hourly = schedule == AlarmTask::Hourly;
    for (QWidget *w : std::initializer_list<QWidget *> {m_ui->startTimeEdit, m_ui->noTimeLimitRadio, m_ui->endTimeRadio,
                                                        m_ui->endTimeEdit})
        w->setEnabled(hourly);

    RangeChoice range = DefaultRange(clock.Now());
    if (!entry.IsNull()) {
        const AlarmTask *stored = alarms.Find(entry);
        const std::optional<RangeChoice> storedRange = stored ? RangeOfTask(*stored) : std::nullopt;
        if (storedRange)
            range = *storedRange;
        else
            MessageBoxes::Warning(this, tr("数据加载错误，正在尝试初始化!"));
    }
    showRange(range);

    m_ui->okButton->setEnabled(false);
    connectChanges();
    connect(m_ui->okButton, &QPushButton::clicked, this, &RangeDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &RangeDialog::reject);
}

RangeDialog::~RangeDialog() = default;

void RangeDialog::showRange(const RangeChoice &range)
{
    m_ui->startDateEdit->setDate(ToQDate(range.startDate));
    m_ui->endDateEdit->setDate(ToQDate(range.endDate));
    m_ui->startTimeEdit->setTime(ToQTime(range.startTime));
    m_ui->endTimeEdit->setTime(ToQTime(range.endTime));
    (range.dateLimit ? m_ui->endDateRadio : m_ui->noDateLimitRadio)->setChecked(true);
    (range.timeLimit ? m_ui->endTimeRadio : m_ui->noTimeLimitRadio)->setChecked(true);
}

// OK waits for the user to change something. Picking an end date or an end
// time means the user wants that limit, so its radio follows.
void RangeDialog::connectChanges()
{
    for (QRadioButton *radio : {m_ui->noDateLimitRadio, m_ui->endDateRadio, m_ui->noTimeLimitRadio, m_ui->endTimeRadio})
        connect(radio, &QRadioButton::clicked, this, &RangeDialog::enableOk);
    connect(m_ui->startDateEdit, &QDateEdit::dateChanged, this, &RangeDialog::enableOk);
    connect(m_ui->startTimeEdit, &QTimeEdit::timeChanged, this, &RangeDialog::enableOk);
    connect(m_ui->endDateEdit, &QDateEdit::dateChanged, this, [this] {
        m_ui->endDateRadio->setChecked(true);
        enableOk();
    });
    connect(m_ui->endTimeEdit, &QTimeEdit::timeChanged, this, [this] {
        m_ui->endTimeRadio->setChecked(true);
        enableOk();
    });
}

void RangeDialog::enableOk()
{
    m_ui->okButton->setEnabled(true);
}

RangeChoice RangeDialog::choice() const
{
    RangeChoice range;
    range.dateLimit = m_ui->endDateRadio->isChecked();
    range.timeLimit = m_ui->endTimeRadio->isChecked();
    range.startDate = FromQDate(m_ui->startDateEdit->date());
    range.endDate = FromQDate(m_ui->endDateEdit->date());
    range.startTime = FromQTime(m_ui->startTimeEdit->time());
    range.endTime = FromQTime(m_ui->endTimeEdit->time());
    return range;
}

void RangeDialog::accept()
{
    ApplyRange(choice(), m_task);
    QDialog::accept();
}

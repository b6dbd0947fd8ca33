// SPDX-License-Identifier: MIT
#include "editor/WeeklyPage.h"

#include "ui_WeeklyPage.h"

WeeklyPage::WeeklyPage(QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::WeeklyPage>())
{
    m_ui->setupUi(this);
    m_days = {m_ui->mondayCheck, m_ui->tuesdayCheck,  m_ui->wednesdayCheck, m_ui->thursdayCheck,
              m_ui->fridayCheck, m_ui->saturdayCheck, m_ui->sundayCheck};
    m_ui->weeksBox->setArrowRange(1, 99);
    m_ui->weeksBox->setNumber(1);
}

WeeklyPage::~WeeklyPage() = default;

void WeeklyPage::showValues(const ReminderForm &form)
{
    m_ui->weeksBox->setNumber(form.weeklyWeeks);
    for (size_t i = 0; i < m_days.size(); ++i)
        m_days[i]->setChecked(form.weekdays.test(i));
}

void WeeklyPage::readValues(ReminderForm &form) const
{
    form.weeklyWeeks = m_ui->weeksBox->number();
    for (size_t i = 0; i < m_days.size(); ++i)
        form.weekdays.set(i, m_days[i]->isChecked());
}

QWidget *WeeklyPage::fieldWidget(FormField field) const
{
    return field == FormField::WeeklyWeeks ? m_ui->weeksBox : nullptr;
}

// SPDX-License-Identifier: MIT
#include "editor/MonthlyPage.h"

#include "model/NameTables.h"
#include "ui_MonthlyPage.h"

#include <QButtonGroup>

MonthlyPage::MonthlyPage(int dayOfMonth, QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::MonthlyPage>())
    , m_rows(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    m_rows->addButton(m_ui->byDayRadio, ReminderForm::FirstRow);
    m_rows->addButton(m_ui->byWeekOrderRadio, ReminderForm::SecondRow);
    m_ui->dayBox->setArrowRange(1, 31);
    m_ui->monthsBox->setArrowRange(1, 99);
    m_ui->months2Box->setArrowRange(1, 99);
    m_ui->dayBox->setNumber(dayOfMonth);
    m_ui->monthsBox->setNumber(1);
    m_ui->months2Box->setNumber(1);
    m_ui->weekdayCombo->addItems(WeekdayNames());
    m_ui->weekOrderCombo->addItems(WeekOrderNames());
    connect(m_ui->byDayRadio, &QRadioButton::toggled, this, &MonthlyPage::enableRow);
    m_ui->byDayRadio->setChecked(true);
    enableRow(true);
}

MonthlyPage::~MonthlyPage() = default;

// Only the chosen row's controls take input; the other row keeps its
// values, disabled.
void MonthlyPage::enableRow(bool byDay)
{
    m_ui->monthsBox->setEnabled(byDay);
    m_ui->dayBox->setEnabled(byDay);
    m_ui->months2Box->setEnabled(!byDay);
    m_ui->weekOrderCombo->setEnabled(!byDay);
    m_ui->weekdayCombo->setEnabled(!byDay);
}

void MonthlyPage::showValues(const ReminderForm &form)
{
    m_ui->monthsBox->setNumber(form.monthlyMonths);
    m_ui->dayBox->setNumber(form.monthlyDay);
    m_ui->months2Box->setNumber(form.monthlyMonths2);
    SelectValue(m_ui->weekOrderCombo, form.monthlyWeekOrder);
    SelectValue(m_ui->weekdayCombo, form.monthlyWeekday);
    CheckButton(m_rows, form.monthlyRow);
    enableRow(m_ui->byDayRadio->isChecked());
}

void MonthlyPage::readValues(ReminderForm &form) const
{
    form.monthlyRow = m_rows->checkedId();
    form.monthlyMonths = m_ui->monthsBox->number();
    form.monthlyDay = m_ui->dayBox->number();
    form.monthlyMonths2 = m_ui->months2Box->number();
    form.monthlyWeekOrder = SelectedValue(m_ui->weekOrderCombo);
    form.monthlyWeekday = SelectedValue(m_ui->weekdayCombo);
}

QWidget *MonthlyPage::fieldWidget(FormField field) const
{
    switch (field) {
    case FormField::MonthlyMonths:
        return m_ui->monthsBox;
    case FormField::MonthlyDay:
        return m_ui->dayBox;
    case FormField::MonthlyMonths2:
        return m_ui->months2Box;
    default:
        return nullptr;
    }
}

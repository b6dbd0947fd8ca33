// SPDX-License-Identifier: MIT
#include "editor/YearlyPage.h"

#include "model/NameTables.h"
#include "ui_YearlyPage.h"

#include <QButtonGroup>

YearlyPage::YearlyPage(QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::YearlyPage>())
    , m_rows(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    m_rows->addButton(m_ui->byDayRadio, ReminderForm::FirstRow);
    m_rows->addButton(m_ui->byWeekOrderRadio, ReminderForm::SecondRow);
    m_ui->dayBox->setArrowRange(1, 31);
    m_ui->dayBox->setNumber(1);
    m_ui->weekdayCombo->addItems(WeekdayNames());
    m_ui->weekOrderCombo->addItems(WeekOrderNames());
    m_ui->monthCombo->addItems(MonthNames());
    m_ui->month2Combo->addItems(MonthNames());
    connect(m_ui->byDayRadio, &QRadioButton::toggled, this, &YearlyPage::enableRow);
    m_ui->byDayRadio->setChecked(true);
    enableRow(true);
}

YearlyPage::~YearlyPage() = default;

void YearlyPage::enableRow(bool byDay)
{
    m_ui->monthCombo->setEnabled(byDay);
    m_ui->dayBox->setEnabled(byDay);
    m_ui->month2Combo->setEnabled(!byDay);
    m_ui->weekOrderCombo->setEnabled(!byDay);
    m_ui->weekdayCombo->setEnabled(!byDay);
}

void YearlyPage::showValues(const ReminderForm &form)
{
    SelectValue(m_ui->monthCombo, form.yearlyMonth);
    m_ui->dayBox->setNumber(form.yearlyDay);
    SelectValue(m_ui->month2Combo, form.yearlyMonth2);
    SelectValue(m_ui->weekOrderCombo, form.yearlyWeekOrder);
    SelectValue(m_ui->weekdayCombo, form.yearlyWeekday);
    CheckButton(m_rows, form.yearlyRow);
    enableRow(m_ui->byDayRadio->isChecked());
}

void YearlyPage::readValues(ReminderForm &form) const
{
    form.yearlyRow = m_rows->checkedId();
    form.yearlyMonth = SelectedValue(m_ui->monthCombo);
    form.yearlyDay = m_ui->dayBox->number();
    form.yearlyMonth2 = SelectedValue(m_ui->month2Combo);
    form.yearlyWeekOrder = SelectedValue(m_ui->weekOrderCombo);
    form.yearlyWeekday = SelectedValue(m_ui->weekdayCombo);
}

QWidget *YearlyPage::fieldWidget(FormField field) const
{
    return field == FormField::YearlyDay ? m_ui->dayBox : nullptr;
}

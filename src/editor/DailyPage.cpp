// SPDX-License-Identifier: MIT
#include "editor/DailyPage.h"

#include "ui_DailyPage.h"

#include <QButtonGroup>

DailyPage::DailyPage(QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::DailyPage>())
    , m_rows(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    m_rows->addButton(m_ui->everyDaysRadio, ReminderForm::FirstRow);
    m_rows->addButton(m_ui->weekendRadio, ReminderForm::SecondRow);
    m_ui->daysBox->setArrowRange(1, 99);
    m_ui->daysBox->setNumber(1);
    // The interval belongs to "每隔" only.
    connect(m_ui->everyDaysRadio, &QRadioButton::toggled, m_ui->daysBox, &QWidget::setEnabled);
    m_ui->everyDaysRadio->setChecked(true);
}

DailyPage::~DailyPage() = default;

void DailyPage::showValues(const ReminderForm &form)
{
    m_ui->daysBox->setNumber(form.dailyDays);
    CheckButton(m_rows, form.dailyRow);
    m_ui->daysBox->setEnabled(m_ui->everyDaysRadio->isChecked());
}

void DailyPage::readValues(ReminderForm &form) const
{
    form.dailyRow = m_rows->checkedId();
    form.dailyDays = m_ui->daysBox->number();
}

QWidget *DailyPage::fieldWidget(FormField field) const
{
    return field == FormField::DailyDays ? m_ui->daysBox : nullptr;
}

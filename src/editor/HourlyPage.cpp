// SPDX-License-Identifier: MIT
#include "editor/HourlyPage.h"

#include "ui_HourlyPage.h"

HourlyPage::HourlyPage(QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::HourlyPage>())
{
    m_ui->setupUi(this);
    m_ui->minuteBox->setArrowRange(0, 59);
    m_ui->minuteBox->setNumber(0);
}

HourlyPage::~HourlyPage() = default;

void HourlyPage::showValues(const ReminderForm &form)
{
    m_ui->minuteBox->setNumber(form.hourlyMinute);
}

void HourlyPage::readValues(ReminderForm &form) const
{
    form.hourlyMinute = m_ui->minuteBox->number();
}

QWidget *HourlyPage::fieldWidget(FormField field) const
{
    return field == FormField::HourlyMinute ? m_ui->minuteBox : nullptr;
}

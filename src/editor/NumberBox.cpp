// SPDX-License-Identifier: MIT
#include "editor/NumberBox.h"

#include "editor/ReminderForm.h"

#include <QLineEdit>

NumberBox::NumberBox(QWidget *parent)
    : QSpinBox(parent)
{
    // Two digits at most, digits only: the spin box's own validator enforces
    // both with this range.
    setRange(0, 99);
    setWrapping(true);
    setAlignment(Qt::AlignRight);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void NumberBox::setArrowRange(int low, int high)
{
    m_low = low;
    m_high = high;
}

int NumberBox::number() const
{
    bool ok = false;
    const int value = cleanText().toInt(&ok);
    return ok ? value : NotANumber;
}

void NumberBox::setNumber(int value)
{
    setValue(value);
}

void NumberBox::stepBy(int steps)
{
    const int span = m_high - m_low + 1;
    int value = number();
    value = value == NotANumber ? m_low : qBound(m_low, value, m_high);
    value = m_low + ((value - m_low + steps) % span + span) % span;
    setValue(value);
    lineEdit()->selectAll();
}

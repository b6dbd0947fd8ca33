// SPDX-License-Identifier: MIT
#include "editor/EditorPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>

void SetTextKeepingLimit(QLineEdit *edit, const QString &text, int limit)
{
    edit->setMaxLength(qMax(limit, int(text.size())));
    edit->setText(text);
}

void SelectValue(QComboBox *list, int value)
{
    list->setCurrentIndex(value >= 1 && value <= list->count() ? value - 1 : -1);
}

int SelectedValue(const QComboBox *list)
{
    return list->currentIndex() < 0 ? ReminderForm::NoChoice : list->currentIndex() + 1;
}

void CheckButton(QButtonGroup *group, int id)
{
    if (QAbstractButton *button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group will not let its checked button go: lift the rule
    // for a moment.
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

QDate ToQDate(const DateTime &date)
{
    return QDate(date.Year(), date.Month(), date.Day());
}

QTime ToQTime(const DateTime &time)
{
    return QTime(time.Hour(), time.Minute(), time.Second());
}

DateTime FromQDate(const QDate &date)
{
    return date.isValid() ? DateTime::FromParts(date.year(), date.month(), date.day()) : DateTime::Invalid();
}

DateTime FromQTime(const QTime &time)
{
    return time.isValid() ? DateTime::TimeOfDay(time.hour(), time.minute(), time.second()) : DateTime::Invalid();
}

// SPDX-License-Identifier: MIT
#pragma once

#include "editor/ReminderForm.h"

#include <QDate>
#include <QTime>
#include <QWidget>

// A page of the reminder editor: a schedule page or one of the message,
// sound and action tabs. Each page owns a part of the editor's form; the
// editor asks it to show values after a load and to read its controls
// before a save.
class EditorPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void showValues(const ReminderForm &form) = 0;
    virtual void readValues(ReminderForm &form) const = 0;
    // The control holding `field`, or nullptr when it is not on this page.
    virtual QWidget *fieldWidget(FormField) const { return nullptr; }
};

class QButtonGroup;
class QComboBox;
class QLineEdit;

// Puts text into a box whose typing limit is `limit` characters. A longer
// stored text shows whole rather than cut: the limit only stops typing.
void SetTextKeepingLimit(QLineEdit *edit, const QString &text, int limit);
// Selects a 1-based value in a list whose index + 1 is that value.
void SelectValue(QComboBox *list, int value);
// The 1-based value selected in such a list, or ReminderForm::NoChoice.
int SelectedValue(const QComboBox *list);
// Checks the button with `id` in an exclusive group; none for NoChoice.
void CheckButton(QButtonGroup *group, int id);

// Dates and times between the task's values and the pickers.
QDate ToQDate(const DateTime &date);
QTime ToQTime(const DateTime &time);
// The date at 00:00:00; invalid for an invalid date.
DateTime FromQDate(const QDate &date);
// The time of day.
DateTime FromQTime(const QTime &time);

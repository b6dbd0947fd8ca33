// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/BirthdayNote.h"
#include "model/DateTime.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// What the task list shows for each kind of entry, and how it orders rows.
// Every tab has three columns; the texts here are exactly what the list
// displays and what sorting compares.

using RowTexts = std::array<QString, 3>;

// Only a task with a valid due moment gets a row.
bool HasAlarmRow(const AlarmTask &task);
// Description, frequency name, next run (which depends on `now`).
RowTexts AlarmRowTexts(const AlarmTask &task, const DateTime &now);
// Name, birth date as "year-month-day" without padding, age, sign and animal.
// A lunar birthday adds the lunar day of the birth and, in brackets, the
// date of the coming birthday seen from `now`: "1990-1-27 农历正月初一 (2027-2-6)".
RowTexts BirthdayRowTexts(const BirthdayEntry &entry, const DateTime &now);
// Text (on one line), "是"/"否" for on top, last change.
RowTexts NoteRowTexts(const NoteEntry &entry);
// The note text as one list line: its line breaks become spaces.
QString NoteListText(const QString &message);

// The question Delete asks for each kind of entry.
QString AlarmDeleteQuestion(const AlarmTask &task);
QString BirthdayDeleteQuestion(const BirthdayEntry &entry);
QString NoteDeleteQuestion(const NoteEntry &entry);

// A "YYYY-MM-DD hh:mm:ss" text (numbers may go unpadded) as a date-time;
// nothing for any other text or an impossible date.
std::optional<DateTime> ParseListDateTime(const QString &text);

// The list's sort column and direction. The list opens sorted on the first
// column, descending; a click on the sort column flips the direction, a
// click on another column sorts that one ascending.
struct SortState
{
    static constexpr int DateColumn = 2;

    int column = 0;
    bool ascending = false;

    void Click(int clicked);
    friend bool operator==(const SortState &, const SortState &) = default;
};

// The order of rows after sorting on a column whose texts are `texts` (one
// per row): element i is the current index of the row that goes to place i.
// The first two columns compare as text regardless of case. The date column
// compares the parsed date-times; rows whose text does not parse (start-up
// triggers, "执行于 " times, birthday remarks) stay where they are and the
// others are sorted among the places they hold. Equal keys keep their order.
std::vector<int> SortedRowOrder(const QStringList &texts, const SortState &sort);

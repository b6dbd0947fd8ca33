// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <memory>

namespace Ui {
class MonthlyPage;
}

class QButtonGroup;

// The monthly schedule: on a day of every n months, or on the first ..
// last weekday of every n months.
class MonthlyPage final : public EditorPage
{
    Q_OBJECT

public:
    // The day box starts at `dayOfMonth`, today's day.
    explicit MonthlyPage(int dayOfMonth, QWidget *parent = nullptr);
    ~MonthlyPage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;
    QWidget *fieldWidget(FormField field) const override;

private:
    void enableRow(bool byDay);

    std::unique_ptr<Ui::MonthlyPage> m_ui;
    QButtonGroup *m_rows;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <memory>

namespace Ui {
class YearlyPage;
}

class QButtonGroup;

// The yearly schedule: on a month and day, or on the first .. last weekday
// of a month.
class YearlyPage final : public EditorPage
{
    Q_OBJECT

public:
    explicit YearlyPage(QWidget *parent = nullptr);
    ~YearlyPage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;
    QWidget *fieldWidget(FormField field) const override;

private:
    void enableRow(bool byDay);

    std::unique_ptr<Ui::YearlyPage> m_ui;
    QButtonGroup *m_rows;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <array>
#include <memory>

namespace Ui {
class WeeklyPage;
}

class QCheckBox;

// The weekly schedule: every n weeks on the chosen weekdays.
class WeeklyPage final : public EditorPage
{
    Q_OBJECT

public:
    explicit WeeklyPage(QWidget *parent = nullptr);
    ~WeeklyPage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;
    QWidget *fieldWidget(FormField field) const override;

private:
    std::unique_ptr<Ui::WeeklyPage> m_ui;
    // Monday .. Sunday, the bit order of the weekday set.
    std::array<QCheckBox *, 7> m_days {};
};

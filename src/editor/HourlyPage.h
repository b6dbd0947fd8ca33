// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <memory>

namespace Ui {
class HourlyPage;
}

// The hourly schedule: the minute of every hour.
class HourlyPage final : public EditorPage
{
    Q_OBJECT

public:
    explicit HourlyPage(QWidget *parent = nullptr);
    ~HourlyPage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;
    QWidget *fieldWidget(FormField field) const override;

private:
    std::unique_ptr<Ui::HourlyPage> m_ui;
};

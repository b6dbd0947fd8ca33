// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <memory>

namespace Ui {
class DailyPage;
}

class QButtonGroup;

// The daily schedule: every n days, or every weekend.
class DailyPage final : public EditorPage
{
    Q_OBJECT

public:
    explicit DailyPage(QWidget *parent = nullptr);
    ~DailyPage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;
    QWidget *fieldWidget(FormField field) const override;

private:
    std::unique_ptr<Ui::DailyPage> m_ui;
    QButtonGroup *m_rows;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <memory>

namespace Ui {
class ActionPage;
}

class QButtonGroup;

// The "执行任务" tab: what the reminder does when it fires (open a file, log
// off, restart, shut down, stand by), at once or after a countdown, and the
// program or document to open.
class ActionPage final : public EditorPage
{
    Q_OBJECT

public:
    explicit ActionPage(QWidget *parent = nullptr);
    ~ActionPage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;
    QWidget *fieldWidget(FormField field) const override;

private:
    void browse();

    std::unique_ptr<Ui::ActionPage> m_ui;
    QButtonGroup *m_timing;
};

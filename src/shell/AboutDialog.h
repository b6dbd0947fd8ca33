// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class AboutDialog;
}

// "关于 Tockly": the program icon, its version and the update check.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // checkForUpdate runs the update check; without it the button is disabled.
    explicit AboutDialog(QWidget *parent = nullptr, std::function<void()> checkForUpdate = {});
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};

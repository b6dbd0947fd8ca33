// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Services.h"
#include "settings/SettingsPage.h"

#include <memory>

namespace Ui {
class GeneralPage;
}

class AppData;
class ClockWindow;

// "全局设置": start with the system, always on top, the calendar on hover,
// start minimised and the two double-click actions. "Always on top" and
// "start minimised" show and set the clock menu's check marks; starting
// with the system is the desktop's autostart entry, not a setting.
class GeneralPage final : public SettingsPage
{
    Q_OBJECT

public:
    GeneralPage(AppData &data, const Services &services, ClockWindow &clock, QWidget *parent = nullptr);
    ~GeneralPage() override;

    void Save() override;

private:
    std::unique_ptr<Ui::GeneralPage> m_ui;
    AppData &m_data;
    Services m_services;
    ClockWindow &m_clock;
};

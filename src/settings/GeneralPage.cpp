// SPDX-License-Identifier: MIT
#include "settings/GeneralPage.h"

#include "model/AppData.h"
#include "platform/AutostartService.h"
#include "settings/SettingsLook.h"
#include "shell/ClockWindow.h"
#include "shell/MenuIds.h"
#include "ui_GeneralPage.h"

GeneralPage::GeneralPage(AppData &data, const Services &services, ClockWindow &clock, QWidget *parent)
    : SettingsPage(parent)
    , m_ui(std::make_unique<Ui::GeneralPage>())
    , m_data(data)
    , m_services(services)
    , m_clock(clock)
{
    m_ui->setupUi(this);
    const SettingsLook::Page look = SettingsLook::General();
    m_ui->heading->setHeading(look.icon, look.title, look.tint);

    const GeneralSettings &general = m_data.Settings.General;
    m_ui->autostartCheck->setChecked(m_services.autostart && m_services.autostart->IsEnabled());
    m_ui->autostartCheck->setEnabled(m_services.autostart != nullptr);
    m_ui->alwaysOnTopCheck->setChecked(m_clock.AlwaysOnTopChecked());
    m_ui->startMinimisedCheck->setChecked(m_clock.AutoSmallChecked());
    m_ui->calendarOnHoverCheck->setChecked(general.ShowTooltip != 0);
    m_ui->showMissedCheck->setChecked(m_data.Settings.Extra.ShowMissed != 0);
    m_ui->clockDoubleClickCombo->setCurrentIndex(general.DbClick);
    m_ui->trayDoubleClickCombo->setCurrentIndex(general.DbClick2);

    for (QCheckBox *box :
         {m_ui->autostartCheck, m_ui->alwaysOnTopCheck, m_ui->calendarOnHoverCheck, m_ui->startMinimisedCheck,
          m_ui->showMissedCheck})
        connect(box, &QCheckBox::clicked, this, &SettingsPage::Changed);
    for (QComboBox *list : {m_ui->clockDoubleClickCombo, m_ui->trayDoubleClickCombo})
        connect(list, &QComboBox::currentIndexChanged, this, &SettingsPage::Changed);
}

GeneralPage::~GeneralPage() = default;

void GeneralPage::Save()
{
    GeneralSettings &general = m_data.Settings.General;
    general.ShowTooltip = m_ui->calendarOnHoverCheck->isChecked() ? 1 : 0;
    // Kept with the program's own additions, which every save writes.
    m_data.Settings.Extra.ShowMissed = m_ui->showMissedCheck->isChecked() ? 1 : 0;
    // A stored action this program does not know shows no choice, and is
    // kept until one is made.
    general.DbClick = SettingsLook::ChosenIndex(m_ui->clockDoubleClickCombo, general.DbClick);
    general.DbClick2 = SettingsLook::ChosenIndex(m_ui->trayDoubleClickCombo, general.DbClick2);

    m_clock.SetAlwaysOnTop(m_ui->alwaysOnTopCheck->isChecked());
    m_clock.SetStartMinimised(m_ui->startMinimisedCheck->isChecked());
    ClockSettings &clock = m_data.Settings.Clock;
    clock.AlwaysOntop = m_ui->alwaysOnTopCheck->isChecked() ? 1 : 0;
    clock.AutoSmall = m_ui->startMinimisedCheck->isChecked() ? 1 : 0;

    if (AutostartService *autostart = m_services.autostart) {
        const bool wanted = m_ui->autostartCheck->isChecked();
        if (wanted != autostart->IsEnabled())
            autostart->SetEnabled(wanted); // a failure shows in the box below
        const bool enabled = autostart->IsEnabled();
        m_ui->autostartCheck->setChecked(enabled);
        m_clock.Menu().SetChecked(MenuId::RunAtStartup, enabled);
    }
}

// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Services.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

namespace Ui {
class SettingsDialog;
}

class AppData;
class ClockWindow;
class SettingsPage;
class TimeSync;

// "Tockly设置": the four pages of preferences, chosen from the list on the
// left. Apply is enabled by any change on a page and is the dialog's record
// of one: Apply (and OK while Apply is enabled) has each page store its
// values, in the order general, speaking clock, synchronisation, interface,
// into the settings and the running clock, and asks for those groups to be
// saved. Cancel stores nothing and takes back the opacity shown live.
class SettingsDialog final : public QDialog
{
    Q_OBJECT

public:
    enum PageIndex
    {
        GeneralIndex = 0,
        SpeakIndex = 1,
        SyncIndex = 2,
        InterfaceIndex = 3
    };

    struct Hooks
    {
        // Speaks the time once, with the settings in force (Play).
        std::function<void()> announceTime;
        // The settings groups (SaveJob parts) changed and are to be saved.
        std::function<void(int parts)> saved;
        // Runs "立刻同步(&N)"; may be null.
        TimeSync *timeSync = nullptr;
    };

    SettingsDialog(AppData &data, const Services &services, ClockWindow &clock, Hooks hooks, int page = GeneralIndex,
                   QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Runs the dialog modally at `page`, centred on the screen. While it is
    // open, another request brings it forward at that page instead.
    static void Open(AppData &data, const Services &services, ClockWindow &clock, Hooks hooks, int page);

    void ShowPage(int page);
    bool ChangesPending() const;
    // Stores every page while changes are pending; false when there were none.
    bool Apply();

    void accept() override;
    void reject() override;

private:
    std::unique_ptr<Ui::SettingsDialog> m_ui;
    Hooks m_hooks;
    std::array<SettingsPage *, 4> m_pages {};
};

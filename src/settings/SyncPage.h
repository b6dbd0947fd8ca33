// SPDX-License-Identifier: MIT
#pragma once

#include "settings/SettingsPage.h"

#include <QPointer>
#include <memory>

namespace Ui {
class SyncPage;
}

struct SyncSettings;
class TimeSync;

// "时间同步": automatic synchronisation every 1..24 hours, at start, the
// notices wanted, and the time server, chosen from the names of the server
// list sorted alphabetically. "立刻同步(&N)" synchronises with the chosen
// server at once; the exchange runs in the background, and the button
// waits for it to end.
class SyncPage final : public SettingsPage
{
    Q_OBJECT

public:
    // timeSync may be null: the button then has nothing to run.
    SyncPage(SyncSettings &sync, const QString &serverListPath, TimeSync *timeSync, QWidget *parent = nullptr);
    ~SyncPage() override;

    void Save() override;

    static QString NoServerText();

private:
    void syncNow();

    std::unique_ptr<Ui::SyncPage> m_ui;
    SyncSettings &m_sync;
    QPointer<TimeSync> m_timeSync;
};

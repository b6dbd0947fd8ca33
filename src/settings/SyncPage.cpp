// SPDX-License-Identifier: MIT
#include "settings/SyncPage.h"

#include "model/AppSettings.h"
#include "settings/SettingsLook.h"
#include "settings/SettingsRules.h"
#include "timesync/TimeSync.h"
#include "ui_SyncPage.h"
#include "widgets/MessageBoxes.h"

#include <QLineEdit>

SyncPage::SyncPage(SyncSettings &sync, const QString &serverListPath, TimeSync *timeSync, QWidget *parent)
    : SettingsPage(parent)
    , m_ui(std::make_unique<Ui::SyncPage>())
    , m_sync(sync)
    , m_timeSync(timeSync)
{
    m_ui->setupUi(this);
    const SettingsLook::Page look = SettingsLook::Sync();
    m_ui->heading->setHeading(look.icon, look.title, look.tint);

    m_ui->serverCombo->addItems(SortedServerNames(serverListPath));
    m_ui->serverCombo->setCurrentIndex(m_sync.Server >= 0 && m_sync.Server < m_ui->serverCombo->count() ? m_sync.Server
                                                                                                        : -1);
    m_ui->autoSyncCheck->setChecked(m_sync.AutoSyn != 0);
    m_ui->intervalSpin->setValue(m_sync.SynMinute);
    m_ui->startSyncCheck->setChecked(m_sync.StartSyn != 0);
    m_ui->failCheck->setChecked(m_sync.Fail != 0);
    m_ui->succeedCheck->setChecked(m_sync.Succeed != 0);
    m_ui->errorCheck->setChecked(m_sync.Error != 0);
    m_ui->limitSyncCheck->setChecked(m_sync.LimitSyn != 0);
    m_ui->intervalSpin->setEnabled(m_ui->autoSyncCheck->isChecked());

    connect(m_ui->autoSyncCheck, &QCheckBox::toggled, m_ui->intervalSpin, &QWidget::setEnabled);
    for (QCheckBox *box : {m_ui->autoSyncCheck, m_ui->startSyncCheck, m_ui->failCheck, m_ui->succeedCheck,
                           m_ui->errorCheck, m_ui->limitSyncCheck})
        connect(box, &QCheckBox::clicked, this, &SettingsPage::Changed);
    connect(m_ui->intervalSpin, &QSpinBox::valueChanged, this, &SettingsPage::Changed);
    connect(m_ui->serverCombo, &QComboBox::currentIndexChanged, this, &SettingsPage::Changed);
    connect(m_ui->syncNowButton, &QPushButton::clicked, this, &SyncPage::syncNow);
    if (m_timeSync) {
        connect(m_timeSync, &TimeSync::Finished, this, [this] { m_ui->syncNowButton->setEnabled(true); });
        // A synchronisation from the menu or the timer may be running.
        m_ui->syncNowButton->setEnabled(!m_timeSync->IsRunning());
    }
}

SyncPage::~SyncPage() = default;

QString SyncPage::NoServerText()
{
    return tr("请选择你用于网络对时的网络时间协议(NTP)服务器.");
}

void SyncPage::syncNow()
{
    const QString server = m_ui->serverCombo->currentText();
    if (server.trimmed().isEmpty()) {
        MessageBoxes::Information(this, NoServerText());
        return;
    }
    if (!m_timeSync)
        return;
    qsizetype end = server.size();
    while (end > 0 && server[end - 1].isSpace())
        --end;
    m_ui->syncNowButton->setEnabled(false);
    if (!m_timeSync->SyncTime(server.left(end)) && !m_timeSync->IsRunning())
        m_ui->syncNowButton->setEnabled(true);
}

void SyncPage::Save()
{
    m_sync.AutoSyn = m_ui->autoSyncCheck->isChecked() ? 1 : 0;
    m_sync.SynMinute = m_ui->intervalSpin->value();
    m_sync.StartSyn = m_ui->startSyncCheck->isChecked() ? 1 : 0;
    m_sync.Fail = m_ui->failCheck->isChecked() ? 1 : 0;
    m_sync.Succeed = m_ui->succeedCheck->isChecked() ? 1 : 0;
    m_sync.Error = m_ui->errorCheck->isChecked() ? 1 : 0;
    m_sync.LimitSyn = m_ui->limitSyncCheck->isChecked() ? 1 : 0;
    m_sync.Server = SettingsLook::ChosenIndex(m_ui->serverCombo, m_sync.Server);
}

// SPDX-License-Identifier: MIT
#include "settings/SettingsDialog.h"

#include "model/AppData.h"
#include "model/SaveJob.h"
#include "settings/GeneralPage.h"
#include "settings/InterfacePage.h"
#include "settings/SettingsLook.h"
#include "settings/SpeakPage.h"
#include "settings/SyncPage.h"
#include "timesync/TimeSync.h"
#include "ui_SettingsDialog.h"
#include "widgets/WindowLook.h"

#include <QPointer>

namespace {

QPointer<SettingsDialog> openDialog;

} // namespace

SettingsDialog::SettingsDialog(AppData &data, const Services &services, ClockWindow &clock, Hooks hooks, int page,
                               QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::SettingsDialog>())
    , m_hooks(std::move(hooks))
{
    m_ui->setupUi(this);
    setWindowIcon(ProgramIcon());

    m_pages = {
        new GeneralPage(data, services, clock),
        new SpeakPage(data.Settings.Speak, m_hooks.announceTime),
        new SyncPage(data.Settings.Synchronization, data.FilePath(TimeSync::ServerListName), m_hooks.timeSync),
        new InterfacePage(data, services, clock),
    };
    const SettingsLook::Page looks[] = {SettingsLook::General(), SettingsLook::Speak(), SettingsLook::Sync(),
                                        SettingsLook::Interface()};
    int widest = 0;
    for (int i = 0; i < int(m_pages.size()); ++i) {
        m_ui->pageStack->addWidget(m_pages[i]);
        connect(m_pages[i], &SettingsPage::Changed, this, [this] { m_ui->applyButton->setEnabled(true); });
        QListWidgetItem *item = m_ui->pageList->item(i);
        item->setIcon(QIcon(looks[i].icon));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        widest = std::max(widest, m_ui->pageList->fontMetrics().horizontalAdvance(item->text()));
    }
    // One column of icons with their names under them, wide enough for the
    // longest name.
    const int cellWidth = std::max(widest, m_ui->pageList->iconSize().width()) + 24;
    const int cellHeight = m_ui->pageList->iconSize().height() + m_ui->pageList->fontMetrics().height() + 16;
    m_ui->pageList->setGridSize(QSize(cellWidth, cellHeight));
    m_ui->pageList->setFixedWidth(cellWidth + 2 * m_ui->pageList->frameWidth() + 4);
    m_ui->pageList->setMinimumHeight(int(m_pages.size()) * (cellHeight + m_ui->pageList->spacing()) + 8);

    connect(m_ui->pageList, &QListWidget::currentRowChanged, m_ui->pageStack, &QStackedWidget::setCurrentIndex);
    connect(m_ui->okButton, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &SettingsDialog::reject);
    connect(m_ui->applyButton, &QPushButton::clicked, this, &SettingsDialog::Apply);
    ShowPage(page);
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::Open(AppData &data, const Services &services, ClockWindow &clock, Hooks hooks, int page)
{
    if (openDialog) {
        openDialog->ShowPage(page);
        openDialog->raise();
        openDialog->activateWindow();
        return;
    }
    SettingsDialog dialog(data, services, clock, std::move(hooks), page);
    openDialog = &dialog;
    dialog.adjustSize();
    CentreOnPrimaryScreen(dialog);
    dialog.exec();
}

void SettingsDialog::ShowPage(int page)
{
    page = std::clamp(page, 0, int(m_pages.size()) - 1);
    m_ui->pageList->setCurrentRow(page);
    m_ui->pageStack->setCurrentIndex(page);
}

bool SettingsDialog::ChangesPending() const
{
    return m_ui->applyButton->isEnabled();
}

bool SettingsDialog::Apply()
{
    if (!ChangesPending())
        return false;
    for (SettingsPage *page : m_pages)
        page->Save();
    if (m_hooks.saved)
        m_hooks.saved(SaveJob::GeneralGroup | SaveJob::SpeakGroup | SaveJob::SyncGroup | SaveJob::InterfaceGroup);
    m_ui->applyButton->setEnabled(false);
    return true;
}

void SettingsDialog::accept()
{
    Apply();
    QDialog::accept();
}

void SettingsDialog::reject()
{
    for (SettingsPage *page : m_pages)
        page->Revert();
    QDialog::reject();
}

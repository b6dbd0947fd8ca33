// SPDX-License-Identifier: MIT
#include "shell/TrayIcon.h"

#include "model/CategoryTable.h"

#include <QMenu>
#include <QSystemTrayIcon>

TrayIcon::TrayIcon(QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_normal(CategoryTable::programIconPath())
    , m_ringing(CategoryTable::ringingIconPath())
{
    m_animation.setInterval(500);
    connect(&m_animation, &QTimer::timeout, this, [this] {
        m_showingRinging = !m_showingRinging;
        if (m_icon)
            m_icon->setIcon(m_showingRinging ? m_ringing : m_normal);
    });
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_icon = new QSystemTrayIcon(m_normal, this);
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            Q_EMIT Clicked();
        else if (reason == QSystemTrayIcon::DoubleClick)
            Q_EMIT DoubleClicked();
    });
    m_icon->show();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::SetToolTip(const QString &text)
{
    if (m_icon)
        m_icon->setToolTip(text);
}

void TrayIcon::ShowBalloon(const QString &title, const QString &message, int milliseconds)
{
    if (m_icon)
        m_icon->showMessage(title, message, QSystemTrayIcon::Information, milliseconds);
}

void TrayIcon::StartAnimation()
{
    m_animation.start();
}

void TrayIcon::StopAnimation()
{
    m_animation.stop();
    m_showingRinging = false;
    if (m_icon)
        m_icon->setIcon(m_normal);
}

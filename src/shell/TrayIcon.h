// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QObject>
#include <QTimer>

class QMenu;
class QSystemTrayIcon;

// The icon in the desktop's tray: tooltip, balloon, the two-frame ringing
// animation after a reminder fired, and the clicks. On a desktop without a
// tray it does nothing and the program runs on from its clock window.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(QMenu *menu, QObject *parent = nullptr);
    ~TrayIcon() override;

    bool IsAvailable() const { return m_icon != nullptr; }
    void SetToolTip(const QString &text);
    void ShowBalloon(const QString &title, const QString &message, int milliseconds);
    // Alternates the normal and the ringing icon every 500 ms.
    void StartAnimation();
    void StopAnimation();
    bool IsAnimating() const { return m_animation.isActive(); }

Q_SIGNALS:
    void Clicked();
    void DoubleClicked();

private:
    QSystemTrayIcon *m_icon = nullptr;
    QIcon m_normal;
    QIcon m_ringing;
    QTimer m_animation;
    bool m_showingRinging = false;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/AppSettings.h"
#include "platform/Services.h"
#include "shell/ClockDisplay.h"
#include "shell/ClockMenu.h"
#include "shell/DigitBlit.h"
#include "shell/SecondTimer.h"
#include "shell/SkinChooser.h"
#include "shell/TrayIcon.h"

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

class AppData;

// The program's main window: the skinned clock on the desktop, shaped by its
// face bitmap's key colour, showing the time or a countdown in the digits of
// the digit strip. It owns the menu, the tray icon and the one-second timer
// that drives everything time-based.
class ClockWindow : public QWidget, public ClockWindowState
{
    Q_OBJECT

public:
    static inline const QString Title = QStringLiteral("Tocklyv2.8");

    ClockWindow(AppData &data, const Services &services, QWidget *parent = nullptr);
    ~ClockWindow() override;

    // Builds the skin menus, chooses the skins and shapes the window, sets
    // up the tray icon and starts the timer; the window stays hidden.
    // False when a skin cannot be loaded.
    bool Create();
    // Shows or hides the clock as the settings ask (start minimised).
    void ShowAsConfigured();

    void HideClock();
    void ShowClock();

    void SetDisplayMode(int mode);
    void SetCountdownTarget(int year, int month, int day, int hour, int minute, int second);
    const ClockDisplay &Display() const { return m_display; }

    // Commands carried out elsewhere (the windows of other parts). A
    // command without a handler shows disabled in the menu.
    void SetCommandHandler(int id, std::function<void()> handler);
    // Runs a menu command as if chosen.
    void RunCommand(int id);

    // The settings dialog's choices, taken at once: "always on top" with
    // its check mark, the "start minimised" check mark, the opacity
    // (0..255) and the skin files (an empty path keeps that bitmap; false,
    // and that bitmap stays, when one cannot be loaded).
    void SetAlwaysOnTop(bool onTop) { setAlwaysOnTop(onTop); }
    void SetStartMinimised(bool on);
    void SetOpacity(int transparence);
    bool UseSkins(const QString &facePath, const QString &digitsPath);

    ClockMenu &Menu() { return m_menu; }
    TrayIcon *Tray() const { return m_tray; }
    QString TooltipText() const { return m_tooltipText; }
    QPoint DigitOrigin() const { return m_digitOrigin; }

    // The last task that fired, and whether the tray still rings for it.
    void SetLastFired(const AlarmTask &task);
    bool ReminderPending() const { return m_reminderPending; }

    // ClockWindowState, for saving the clock settings.
    ScreenRect WindowRect() const override;
    bool AlwaysOnTopChecked() const override;
    bool AutoSmallChecked() const override;

    void StopTimer() { m_timer.Stop(); }
    // The once-a-second work: digits, clock-change check, then SecondTicked.
    void Tick();

Q_SIGNALS:
    // Every second, after the digits were updated, with the local time.
    void SecondTicked(const DateTime &now);
    // The wall clock jumped (it was set, or the machine slept).
    void SystemTimeChanged();
    // Something the clock settings keep changed: the window's place, its
    // skins, "always on top" or "start minimised".
    void ClockSettingsChanged();
    void ExitRequested();
    // With the calendar on hover switched on: the mouse rested on the
    // clock, and it left the clock.
    void MouseRested();
    void MouseLeft();

protected:
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool applySkin();
    void placeAtStoredPosition();
    void keepOnScreen();
    void setAlwaysOnTop(bool onTop);
    void refreshTooltip();
    void onCommand(int id);
    void onSkinChange(SkinChooser::Change change);
    void onTrayClicked();
    void runDoubleClickAction(int action);
    void runTrayDoubleClickAction(int action);
    void startCountdown(int mode, const DateTime &target);
    void openCustomCountdown();
    void openDateTimeSettings();
    void openHelp();
    void centreOnDesktop();
    void showHoverText();
    bool detectClockJump(const DateTime &now);

    AppData &m_data;
    Services m_services;
    ClockMenu m_menu;
    SkinChooser m_skins;
    ClockDisplay m_display;
    DigitBlit m_digitBlit;
    SecondTimer m_timer;
    TrayIcon *m_tray = nullptr;
    QHash<int, std::function<void()>> m_handlers;
    QPoint m_digitOrigin;
    QString m_tooltipText;
    AlarmTask m_lastFired;
    bool m_reminderPending = false;
    QTimer m_hoverTimer;
    QPoint m_dragOffset;
    bool m_dragging = false;
    // To tell a clock change from time passing: the wall clock and a
    // monotonic clock should advance together between ticks.
    QElapsedTimer m_monotonic;
    qint64 m_lastWallSeconds = 0;
    qint64 m_lastMonotonicMs = 0;
};

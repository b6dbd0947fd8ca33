// SPDX-License-Identifier: MIT
#include "shell/ClockWindow.h"

#include "calendar/CalendarInfo.h"
#include "model/AppData.h"
#include "model/CategoryTable.h"
#include "platform/AutostartService.h"
#include "platform/Clock.h"
#include "platform/ShellService.h"
#include "schedule/Recurrence.h"
#include "shell/AboutDialog.h"
#include "shell/CustomCountdownDialog.h"
#include "shell/MenuIds.h"
#include "shell/MenuPresets.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QWindow>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// What a double click on the clock does (General Settings, DbClick).
enum ClockDoubleClick
{
    HideTheClock = 0,
    OpenSettings,
    NewReminder,
    OpenCalendar,
    SpeakTheTime
};
// What a double click on the tray icon does (DbClick2).
enum TrayDoubleClick
{
    ToggleTheClock = 0,
    TrayCalendar,
    TraySpeak
};

// A wall-clock step this much larger or smaller than the time that really
// passed means the clock was set (or the machine slept).
constexpr qint64 ClockJumpToleranceMs = 2500;

ClockGlyphs toGlyphs(const ClockDisplay::Glyphs &g)
{
    return {g[0], g[1], g[2], g[3], g[4], g[5]};
}

QString webAddress(const char *path)
{
    return u"https://"_s + QStringLiteral(TOCKLY_WEB_HOST) + QLatin1String(path);
}

} // namespace

ClockWindow::ClockWindow(AppData &data, const Services &services, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool)
    , m_data(data)
    , m_services(services)
    , m_skins(data, m_menu)
    , m_digitBlit(*this, services.blitter)
{
    setObjectName(u"clockWindow"_s);
    setWindowTitle(Title);
    setWindowIcon(QIcon(CategoryTable::programIconPath()));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(500);
    connect(&m_hoverTimer, &QTimer::timeout, this, &ClockWindow::showHoverText);
    connect(&m_menu, &ClockMenu::CommandChosen, this, &ClockWindow::onCommand);
    connect(&m_menu, &ClockMenu::SkinItemChosen, this, [this](int id) { onSkinChange(m_skins.HandleSkinItem(id)); });
    connect(&m_timer, &SecondTimer::Second, this, &ClockWindow::Tick);

    // The windows of other parts register here once they exist; until then
    // their items show disabled.
    for (const int id : {MenuId::Settings, MenuId::NewAlarm, MenuId::NewBirthday, MenuId::NewNote, MenuId::TaskList,
                         MenuId::SkinOptions, MenuId::SpeakTime, MenuId::ShowCalendar, MenuId::SyncTimeServer,
                         MenuId::SyncOptions, MenuId::QuickCustom})
        m_menu.SetEnabled(id, false);
    for (int id = MenuId::QuickMinutesFirst; id <= MenuId::QuickMinutesLast; ++id)
        m_menu.SetEnabled(id, false);
    for (int id = MenuId::QuickHourFirst; id <= MenuId::QuickWeekdayLast; ++id)
        m_menu.SetEnabled(id, false);
}

ClockWindow::~ClockWindow() = default;

bool ClockWindow::Create()
{
    if (!m_skins.FillSkinMenus())
        return false;
    // Place the window first, hidden; the skin then gives it its size.
    placeAtStoredPosition();
    setAlwaysOnTop(m_data.Settings.Clock.AlwaysOntop);
    m_menu.SetChecked(MenuId::RunAtStartup, m_services.autostart && m_services.autostart->IsEnabled());
    if (!m_skins.ChooseStartSkins(QRandomGenerator::global()->generate()) || !applySkin())
        return false;
    keepOnScreen();
    SetOpacity(m_data.Settings.Interface.Transparence);

    refreshTooltip();
    m_tray = new TrayIcon(m_menu.Menu(), this);
    m_tray->SetToolTip(m_tooltipText);
    connect(m_tray, &TrayIcon::Clicked, this, &ClockWindow::onTrayClicked);
    connect(m_tray, &TrayIcon::DoubleClicked, this,
            [this] { runTrayDoubleClickAction(m_data.Settings.General.DbClick2); });

    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &ClockWindow::centreOnDesktop);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, &ClockWindow::centreOnDesktop);

    const DateTime now = m_services.clock->Now();
    m_display.TickDisplay(now);
    m_monotonic.start();
    m_lastWallSeconds = now.Seconds();
    m_lastMonotonicMs = 0;
    m_timer.Start();
    m_menu.SetChecked(MenuId::StartMinimised, m_data.Settings.Clock.AutoSmall);
    return true;
}

void ClockWindow::ShowAsConfigured()
{
    if (m_data.Settings.Clock.AutoSmall)
        HideClock();
    else
        ShowClock();
}

void ClockWindow::placeAtStoredPosition()
{
    const ScreenRect &stored = m_data.Settings.Clock.MainWindowSize;
    move(stored.left, stored.top);
}

void ClockWindow::keepOnScreen()
{
    // The stored position is brought back towards the desktop when read, but
    // a smaller or more scaled screen than the one it was saved on can still
    // leave the clock out of sight: then it moves just inside the screen.
    const QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (screen && screen->availableGeometry().contains(geometry()))
        return;
    screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(std::clamp(x(), area.left(), std::max(area.left(), area.right() - width() + 1)),
         std::clamp(y(), area.top(), std::max(area.top(), area.bottom() - height() + 1)));
}

void ClockWindow::setAlwaysOnTop(bool onTop)
{
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing window flags hides a shown window.
    if (wasVisible)
        show();
    m_menu.SetChecked(MenuId::AlwaysOnTop, onTop);
}

bool ClockWindow::applySkin()
{
    const QImage &face = m_skins.Face();
    if (face.isNull() || face.width() == 0 || face.height() == 0)
        return false;
    m_digitOrigin = FindDigitOrigin(face, m_digitOrigin);
    setFixedSize(face.size());
    setMask(BuildSkinRegion(face));
    update();
    return true;
}

void ClockWindow::SetStartMinimised(bool on)
{
    m_menu.SetChecked(MenuId::StartMinimised, on);
}

void ClockWindow::SetOpacity(int transparence)
{
    setWindowOpacity(std::clamp(transparence, 0, 255) / 255.0);
}

bool ClockWindow::UseSkins(const QString &facePath, const QString &digitsPath)
{
    bool ok = true;
    for (const auto &[kind, path] :
         {std::pair {SkinKind::Dialog, facePath}, std::pair {SkinKind::Number, digitsPath}}) {
        if (path.isEmpty())
            continue;
        const SkinChooser::Change change = m_skins.UseFile(kind, path);
        onSkinChange(change);
        ok = ok && change != SkinChooser::Change::None;
    }
    return ok;
}

void ClockWindow::onSkinChange(SkinChooser::Change change)
{
    if (change == SkinChooser::Change::Face)
        applySkin();
    else if (change == SkinChooser::Change::Digits)
        update(digitAreaRect(m_digitOrigin));
    if (change != SkinChooser::Change::None)
        Q_EMIT ClockSettingsChanged();
}

void ClockWindow::moveEvent(QMoveEvent *)
{
    // Showing the window reports the place it already had.
    const ScreenRect &saved = m_data.Settings.Clock.MainWindowSize;
    if (x() != saved.left || y() != saved.top)
        Q_EMIT ClockSettingsChanged();
}

void ClockWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_skins.Face());
    paintDigits(painter, m_skins.Digits(), m_digitOrigin, toGlyphs(m_display.CurrentGlyphs()));
}

void ClockWindow::Tick()
{
    const DateTime now = m_services.clock->Now();
    const ClockDisplay::Update update = m_display.TickDisplay(now);
    // Shown here and now rather than through a posted repaint: the same
    // pixels, without waking the event loop a second time every second.
    if (update != ClockDisplay::Update::Unchanged &&
        !m_digitBlit.Show(m_skins.Digits(), m_digitOrigin, toGlyphs(m_display.CurrentGlyphs())))
        repaint(digitAreaRect(m_digitOrigin));
    if (update == ClockDisplay::Update::CountdownEnded) {
        m_menu.SetCountdownRunning(false);
        if (m_handlers.contains(MenuId::SpeakTime))
            m_handlers[MenuId::SpeakTime]();
    }
    const bool jumped = detectClockJump(now);
    if (jumped)
        refreshTooltip();
    // The tick goes first: it catches up with the seconds a small step
    // forward skipped, so every task due in them fires. Only then are the
    // tasks that are still behind moved on.
    Q_EMIT SecondTicked(now);
    if (jumped) {
        const AppData::RoutineChange routine(m_data);
        RecomputeAllTasks(m_data.Alarms, *m_services.clock);
        Q_EMIT SystemTimeChanged();
    }
}

bool ClockWindow::detectClockJump(const DateTime &now)
{
    const qint64 monotonicMs = m_monotonic.elapsed();
    const qint64 wallStepMs = (now.Seconds() - m_lastWallSeconds) * 1000;
    const qint64 realStepMs = monotonicMs - m_lastMonotonicMs;
    m_lastWallSeconds = now.Seconds();
    m_lastMonotonicMs = monotonicMs;
    return std::abs(wallStepMs - realStepMs) > ClockJumpToleranceMs;
}

void ClockWindow::refreshTooltip()
{
    const QString text = DescribeDate(m_services.clock->Now()).Text;
    if (text == m_tooltipText)
        return;
    m_tooltipText = text;
    if (m_tray)
        m_tray->SetToolTip(text);
}

void ClockWindow::HideClock()
{
    hide();
    m_menu.ShowWindowVisible(false);
}

void ClockWindow::ShowClock()
{
    if (!isVisible())
        show();
    raise();
    activateWindow();
    m_menu.ShowWindowVisible(true);
}

void ClockWindow::SetDisplayMode(int mode)
{
    m_display.SetDisplayMode(mode);
    m_menu.SetCountdownRunning(mode == ClockDisplay::CountdownToTime || mode == ClockDisplay::CountdownToDateTime);
    Tick();
}

void ClockWindow::SetCountdownTarget(int year, int month, int day, int hour, int minute, int second)
{
    m_display.SetCountdownTarget(year, month, day, hour, minute, second);
}

void ClockWindow::startCountdown(int mode, const DateTime &target)
{
    SetCountdownTarget(target.Year(), target.Month(), target.Day(), target.Hour(), target.Minute(), target.Second());
    SetDisplayMode(mode);
}

void ClockWindow::SetCommandHandler(int id, std::function<void()> handler)
{
    m_menu.SetEnabled(id, bool(handler));
    if (handler)
        m_handlers.insert(id, std::move(handler));
    else
        m_handlers.remove(id);
}

void ClockWindow::RunCommand(int id)
{
    onCommand(id);
}

void ClockWindow::onCommand(int id)
{
    if (const auto handler = m_handlers.constFind(id); handler != m_handlers.constEnd()) {
        (*handler)();
        return;
    }
    const DateTime now = m_services.clock->Now();
    if (id >= MenuId::CountdownUntilFirst && id <= MenuId::CountdownUntilLast) {
        startCountdown(ClockDisplay::CountdownToTime, DateTime::TimeOfDay(id - MenuId::CountdownUntilFirst, 0, 0));
        return;
    }
    for (const MenuPreset &preset : CountdownSpanPresets()) {
        if (preset.id == id) {
            startCountdown(ClockDisplay::CountdownToDateTime, now.AddSeconds(preset.amount));
            return;
        }
    }
    switch (id) {
    case MenuId::HideWindow:
        HideClock();
        break;
    case MenuId::ShowWindow:
        ShowClock();
        break;
    case MenuId::DefaultFace:
    case MenuId::DefaultDigits:
        onSkinChange(m_skins.HandleCommand(id));
        break;
    case MenuId::CountdownCustom:
        openCustomCountdown();
        break;
    case MenuId::CountdownStop:
        SetDisplayMode(ClockDisplay::ClockMode);
        break;
    case MenuId::SyncControlPanel:
        openDateTimeSettings();
        break;
    case MenuId::AlwaysOnTop:
        setAlwaysOnTop(!windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        Q_EMIT ClockSettingsChanged();
        break;
    case MenuId::RunAtStartup:
        if (m_services.autostart) {
            m_services.autostart->SetEnabled(!m_services.autostart->IsEnabled());
            m_menu.SetChecked(MenuId::RunAtStartup, m_services.autostart->IsEnabled());
        }
        break;
    case MenuId::StartMinimised:
        // The check mark toggles itself; the settings keep it.
        Q_EMIT ClockSettingsChanged();
        break;
    case MenuId::HelpFile:
        openHelp();
        break;
    case MenuId::HomePage:
        m_services.shell->Open(webAddress("/"));
        break;
    case MenuId::Support:
        m_services.shell->Open(webAddress("/support/"));
        break;
    case MenuId::About:
        AboutDialog(this).exec();
        break;
    case MenuId::Exit:
        Q_EMIT ExitRequested();
        break;
    default:
        break;
    }
}

void ClockWindow::openCustomCountdown()
{
    const DateTime opened = m_services.clock->Now();
    CustomCountdownDialog dialog(QTime(opened.Hour(), opened.Minute(), opened.Second()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QTime time = dialog.ChosenTime();
    if (dialog.CountsASpan()) {
        // The span runs from the moment the user confirmed it.
        const DateTime now = m_services.clock->Now();
        startCountdown(ClockDisplay::CountdownToDateTime,
                       now.AddSeconds(time.hour() * 3600 + time.minute() * 60 + time.second()));
    } else {
        startCountdown(ClockDisplay::CountdownToTime, DateTime::TimeOfDay(time.hour(), time.minute(), time.second()));
    }
}

void ClockWindow::openDateTimeSettings()
{
    if (!m_services.shell->OpenDateTimeSettings())
        MessageBoxes::Information(this, tr("没有找到本桌面的日期和时间设置程序，请在系统设置中调整日期和时间。"));
}

void ClockWindow::openHelp()
{
    // The help page ships beside the program; a portable copy keeps it in
    // its own folder.
    const QString name = u"help/index.html"_s;
    for (const QString &folder : {m_data.ProgramDirectory(), QCoreApplication::applicationDirPath()}) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path)) {
            m_services.shell->Open(path);
            return;
        }
    }
    MessageBoxes::Information(this, tr("找不到帮助文件。"));
}

void ClockWindow::SetLastFired(const AlarmTask &task)
{
    m_lastFired = task;
    m_reminderPending = true;
    if (m_tray)
        m_tray->StartAnimation();
}

void ClockWindow::onTrayClicked()
{
    if (!m_reminderPending)
        return;
    m_reminderPending = false;
    m_tray->StopAnimation();
    if (m_lastFired.Message.isEmpty())
        return;
    const QString title = u"%1(%2)"_s.arg(m_lastFired.Description, m_lastFired.DateTime.Format("%Y-%m-%d %H:%M:%S"));
    QString message = m_lastFired.Message;
    message.replace(u"\r\n"_s, u"\n"_s);
    m_tray->ShowBalloon(title, message, 10000);
}

void ClockWindow::runDoubleClickAction(int action)
{
    const int commands[] = {0, MenuId::Settings, MenuId::NewAlarm, MenuId::ShowCalendar, MenuId::SpeakTime};
    if (action == HideTheClock)
        HideClock();
    else if (action > HideTheClock && action <= SpeakTheTime && m_handlers.contains(commands[action]))
        m_handlers[commands[action]]();
}

void ClockWindow::runTrayDoubleClickAction(int action)
{
    if (action == ToggleTheClock) {
        if (isVisible())
            HideClock();
        else
            ShowClock();
    } else if (action == TrayCalendar && m_handlers.contains(MenuId::ShowCalendar)) {
        m_handlers[MenuId::ShowCalendar]();
    } else if (action == TraySpeak && m_handlers.contains(MenuId::SpeakTime)) {
        m_handlers[MenuId::SpeakTime]();
    }
}

void ClockWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setCursor(Qt::SizeAllCursor);
    // The window manager moves the window like a caption drag where it can;
    // elsewhere the window follows the mouse itself.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void ClockWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        return;
    }
    if (m_data.Settings.General.ShowTooltip)
        m_hoverTimer.start();
}

void ClockWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
    unsetCursor();
}

void ClockWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        runDoubleClickAction(m_data.Settings.General.DbClick);
}

void ClockWindow::leaveEvent(QEvent *)
{
    m_hoverTimer.stop();
    Q_EMIT MouseLeft();
}

void ClockWindow::showHoverText()
{
    Q_EMIT MouseRested();
}

void ClockWindow::contextMenuEvent(QContextMenuEvent *event)
{
    raise();
    activateWindow();
    QMenu *menu = m_menu.Menu();
    const QSize size = menu->sizeHint();
    menu->popup(event->globalPos() - QPoint(0, size.height() / 2));
}

void ClockWindow::closeEvent(QCloseEvent *event)
{
    // Closing from the window manager ends the program the proper way.
    event->ignore();
    Q_EMIT ExitRequested();
}

void ClockWindow::centreOnDesktop()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

ScreenRect ClockWindow::WindowRect() const
{
    const QRect r = geometry();
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

bool ClockWindow::AlwaysOnTopChecked() const
{
    return m_menu.IsChecked(MenuId::AlwaysOnTop);
}

bool ClockWindow::AutoSmallChecked() const
{
    return m_menu.IsChecked(MenuId::StartMinimised);
}

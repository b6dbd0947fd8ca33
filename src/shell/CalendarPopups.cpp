// SPDX-License-Identifier: MIT
#include "shell/CalendarPopups.h"

#include "shell/CalendarPopup.h"
#include "widgets/WindowLook.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

CalendarPopups::CalendarPopups(AppData &data, const Services &services, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_services(services)
{
    m_leaveTimer.setSingleShot(true);
    m_leaveTimer.setInterval(LeaveGraceMs);
    connect(&m_leaveTimer, &QTimer::timeout, this, &CalendarPopups::closeIfMouseGone);
}

CalendarPopups::~CalendarPopups()
{
    delete m_popup;
}

CalendarPopup *CalendarPopups::create()
{
    m_popup = new CalendarPopup(m_data, m_services);
    connect(m_popup, &CalendarPopup::MouseLeft, this, [this] {
        if (m_popup && m_popup->ShownByHover())
            m_leaveTimer.start();
    });
    // Its final size, so that it can be placed before it shows.
    m_popup->ensurePolished();
    m_popup->layout()->activate();
    m_popup->adjustSize();
    return m_popup;
}

void CalendarPopups::ShowCentred()
{
    if (m_popup) {
        // Asked for: it stays now, wherever the mouse goes.
        m_popup->SetShownByHover(false);
        m_popup->show();
        m_popup->raise();
        m_popup->activateWindow();
        return;
    }
    CalendarPopup *popup = create();
    CentreOnPrimaryScreen(*popup);
    popup->show();
    popup->activateWindow();
}

void CalendarPopups::ShowBeside(QWidget &clock)
{
    if (m_popup)
        return;
    m_clock = &clock;
    CalendarPopup *popup = create();
    popup->SetShownByHover(true);
    // Beside the clock, above the other windows, but it does not take the
    // keyboard away from where the user types.
    popup->setAttribute(Qt::WA_ShowWithoutActivating);
    const QScreen *screen = clock.screen() ? clock.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    popup->move(PlaceBeside(clock.frameGeometry(), popup->frameGeometry().size(), area));
    popup->show();
    // Once shown, its frame counts too.
    popup->move(PlaceBeside(clock.frameGeometry(), popup->frameGeometry().size(), area));
    popup->raise();
}

QPoint CalendarPopups::PlaceBeside(const QRect &clock, const QSize &size, const QRect &screen)
{
    const int roomOnTheLeft = clock.left() - (screen.isValid() ? screen.left() : 0);
    const int x = size.width() < roomOnTheLeft ? clock.left() - size.width() : clock.right() + 1;
    QPoint at(x, clock.bottom() + 1 - size.height());
    if (screen.isValid()) {
        at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
    }
    return at;
}

void CalendarPopups::ClockLeft()
{
    if (m_popup && m_popup->ShownByHover())
        m_leaveTimer.start();
}

void CalendarPopups::closeIfMouseGone()
{
    if (!m_popup || !m_popup->ShownByHover())
        return;
    const QPoint mouse = QCursor::pos();
    if (m_popup->frameGeometry().contains(mouse) || (m_clock && m_clock->frameGeometry().contains(mouse)))
        return;
    m_popup->close();
}

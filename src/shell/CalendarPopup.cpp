// SPDX-License-Identifier: MIT
#include "shell/CalendarPopup.h"

#include "editor/ReminderEditor.h"
#include "model/AppData.h"
#include "platform/Clock.h"
#include "ui_CalendarPopup.h"
#include "widgets/WindowLook.h"

#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTextCharFormat>
#include <QWindow>

CalendarPopup::CalendarPopup(AppData &data, const Services &services, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::CalendarPopup>())
    , m_data(data)
    , m_services(services)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ProgramIcon());

    // Black text straight on the pale yellow, lists included.
    QPalette look = palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase})
        look.setColor(role, PaleYellow);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        look.setColor(role, Qt::black);
    setPalette(look);
    setAutoFillBackground(true);
    m_ui->upcomingList->setPalette(look);

    QCalendarWidget *calendar = m_ui->monthCalendar;
    calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    calendar->setFirstDayOfWeek(Qt::Monday);
    const DateTime now = m_services.clock->Now();
    const QDate today(now.Year(), now.Month(), now.Day());
    calendar->setSelectedDate(today);
    QTextCharFormat todayLook;
    todayLook.setFontWeight(QFont::Bold);
    calendar->setDateTextFormat(today, todayLook);

    fillList();
    // As wide as the calendar, and tall enough for a few reminders.
    const int lineHeight = m_ui->upcomingList->fontMetrics().height() + 2;
    m_ui->upcomingList->setMinimumHeight(6 * lineHeight);
    // Wide enough for the longest line where the screen allows, so that
    // the due moments need no scrolling.
    int widest = 0;
    for (const UpcomingLine &line : std::as_const(m_lines))
        widest = std::max(widest, m_ui->upcomingList->fontMetrics().horizontalAdvance(line.text));
    const int room = screen() ? screen()->availableGeometry().width() / 2 : 600;
    const int margins = 2 * m_ui->upcomingList->frameWidth() + 4 * m_ui->upcomingList->spacing() +
        style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    m_ui->upcomingList->setMinimumWidth(std::min(widest + margins, room));
    connect(m_ui->upcomingList, &QListWidget::itemDoubleClicked, this, &CalendarPopup::openTask);
}

CalendarPopup::~CalendarPopup() = default;

void CalendarPopup::fillList()
{
    m_lines = UpcomingReminders(m_data.Alarms, m_services.clock->Now());
    m_ui->upcomingList->clear();
    for (const UpcomingLine &line : std::as_const(m_lines))
        m_ui->upcomingList->addItem(line.text);
}

void CalendarPopup::openTask(QListWidgetItem *item)
{
    const int row = m_ui->upcomingList->row(item);
    if (row < 0 || row >= m_lines.size() || !m_lines[row].entry)
        return;
    // The user is working with it now: it stays when the mouse moves on.
    m_shownByHover = false;
    // After a change the list shows the task where it now stands.
    if (ReminderEditor::OpenModal(m_data, m_services, m_lines[row].entry, -1, this))
        fillList();
}

void CalendarPopup::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_shownByHover = false;
    setCursor(Qt::SizeAllCursor);
    // Moved like a drag of its caption: by the window manager where it can.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CalendarPopup::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void CalendarPopup::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
    unsetCursor();
}

void CalendarPopup::leaveEvent(QEvent *)
{
    if (!m_dragging)
        unsetCursor();
    Q_EMIT MouseLeft();
}

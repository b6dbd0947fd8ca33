// SPDX-License-Identifier: MIT
#include "firing/SlideInNotice.h"

#include "model/CategoryTable.h"
#include "platform/SoundService.h"
#include "ui_SlideInNotice.h"
#include "widgets/WindowLook.h"

#include <QGuiApplication>
#include <QLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

namespace {

const QString NoticeSound = QStringLiteral(":/sounds/notice.wav");

constexpr QSize NoticeSize(200, 164);
constexpr int HeaderHeight = 28;
constexpr int HeaderIconSize = 18;
constexpr int WatermarkSize = 64;

const QColor BodyTop(0xFF, 0xFF, 0xFF);
const QColor BodyBottom(0xE2, 0xED, 0xF9);
const QColor HeaderTop(0x4A, 0x86, 0xD0);
const QColor HeaderBottom(0x2F, 0x68, 0xB4);
const QColor Border(0x2C, 0x5A, 0x96);
const QColor TextColor(0x1E, 0x2A, 0x3A);

} // namespace

SlideInNotice::SlideInNotice(const QString &text, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , m_ui(std::make_unique<Ui::SlideInNotice>())
    , m_riseTimer(new QTimer(this))
    , m_stayTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);

    QPalette textPalette = m_ui->noticeText->palette();
    textPalette.setColor(QPalette::WindowText, TextColor);
    m_ui->noticeText->setPalette(textPalette);
    m_ui->noticeText->setText(text);
    // A long text (the synchronisation's report runs to six lines) makes the
    // notice taller, so that its last line does not end below the screen.
    const QMargins margins = layout()->contentsMargins();
    const int textHeight = m_ui->noticeText->heightForWidth(NoticeSize.width() - margins.left() - margins.right());
    setFixedSize(NoticeSize.width(), std::max(NoticeSize.height(), textHeight + margins.top() + margins.bottom()));
    m_headerIcon = SvgPixmap(CategoryTable::programIconPath(), HeaderIconSize, devicePixelRatioF());
    m_watermark = SvgPixmap(CategoryTable::programIconPath(), WatermarkSize, devicePixelRatioF());

    m_riseTimer->setObjectName(QStringLiteral("riseTimer"));
    m_riseTimer->setInterval(RiseIntervalMs);
    connect(m_riseTimer, &QTimer::timeout, this, &SlideInNotice::riseStep);
    m_stayTimer->setObjectName(QStringLiteral("stayTimer"));
    m_stayTimer->setSingleShot(true);
    m_stayTimer->setInterval(StayMs);
    connect(m_stayTimer, &QTimer::timeout, this, &SlideInNotice::fadeOut);
}

SlideInNotice::~SlideInNotice() = default;

void SlideInNotice::start()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    m_workArea = screen ? screen->availableGeometry() : QRect();
    m_risen = 0;
    move(positionAt(m_risen));
    show();
    raise();
    m_riseTimer->start();
}

QPoint SlideInNotice::positionAt(int risen) const
{
    return {m_workArea.x() + m_workArea.width() - width(), m_workArea.y() + m_workArea.height() + StartBelowPx - risen};
}

void SlideInNotice::riseStep()
{
    m_risen += RiseStepPx;
    move(positionAt(m_risen));
    if (m_risen >= height()) {
        m_riseTimer->stop();
        m_stayTimer->start();
    }
}

void SlideInNotice::fadeOut()
{
    if (m_fade)
        return;
    m_riseTimer->stop();
    m_stayTimer->stop();
    m_fade = new QPropertyAnimation(this, "windowOpacity", this);
    m_fade->setObjectName(QStringLiteral("fadeAnimation"));
    m_fade->setDuration(FadeMs);
    m_fade->setStartValue(windowOpacity());
    m_fade->setEndValue(0.0);
    connect(m_fade, &QPropertyAnimation::finished, this, &QWidget::close);
    m_fade->start();
}

void SlideInNotice::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        fadeOut();
    QWidget::mousePressEvent(event);
}

void SlideInNotice::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawBackground(painter);
}

// Stands in for a background picture: a pale body under a blue title band
// with the program icon, and the icon again as a faint watermark.
void SlideInNotice::drawBackground(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, HeaderHeight, 0, height());
    body.setColorAt(0, BodyTop);
    body.setColorAt(1, BodyBottom);
    painter.fillRect(rect(), body);

    QLinearGradient header(0, 0, 0, HeaderHeight);
    header.setColorAt(0, HeaderTop);
    header.setColorAt(1, HeaderBottom);
    painter.fillRect(QRect(0, 0, width(), HeaderHeight), header);

    const int iconMargin = (HeaderHeight - HeaderIconSize) / 2;
    painter.drawPixmap(iconMargin + 2, iconMargin, m_headerIcon);

    // Kept clear of the strip that stays below the work area.
    const QPoint mark(width() - WatermarkSize - 8, height() - StartBelowPx - WatermarkSize - 6);
    painter.setOpacity(0.10);
    painter.drawPixmap(mark, m_watermark);
    painter.setOpacity(1.0);

    painter.setPen(Border);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

SlideInNotice *ShowNotice(const QString &text, SoundService &sound)
{
    sound.Play(NoticeSound);
    auto *notice = new SlideInNotice(text);
    notice->start();
    return notice;
}

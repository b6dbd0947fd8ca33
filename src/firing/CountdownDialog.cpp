// SPDX-License-Identifier: MIT
#include "firing/CountdownDialog.h"

#include "firing/PerformAction.h"
#include "ui_CountdownDialog.h"
#include "widgets/WindowLook.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int TickMs = 1000;
// The strip along the top edge that marks the dialog as a pending action.
constexpr int AccentHeight = 4;
const QColor AccentColor(0xE0, 0x8A, 0x1E);

} // namespace

CountdownDialog::CountdownDialog(const AlarmTask &task, PowerService &power, ShellService &shell, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_ui(std::make_unique<Ui::CountdownDialog>())
    , m_task(task)
    , m_power(power)
    , m_shell(shell)
    , m_seconds(std::max(1, task.Countdownsec))
    , m_timer(new QTimer(this))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // It stays on top so the count cannot run out unseen behind other windows,
    // but it does not take the keyboard: a key pressed for another program
    // must never hit the default button and start the action early.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowIcon(ProgramIcon());
    // Frameless, so nobody sees it; taskbars and tests can tell it by it.
    setWindowTitle(QStringLiteral("Tockly"));

    m_ui->messageLabel->setText(messageText());
    m_ui->countdownProgress->setRange(1, m_seconds);
    m_ui->countdownProgress->setValue(1);
    connect(m_ui->performNowButton, &QPushButton::clicked, this, &CountdownDialog::performNow);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CountdownDialog::cancel);
    connect(this, &QDialog::finished, m_timer, &QTimer::stop);

    m_timer->setObjectName(QStringLiteral("countdownTimer"));
    m_timer->setInterval(TickMs);
    connect(m_timer, &QTimer::timeout, this, &CountdownDialog::onTick);
    m_timer->start();

    adjustSize();
    CentreOnPrimaryScreen(*this);
}

CountdownDialog::~CountdownDialog() = default;

QString CountdownDialog::messageText() const
{
    const QStringList &names = ActionModeShortNames();
    const QString action =
        m_task.ActionMode >= 0 && m_task.ActionMode < names.size() ? names.at(m_task.ActionMode) : QString();
    return tr("计算机将在%1秒后自动%2.").arg(m_task.Countdownsec).arg(action) +
        tr("如果你想取消该任务的执行，请立刻按下取消按钮！");
}

void CountdownDialog::onTick()
{
    QProgressBar *bar = m_ui->countdownProgress;
    if (bar->value() < m_seconds)
        bar->setValue(bar->value() + 1);
    else
        performNow();
}

void CountdownDialog::performNow()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timer->stop();
    // The user has been warned for the whole count, so the file is handed
    // to the desktop as it is; it reports a missing one itself.
    PerformAction(m_task.ActionMode, m_task.FilePath, false, m_power, m_shell);
    accept();
}

void CountdownDialog::cancel()
{
    m_finished = true;
    m_timer->stop();
    reject();
}

void CountdownDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(QRect(0, 0, width(), AccentHeight), AccentColor);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// SPDX-License-Identifier: MIT
#include "timesync/TimeSync.h"

#include "firing/ReminderDispatcher.h"
#include "platform/Clock.h"
#include "platform/TimeService.h"
#include "timesync/TimeSyncLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <cmath>

Q_LOGGING_CATEGORY(lcTimeSync, "tockly.timesync", QtWarningMsg)

TimeSync::TimeSync(const Clock &clock, TimeService *service, const SyncSettings &settings, Hooks hooks,
                   SntpClient::Options options, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_service(service)
    , m_settings(settings)
    , m_hooks(std::move(hooks))
    , m_client(clock, std::move(options))
{ }

bool TimeSync::SyncNow(const QString &serverListPath)
{
    if (m_running)
        return false;
    const std::optional<QString> server = ReadServerName(serverListPath, m_settings.Server);
    if (!server) {
        if (m_hooks.message)
            m_hooks.message(MissingListText());
        return false;
    }
    return SyncTime(*server);
}

bool TimeSync::SyncTime(const QString &server)
{
    if (m_running)
        return false;
    m_running =
        m_client.Exchange(server, [this, server](const SntpClient::Outcome &outcome) { onExchanged(server, outcome); });
    return m_running;
}

void TimeSync::onExchanged(const QString &server, const SntpClient::Outcome &outcome)
{
    switch (outcome.kind) {
    case SntpClient::Outcome::Kind::SocketFailed:
        if (m_settings.Fail)
            tell(FailureText(outcome.error));
        finish(false);
        return;
    case SntpClient::Outcome::Kind::Rejected:
        if (m_settings.Fail)
            tell(RejectionText(outcome.verdict, outcome.result.reply, server));
        finish(false);
        return;
    case SntpClient::Outcome::Kind::Answered:
        break;
    }
    const Sntp::Result &result = outcome.result;
    qCDebug(lcTimeSync, "%s answered: round trip %.6f s, offset %.6f s, stratum %d", qUtf8Printable(server),
            result.roundTripDelay, result.clockOffset, result.reply.stratum);
    if (std::fabs(result.clockOffset) >= AskAboveSeconds && m_settings.Error) {
        if (!m_hooks.confirm || !m_hooks.confirm(QuestionText())) {
            finish(true);
            return;
        }
        setClock(result, true);
        return;
    }
    setClock(result, false);
}

void TimeSync::setClock(const Sntp::Result &result, bool confirmed)
{
    const double offset = result.clockOffset;
    const double delay = result.roundTripDelay;
    const auto refused = [this](const QString &reason) {
        qCWarning(lcTimeSync) << "the system did not set the clock:" << reason;
        if (m_settings.Fail)
            tell(CannotSetText());
        finish(false);
    };
    if (!m_service) {
        refused(QStringLiteral("no time service"));
        return;
    }
    // Read the clock again: a question may have been open for a while.
    const NtpTimestamp target = CurrentTimestamp(m_clock).Plus(offset);
    const UtcCalendarTime utc = target.ToCalendar();
    qCDebug(lcTimeSync, "setting the clock to %04d-%02d-%02d %02d:%02d:%02d.%03d UTC", utc.year, utc.month, utc.day,
            utc.hour, utc.minute, utc.second, utc.millisecond);
    m_service->SetTime(
        target.ToUnixMicroseconds(),
        [this, guard = QPointer<TimeSync>(this), offset, delay, confirmed, refused](bool set, const QString &reason) {
            if (!guard)
                return;
            if (!set) {
                refused(reason);
                return;
            }
            // After a confirmed correction the user is always told.
            if (confirmed || m_settings.Succeed)
                tell(SuccessText(offset, delay, m_clock.Now()));
            finish(true);
        });
}

void TimeSync::tell(const QString &text)
{
    if (m_hooks.notice)
        m_hooks.notice(text);
}

void TimeSync::finish(bool success)
{
    m_running = false;
    Q_EMIT Finished(success);
}

bool TimeSync::InstallServerList(const QString &programDirectory, const QString &shippedDirectory)
{
    const QString target = QDir(programDirectory).filePath(ServerListName);
    const QString shipped = QDir(shippedDirectory).filePath(ServerListName);
    if (QFileInfo::exists(target) || !QFileInfo::exists(shipped) ||
        QFileInfo(target).absoluteFilePath() == QFileInfo(shipped).absoluteFilePath())
        return false;
    return QFile::copy(shipped, target);
}

QString TimeSync::QuestionText()
{
    return tr("警告:本地时间与NTP服务器时间相差30分钟以上.您的时区和夏令时(DST)设置可能不正确。"
              "是否立刻同步您的计算机时间？");
}

QString TimeSync::MissingListText()
{
    return tr("不能打开SNTP服务器列表文件SNTP.dat,请检查该文件是否存在!");
}

QString TimeSync::CannotSetText()
{
    return tr("Tockly无法修改系统本地时间，请检查您是否具有相关权限。");
}

QString TimeSync::FailureText(const SocketError &error)
{
    QString text;
    switch (error.code) {
    case SocketChannel::TimedOut:
        text = tr("连接时间服务器超时，服务器没有应答。");
        break;
    case SocketChannel::EmptyReply:
        text = tr("时间服务器返回了空的应答。");
        break;
    case SocketChannel::ConnectionRefused:
        text = tr("时间服务器拒绝了连接请求。");
        break;
    case SocketChannel::HostNotFound:
        text = tr("找不到时间服务器，请检查服务器地址是否正确。");
        break;
    case SocketChannel::TryAgain:
        text = tr("暂时无法解析时间服务器的地址，请检查网络连接。");
        break;
    case SocketChannel::NetworkUnreachable:
        text = tr("网络不可达，请检查网络连接。");
        break;
    default:
        text = error.systemText.isEmpty() ? tr("网络错误。") : error.systemText;
        break;
    }
    return QStringLiteral("%1#%2").arg(text, QString::number(error.code));
}

QString TimeSync::RejectionText(Sntp::Verdict verdict, const Sntp::Reply &reply, const QString &server)
{
    switch (verdict) {
    case Sntp::Verdict::KissOfDeath:
        if (const QString code = reply.KissCode(); !code.isEmpty())
            return tr("时间服务器%1拒绝了同步请求（%2），请稍后再试或改用其他服务器。").arg(server, code);
        return tr("时间服务器%1拒绝了同步请求，请稍后再试或改用其他服务器。").arg(server);
    case Sntp::Verdict::ServerUnsynchronised:
    case Sntp::Verdict::StratumTooHigh:
        return tr("时间服务器%1自身的时间尚未同步，不能用来校准时间，请改用其他服务器。").arg(server);
    default:
        return tr("时间服务器%1的应答无效，没有修改系统时间。").arg(server);
    }
}

QString TimeSync::SuccessText(double offset, double roundTripDelay, const DateTime &now)
{
    static constexpr char Plain[] =
        "Tockly成功同步了您的系统时间；\r\n往返延迟:%f秒；\r\n当前时间：\n%04d年%02d月%02d日, %02d:%02d:%02d";
    static constexpr char Correction[] = "Tockly成功同步了您的系统时间；\r\n时间校正：%f秒；\r\n往返延迟：%f秒；"
                                         "\r\n当前时间：\n%04d年%02d月%02d日, %02d:%02d:%02d";
    if (std::fabs(offset) <= ExactSeconds) {
        return QString::asprintf(Plain, roundTripDelay, now.Year(), now.Month(), now.Day(), now.Hour(), now.Minute(),
                                 now.Second());
    }
    return QString::asprintf(Correction, std::fabs(offset), roundTripDelay, now.Year(), now.Month(), now.Day(),
                             now.Hour(), now.Minute(), now.Second());
}

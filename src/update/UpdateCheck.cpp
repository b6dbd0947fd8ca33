// SPDX-License-Identifier: MIT
#include "update/UpdateCheck.h"

#include "update/UpdateLog.h"

#include <QHostAddress>
#include <QNetworkProxyFactory>
#include <QNetworkRequest>

Q_LOGGING_CATEGORY(lcUpdate, "tockly.update", QtWarningMsg)

namespace {

// The system's proxy settings (the proxy variables of the environment),
// except for the computer itself.
class SystemProxies final : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        const QString host = query.peerHostName();
        if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback())
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(query);
    }
};

} // namespace

UpdateCheck::UpdateCheck(QUrl site, Hooks hooks, ProductVersion own, QObject *parent)
    : QObject(parent)
    , m_site(std::move(site))
    , m_hooks(std::move(hooks))
    , m_own(own)
{
    m_manager.setProxyFactory(new SystemProxies);
}

UpdateCheck::~UpdateCheck()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QUrl UpdateCheck::UpdateFileUrl() const
{
    return m_site.resolved(QUrl(QStringLiteral("/tkupdate.ini")));
}

QUrl UpdateCheck::DownloadPage() const
{
    return m_site.resolved(QUrl(QStringLiteral("/downloads/")));
}

QString UpdateCheck::BusyText()
{
    return tr("Tockly正在检查更新,请稍候,等待的时间决定于您网络连接的速度.");
}

QString UpdateCheck::OfflineText()
{
    return tr("你当前无法与网络连接,请检查你的网络设置.");
}

QString UpdateCheck::FirewallText()
{
    return tr("您的计算机当前已连接进互联网中,但是可能处于防火墙之后,请修改防火墙设置!");
}

QString UpdateCheck::LatestText()
{
    return tr("你当前使用的是最新版本的Tockly.");
}

QString UpdateCheck::OfferText(const ProductVersion &own, const ProductVersion &remote)
{
    const QString current = tr("当前版本: %1").arg(own.Text());
    const QString update = tr("更新版本: %1").arg(remote.Text());
    return tr("Tockly有新版本,是否立刻下载更新?\n%1\n%2\n").arg(current, update);
}

void UpdateCheck::CheckUpdateNow()
{
    if (m_busy) {
        if (m_hooks.inform)
            m_hooks.inform(BusyText());
        return;
    }
    if (!m_hooks.isOnline || !m_hooks.isOnline()) {
        if (m_hooks.inform)
            m_hooks.inform(OfflineText());
        return;
    }
    Start();
}

void UpdateCheck::Start()
{
    if (m_busy)
        return;
    m_busy = true;
    m_bytes.clear();
    m_gotEnough = false;
    QNetworkRequest request(UpdateFileUrl());
    // Always the server's own copy, never one kept along the way.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setTransferTimeout(m_timeoutMs);
    m_reply = m_manager.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateCheck::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateCheck::onFinished);
}

void UpdateCheck::onReadyRead()
{
    if (!m_reply || m_gotEnough)
        return;
    // An error page is no update file.
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return;
    m_bytes += m_reply->read(UpdateFileReadLimit - m_bytes.size());
    if (m_bytes.size() >= UpdateFileReadLimit) {
        // Enough read: the rest of a large file is of no interest.
        m_gotEnough = true;
        m_reply->abort();
    }
}

void UpdateCheck::onFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();

    UpdateFetchResult result;
    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!m_gotEnough && reply->error() != QNetworkReply::NoError) {
        result.error = reply->error();
        result.errorText = reply->errorString();
        if (result.httpStatus >= 400)
            result.serverText = QString::fromUtf8(reply->read(UpdateFileReadLimit)).left(UpdateFileReadLimit);
        qCWarning(lcUpdate).noquote() << "Could not fetch" << UpdateFileUrl().toString() << ":" << result.errorText
                                      << result.serverText;
    } else {
        if (!m_gotEnough && result.httpStatus < 400)
            m_bytes += reply->read(UpdateFileReadLimit - m_bytes.size());
        result.bytesRead = m_bytes.size();
        result.remote = ParseUpdateFile(m_bytes);
        result.ok = result.bytesRead > 0 && !result.remote.IsZero();
        if (!result.ok)
            qCWarning(lcUpdate).noquote() << UpdateFileUrl().toString() << "names no version:" << m_bytes.size()
                                          << "bytes," << QString::fromUtf8(m_bytes.left(40));
    }
    m_bytes.clear();
    // Told from the event loop: the questions run loops of their own, and
    // the reply may still be inside its own signal here.
    QMetaObject::invokeMethod(
        this, [this, result] { report(result); }, Qt::QueuedConnection);
}

void UpdateCheck::report(const UpdateFetchResult &result)
{
    if (!result.ok) {
        if (m_hooks.inform)
            m_hooks.inform(FirewallText());
    } else if (IsNewerVersion(result.remote, m_own)) {
        if (m_hooks.askToDownload && m_hooks.askToDownload(OfferText(m_own, result.remote)) && m_hooks.openPage)
            m_hooks.openPage(DownloadPage());
    } else if (m_hooks.inform) {
        m_hooks.inform(LatestText());
    }
    m_result = result;
    m_busy = false;
    Q_EMIT Finished();
}

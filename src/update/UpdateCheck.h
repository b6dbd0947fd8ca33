// SPDX-License-Identifier: MIT
#pragma once

#include "update/UpdateInfo.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>

// What one fetch of the update file found.
struct UpdateFetchResult
{
    bool ok = false; // some bytes came, and they named a version
    ProductVersion remote;
    qsizetype bytesRead = 0;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorText;
    int httpStatus = 0;
    QString serverText; // the start of an error page the server sent
};

// Asks the publisher's web site whether a newer version exists and offers
// the download page. The update file is fetched without any cache, and
// only its first bytes are read; everything runs on the event loop, so the
// clock keeps going however slow the network is. One check runs at a time.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    // Longest wait for the server without any data arriving.
    static constexpr int DefaultTimeoutMs = 30000;

    // How the check meets the user. `inform` shows a message with an OK
    // button; `askToDownload` a Yes/No question, true on Yes; `openPage`
    // opens a web page in the browser.
    struct Hooks
    {
        std::function<bool()> isOnline;
        std::function<void(const QString &text)> inform;
        std::function<bool(const QString &question)> askToDownload;
        std::function<void(const QUrl &page)> openPage;
    };

    // site: the root of the publisher's web site ("https://host").
    UpdateCheck(QUrl site, Hooks hooks, ProductVersion own = OwnVersion, QObject *parent = nullptr);
    ~UpdateCheck() override;

    // The about box's "检查升级": says so when a check runs already or the
    // computer is off line, else starts one.
    void CheckUpdateNow();
    // Starts a check (nothing happens while one runs): fetch, then tell.
    void Start();
    bool IsBusy() const { return m_busy; }

    // What the last fetch found.
    const UpdateFetchResult &LastResult() const { return m_result; }

    QUrl UpdateFileUrl() const;
    QUrl DownloadPage() const;
    void SetTimeout(int ms) { m_timeoutMs = ms; }

    static QString BusyText();
    static QString OfflineText();
    static QString FirewallText();
    static QString LatestText();
    static QString OfferText(const ProductVersion &own, const ProductVersion &remote);

Q_SIGNALS:
    // The fetch is over and the user was told.
    void Finished();

private:
    void onReadyRead();
    void onFinished();
    void report(const UpdateFetchResult &result);

    QUrl m_site;
    Hooks m_hooks;
    ProductVersion m_own;
    int m_timeoutMs = DefaultTimeoutMs;
    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_bytes;
    bool m_gotEnough = false;
    bool m_busy = false;
    UpdateFetchResult m_result;
};

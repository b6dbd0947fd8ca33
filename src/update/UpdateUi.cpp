// SPDX-License-Identifier: MIT
#include "update/UpdateUi.h"

#include "platform/NetworkService.h"
#include "platform/ShellService.h"
#include "update/ProgramProfile.h"
#include "update/UpdateLog.h"
#include "update/UpdateOfferDialog.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WindowLook.h"

#include <QHostAddress>

using namespace Qt::StringLiterals;

QUrl UpdateSite()
{
    const QString root = qEnvironmentVariable("TOCKLY_UPDATE_SITE");
    if (!root.isEmpty()) {
        const QUrl url(root);
        const QString host = url.host();
        const bool local = host.compare(u"localhost"_s, Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback();
        if (url.isValid() && local && (url.scheme() == u"http"_s || url.scheme() == u"https"_s))
            return url;
        qCWarning(lcUpdate) << "TOCKLY_UPDATE_SITE must name this computer; ignored:" << root;
    }
    return QUrl(u"https://"_s + QStringLiteral(TOCKLY_WEB_HOST));
}

UpdateCheck::Hooks DesktopUpdateHooks(NetworkService *network, ShellService *shell)
{
    UpdateCheck::Hooks hooks;
    hooks.isOnline = [network] {
        return network && network->IsOnline();
    };
    hooks.inform = [](const QString &text) {
        MessageBoxes::Information(nullptr, text);
    };
    hooks.askToDownload = [](const QString &question) {
        return MessageBoxes::Show(nullptr, QMessageBox::Warning, question, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::Yes) == QMessageBox::Yes;
    };
    hooks.openPage = [shell](const QUrl &page) {
        if (shell)
            shell->Open(page.toString());
    };
    return hooks;
}

bool OfferUpdateAtStart(UpdateCheck &check, NetworkService *network, ProgramProfile &profile)
{
    // The profile first: asking the network service costs more.
    if (profile.UpdateOfferSwitchedOff() != 0 || !network || !network->IsOnline())
        return false;
    UpdateOfferDialog offer(profile);
    offer.adjustSize();
    CentreOnPrimaryScreen(offer);
    if (offer.exec() == QDialog::Accepted)
        check.Start();
    return true;
}

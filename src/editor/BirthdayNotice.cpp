// SPDX-License-Identifier: MIT
#include "editor/BirthdayNotice.h"

#include "editor/BirthdayInfo.h"
#include "editor/BirthdaySites.h"
#include "editor/HyperLink.h"
#include "model/CategoryTable.h"
#include "platform/Clock.h"
#include "platform/ShellService.h"
#include "ui_BirthdayNotice.h"
#include "widgets/WindowLook.h"

static_assert(std::size(BirthdaySites::GreetingSites) == BirthdayNotice::LinkCount);

BirthdayNotice::BirthdayNotice(const BirthdayEntry &entry, bool nextYear, const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::BirthdayNotice>())
    , m_entry(entry)
    , m_services(services)
{
    m_ui->setupUi(this);
    setWindowIcon(ProgramIcon());
    m_ui->noticeIcon->setPixmap(SvgPixmap(CategoryTable::birthdayIconPath(), 32, devicePixelRatioF()));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);

    const std::array<HyperLink *, LinkCount> all = links();
    for (size_t i = 0; i < all.size(); ++i) {
        all[i]->setAddress(QString::fromUtf8(BirthdaySites::GreetingSites[i]));
        connect(all[i], &HyperLink::opened, this, [this](const QString &address) {
            if (m_services.shell)
                m_services.shell->Open(address);
        });
    }

    // A birthday that cannot be placed in the calendar leaves the plain title
    // and no message; the links still work.
    if (const auto text = ComposeBirthdayNotice(entry, nextYear, m_services.clock->Now())) {
        setWindowTitle(text->caption);
        m_ui->messageLabel->setText(text->message);
    }
    m_ui->okButton->setFocus();
}

BirthdayNotice::~BirthdayNotice() = default;

BirthdayNotice *BirthdayNotice::Open(const BirthdayEntry &entry, bool nextYear, const Services &services)
{
    auto *notice = new BirthdayNotice(entry, nextYear, services);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setModal(false);
    notice->adjustSize();
    CentreOnPrimaryScreen(*notice);
    notice->show();
    notice->raise();
    notice->activateWindow();
    return notice;
}

QString BirthdayNotice::messageText() const
{
    return m_ui->messageLabel->text();
}

std::array<HyperLink *, BirthdayNotice::LinkCount> BirthdayNotice::links() const
{
    return {m_ui->netEaseCardLink,   m_ui->tomCardLink, m_ui->cardShowLink, m_ui->qqMobileLink,
            m_ui->netEaseMobileLink, m_ui->qqGiftLink,  m_ui->taobaoLink,   m_ui->eachNetLink};
}

// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"
#include "platform/Services.h"

#include <QDialog>
#include <array>
#include <memory>

namespace Ui {
class BirthdayNotice;
}

class HyperLink;

// The notice a few days before a friend's birthday: the date, how many days
// are left and the remark, with links to greeting-card, mobile-greeting and
// gift sites, which open in the browser. Created per notice, without owner
// and modeless; any number may be open at once, and each deletes itself when
// it closes.
class BirthdayNotice final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int LinkCount = 8;

    // `nextYear`: the birthday falls in the next year.
    BirthdayNotice(const BirthdayEntry &entry, bool nextYear, const Services &services, QWidget *parent = nullptr);
    ~BirthdayNotice() override;

    // Shows a notice centred on the screen, in front.
    static BirthdayNotice *Open(const BirthdayEntry &entry, bool nextYear, const Services &services);

    const BirthdayEntry &entry() const { return m_entry; }
    QString messageText() const;
    // The links in the order of the build setting's addresses.
    std::array<HyperLink *, LinkCount> links() const;

private:
    std::unique_ptr<Ui::BirthdayNotice> m_ui;
    BirthdayEntry m_entry;
    Services m_services;
};

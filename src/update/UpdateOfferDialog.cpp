// SPDX-License-Identifier: MIT
#include "update/UpdateOfferDialog.h"

#include "ui_UpdateOfferDialog.h"
#include "update/ProgramProfile.h"
#include "widgets/WindowLook.h"

#include <QStyle>

UpdateOfferDialog::UpdateOfferDialog(ProgramProfile &profile, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::UpdateOfferDialog>())
{
    m_ui->setupUi(this);
    setWindowIcon(ProgramIcon());
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_ui->iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(iconSize));
    m_ui->questionLabel->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    connect(m_ui->dontShowAgainCheck, &QCheckBox::clicked, this,
            [&profile](bool checked) { profile.SetUpdateOfferSwitchedOff(checked ? 1 : 0); });
    connect(m_ui->yesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->noButton, &QPushButton::clicked, this, &QDialog::reject);
}

UpdateOfferDialog::~UpdateOfferDialog() = default;

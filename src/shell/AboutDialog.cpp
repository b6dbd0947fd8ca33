// SPDX-License-Identifier: MIT
#include "shell/AboutDialog.h"

#include "model/CategoryTable.h"
#include "ui_AboutDialog.h"

#include <QIcon>

AboutDialog::AboutDialog(QWidget *parent, std::function<void()> checkForUpdate)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    m_ui->iconLabel->setPixmap(QIcon(CategoryTable::programIconPath()).pixmap(48, 48));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    m_ui->checkUpdateButton->setEnabled(bool(checkForUpdate));
    connect(m_ui->checkUpdateButton, &QPushButton::clicked, this, [check = std::move(checkForUpdate)] {
        if (check)
            check();
    });
}

AboutDialog::~AboutDialog() = default;

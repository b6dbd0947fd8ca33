// SPDX-License-Identifier: MIT
#include "shell/CustomCountdownDialog.h"

#include "ui_CustomCountdownDialog.h"

CustomCountdownDialog::CustomCountdownDialog(QTime now, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CustomCountdownDialog>())
{
    m_ui->setupUi(this);
    m_ui->spanTimeEdit->setTime(QTime(0, 5, 0));
    m_ui->targetTimeEdit->setTime(QTime((now.hour() + 1) % 24, 0, 0));
    connect(m_ui->startButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // Choosing a time picks its line.
    connect(m_ui->spanTimeEdit, &QTimeEdit::timeChanged, this, [this] { m_ui->afterRadio->setChecked(true); });
    connect(m_ui->targetTimeEdit, &QTimeEdit::timeChanged, this, [this] { m_ui->atRadio->setChecked(true); });
}

CustomCountdownDialog::~CustomCountdownDialog() = default;

bool CustomCountdownDialog::CountsASpan() const
{
    return m_ui->afterRadio->isChecked();
}

QTime CustomCountdownDialog::ChosenTime() const
{
    return CountsASpan() ? m_ui->spanTimeEdit->time() : m_ui->targetTimeEdit->time();
}

// SPDX-License-Identifier: MIT
#include "editor/ActionPage.h"

#include "editor/FileChooser.h"
#include "model/AlarmTask.h"
#include "ui_ActionPage.h"

#include <QButtonGroup>
#include <QLineEdit>

namespace {

constexpr int PathTypingLimit = 255;

} // namespace

ActionPage::ActionPage(QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::ActionPage>())
    , m_timing(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    m_ui->actionCombo->addItems(ActionModeNames());
    m_ui->actionCombo->setCurrentIndex(AlarmTask::OpenFile);
    m_timing->addButton(m_ui->atOnceRadio, ReminderForm::FirstRow);
    m_timing->addButton(m_ui->countdownRadio, ReminderForm::SecondRow);
    // One range for the countdown, the one Save checks.
    m_ui->countdownBox->setArrowRange(1, 99);
    m_ui->countdownBox->setNumber(30);
    m_ui->filePathCombo->lineEdit()->setMaxLength(PathTypingLimit);
    // Switching to "立刻执行任务" keeps the countdown's value, disabled.
    connect(m_ui->countdownRadio, &QRadioButton::toggled, m_ui->countdownBox, &QWidget::setEnabled);
    connect(m_ui->browseButton, &QPushButton::clicked, this, &ActionPage::browse);
    m_ui->atOnceRadio->setChecked(true);
    m_ui->countdownBox->setEnabled(false);
}

ActionPage::~ActionPage() = default;

void ActionPage::browse()
{
    const QString path = ChooseExistingFile(this, tr("所有文件(*.*)"));
    if (!path.isEmpty())
        SetTextKeepingLimit(m_ui->filePathCombo->lineEdit(), path, PathTypingLimit);
}

void ActionPage::showValues(const ReminderForm &form)
{
    m_ui->actionCombo->setCurrentIndex(form.actionMode);
    CheckButton(m_timing, form.actionOption);
    m_ui->countdownBox->setNumber(form.countdown);
    m_ui->countdownBox->setEnabled(m_ui->countdownRadio->isChecked());
    SetTextKeepingLimit(m_ui->filePathCombo->lineEdit(), form.filePath, PathTypingLimit);
}

void ActionPage::readValues(ReminderForm &form) const
{
    form.actionMode = m_ui->actionCombo->currentIndex();
    form.actionOption = m_timing->checkedId();
    form.countdown = m_ui->countdownBox->number();
    form.filePath = m_ui->filePathCombo->currentText();
}

QWidget *ActionPage::fieldWidget(FormField field) const
{
    return field == FormField::Countdown ? m_ui->countdownBox : nullptr;
}

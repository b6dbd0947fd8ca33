// SPDX-License-Identifier: MIT
#include "settings/SpeakPage.h"

#include "editor/ValidationTip.h"
#include "model/AppSettings.h"
#include "settings/SettingsLook.h"
#include "settings/SettingsRules.h"
#include "ui_SpeakPage.h"

SpeakPage::SpeakPage(SpeakSettings &speak, std::function<void()> announceTime, QWidget *parent)
    : SettingsPage(parent)
    , m_ui(std::make_unique<Ui::SpeakPage>())
    , m_speak(speak)
    , m_announceTime(std::move(announceTime))
    , m_tip(new ValidationTip(this))
{
    m_ui->setupUi(this);
    const SettingsLook::Page look = SettingsLook::Speak();
    m_ui->heading->setHeading(look.icon, look.title, look.tint);
    // The label is as wide as its widest text, so the slider never jumps.
    m_ui->volumeLabel->setMinimumWidth(m_ui->volumeLabel->fontMetrics().horizontalAdvance(VolumeText(100)));

    m_ui->announcerCombo->setCurrentIndex(m_speak.Announcer);
    m_ui->volumeSlider->setValue(m_speak.Volume);
    m_ui->volumeLabel->setText(VolumeText(m_ui->volumeSlider->value()));
    m_ui->intervalCombo->setCurrentIndex(m_speak.TimeCyc);
    m_ui->formatCombo->setCurrentIndex(m_speak.TimeFormat);
    m_ui->prefaceCombo->setCurrentIndex(m_speak.TimePreTIMEPRE);
    m_ui->chimeCombo->setCurrentIndex(m_speak.DateTimePre);
    m_ui->fromTimeEdit->setTime(QTime(m_speak.BeteenFromHour, m_speak.BeteenFromMin));
    m_ui->toTimeEdit->setTime(QTime(m_speak.BeteenToHour, m_speak.BeteenToMin));
    m_ui->autoNotifyCheck->setChecked(m_speak.EnableAutoNotifyTime != 0);
    m_ui->prefaceCheck->setChecked(m_speak.EnableTimePreface != 0);
    m_ui->chimeCheck->setChecked(m_speak.EnableIfChime != 0);
    m_ui->limitCheck->setChecked(m_speak.EnableLimitTime != 0);
    applyEnableRule();

    for (QCheckBox *box : {m_ui->autoNotifyCheck, m_ui->prefaceCheck, m_ui->chimeCheck, m_ui->limitCheck}) {
        connect(box, &QCheckBox::clicked, this, &SpeakPage::applyEnableRule);
        connect(box, &QCheckBox::clicked, this, &SettingsPage::Changed);
    }
    for (QComboBox *list :
         {m_ui->announcerCombo, m_ui->intervalCombo, m_ui->formatCombo, m_ui->prefaceCombo, m_ui->chimeCombo})
        connect(list, &QComboBox::currentIndexChanged, this, &SettingsPage::Changed);
    connect(m_ui->volumeSlider, &QSlider::valueChanged, this, [this](int value) {
        m_ui->volumeLabel->setText(VolumeText(value));
        // A drag counts once the slider is let go; keys count at once.
        if (!m_ui->volumeSlider->isSliderDown())
            Q_EMIT Changed();
    });
    connect(m_ui->volumeSlider, &QSlider::sliderReleased, this, &SettingsPage::Changed);
    connect(m_ui->fromTimeEdit, &QTimeEdit::timeChanged, this, &SettingsPage::Changed);
    connect(m_ui->toTimeEdit, &QTimeEdit::timeChanged, this, &SettingsPage::Changed);
    connect(m_ui->toTimeEdit, &QTimeEdit::timeChanged, this, &SpeakPage::checkEndTime);
    connect(m_ui->playButton, &QPushButton::clicked, this, [this] {
        if (m_announceTime)
            m_announceTime();
    });
}

SpeakPage::~SpeakPage() = default;

QString SpeakPage::EndBeforeStartText()
{
    return tr("设定报时结束时间必须大于起始时间.");
}

void SpeakPage::applyEnableRule()
{
    const bool interval = m_ui->autoNotifyCheck->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(m_ui->intervalCombo), static_cast<QWidget *>(m_ui->formatLabel),
                       static_cast<QWidget *>(m_ui->formatCombo), static_cast<QWidget *>(m_ui->formatEndLabel)})
        w->setEnabled(interval);
    m_ui->prefaceCombo->setEnabled(m_ui->prefaceCheck->isChecked());
    m_ui->chimeCombo->setEnabled(m_ui->chimeCheck->isChecked());
    const bool limit = m_ui->limitCheck->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(m_ui->fromTimeEdit), static_cast<QWidget *>(m_ui->toLabel),
                       static_cast<QWidget *>(m_ui->toTimeEdit), static_cast<QWidget *>(m_ui->limitEndLabel)})
        w->setEnabled(limit);
}

void SpeakPage::checkEndTime()
{
    // Said, not enforced: the times are stored as they are.
    if (m_ui->fromTimeEdit->time() >= m_ui->toTimeEdit->time())
        m_tip->showUnder(m_ui->toTimeEdit, EndBeforeStartText());
}

void SpeakPage::Save()
{
    m_speak.Announcer = qint16(SettingsLook::ChosenIndex(m_ui->announcerCombo, m_speak.Announcer));
    m_speak.Volume = m_ui->volumeSlider->value();
    m_speak.TimeCyc = SettingsLook::ChosenIndex(m_ui->intervalCombo, m_speak.TimeCyc);
    m_speak.TimeFormat = SettingsLook::ChosenIndex(m_ui->formatCombo, m_speak.TimeFormat);
    m_speak.TimePreTIMEPRE = SettingsLook::ChosenIndex(m_ui->prefaceCombo, m_speak.TimePreTIMEPRE);
    m_speak.DateTimePre = SettingsLook::ChosenIndex(m_ui->chimeCombo, m_speak.DateTimePre);
    const QTime from = m_ui->fromTimeEdit->time();
    const QTime to = m_ui->toTimeEdit->time();
    m_speak.BeteenFromHour = from.hour();
    m_speak.BeteenFromMin = from.minute();
    m_speak.BeteenToHour = to.hour();
    m_speak.BeteenToMin = to.minute();
    m_speak.EnableAutoNotifyTime = m_ui->autoNotifyCheck->isChecked() ? 1 : 0;
    m_speak.EnableTimePreface = m_ui->prefaceCheck->isChecked() ? 1 : 0;
    m_speak.EnableIfChime = m_ui->chimeCheck->isChecked() ? 1 : 0;
    m_speak.EnableLimitTime = m_ui->limitCheck->isChecked() ? 1 : 0;
}

// SPDX-License-Identifier: MIT
#include "editor/SoundPage.h"

#include "editor/FileChooser.h"
#include "editor/ValidationTip.h"
#include "platform/SoundService.h"
#include "ui_SoundPage.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

// Characters the path box takes from the keyboard.
constexpr int PathTypingLimit = 255;

} // namespace

SoundPage::SoundPage(SoundService *sound, QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::SoundPage>())
    , m_sound(sound)
    , m_tip(new ValidationTip(this))
{
    m_ui->setupUi(this);
    m_ui->soundPathCombo->lineEdit()->setMaxLength(PathTypingLimit);
    connect(m_ui->browseButton, &QPushButton::clicked, this, &SoundPage::browse);
    connect(m_ui->playButton, &QPushButton::clicked, this, &SoundPage::play);
    connect(m_ui->repeatCheck, &QCheckBox::toggled, this, [this](bool on) { m_repeatPlay = on ? 1 : 0; });
}

SoundPage::~SoundPage() = default;

void SoundPage::browse()
{
    const QString path = ChooseExistingFile(this, tr("声音文件(*.wav)"));
    if (!path.isEmpty())
        SetTextKeepingLimit(m_ui->soundPathCombo->lineEdit(), path, PathTypingLimit);
}

void SoundPage::play()
{
    const QString path = m_ui->soundPathCombo->currentText();
    if (!QFileInfo(path).isFile()) {
        m_tip->showUnder(m_ui->soundPathCombo, tr("你选择的声音文件不存在或者不正确,请重新选择"));
        return;
    }
    if (m_sound)
        m_sound->Play(path);
}

void SoundPage::showValues(const ReminderForm &form)
{
    SetTextKeepingLimit(m_ui->soundPathCombo->lineEdit(), form.soundFile, PathTypingLimit);
    m_ui->repeatCheck->setChecked(form.repeatPlay != 0);
    // Kept whole: any value other than 0 and 1 comes back as it was.
    m_repeatPlay = form.repeatPlay;
}

void SoundPage::readValues(ReminderForm &form) const
{
    form.soundFile = m_ui->soundPathCombo->currentText();
    form.repeatPlay = m_repeatPlay;
}

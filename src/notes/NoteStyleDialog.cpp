// SPDX-License-Identifier: MIT
#include "notes/NoteStyleDialog.h"

#include "model/IniDocument.h"
#include "notes/NotePainter.h"
#include "notes/NotePresetSaveDialog.h"
#include "notes/NoteWindow.h"
#include "platform/Clock.h"
#include "ui_NoteStyleDialog.h"
#include "widgets/MessageBoxes.h"
#include "widgets/MessageFormat.h"
#include "widgets/WindowLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFontDialog>
#include <QGroupBox>
#include <QRandomGenerator>
#include <QScreen>

NoteStyleDialog::NoteStyleDialog(const QString &noteTitle, const QString &presetsPath, const Services &services,
                                 QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::NoteStyleDialog>())
    , m_noteTitle(noteTitle)
    , m_presets(presetsPath)
    , m_services(services)
{
    m_ui->setupUi(this);
    if (const NoteWindow *window = note()) {
        m_style = StyleOf(window->Note());
    } else {
        const QScreen *screen = QGuiApplication::primaryScreen();
        m_style.Font.FontHeight = TenPointHeight(screen ? screen->logicalDotsPerInchY() : 96.0);
    }
    m_style.Alpha = std::clamp(int(m_style.Alpha), NoteStyle::MinAlpha, NoteStyle::MaxAlpha);
    // The automatic colours are the system's colours of text, of a text
    // area and of a window frame.
    const QPalette system = QApplication::palette();
    m_ui->textColorPicker->setAutomaticColor(system.color(QPalette::Text));
    m_ui->backColor1Picker->setAutomaticColor(system.color(QPalette::Base));
    m_ui->backColor2Picker->setAutomaticColor(system.color(QPalette::Base));
    m_ui->borderColorPicker->setAutomaticColor(system.color(QPalette::Shadow));
    m_ui->presetCombo->addItems(m_presets.Names());
    m_ui->presetCombo->setCurrentIndex(0);
    showStyle();
    onOpacity(m_style.Alpha);
    connectControls();
    adjustSize();
    CentreOnPrimaryScreen(*this);
}

NoteStyleDialog::~NoteStyleDialog() = default;

NoteWindow *NoteStyleDialog::note() const
{
    return NoteWindow::FindByTitle(m_noteTitle);
}

void NoteStyleDialog::connectControls()
{
    const auto colour = [this](NoteColorPicker *picker, Color NoteStyle::*member) {
        connect(picker, &ColorPickerButton::colorChosen, this,
                [this, member](const QColor &color) { setColor(member, color); });
    };
    colour(m_ui->textColorPicker, &NoteStyle::TextColor);
    colour(m_ui->backColor1Picker, &NoteStyle::BackColor1);
    colour(m_ui->backColor2Picker, &NoteStyle::BackColor2);
    colour(m_ui->borderColorPicker, &NoteStyle::BorderColor);
    connect(m_ui->opacitySlider, &QSlider::valueChanged, this, &NoteStyleDialog::onOpacity);
    connect(m_ui->alignCombo, &QComboBox::currentIndexChanged, this, [this](int align) {
        m_style.Align = std::max(align, 0);
        updatePreview();
    });
    connect(m_ui->gradientCombo, &QComboBox::currentIndexChanged, this, &NoteStyleDialog::onGradient);
    connect(m_ui->fontButton, &QPushButton::clicked, this, &NoteStyleDialog::chooseFont);
    connect(m_ui->desktopColorCheck, &QCheckBox::toggled, this, &NoteStyleDialog::useDesktopColour);
    connect(m_ui->randomColorCheck, &QCheckBox::toggled, this, &NoteStyleDialog::useRandomColour);
    connect(m_ui->presetCombo, &QComboBox::activated, this, &NoteStyleDialog::pickPreset);
    connect(m_ui->presetCombo, &QComboBox::currentIndexChanged, this, &NoteStyleDialog::updateDeleteButton);
    connect(m_ui->savePresetButton, &QPushButton::clicked, this, &NoteStyleDialog::savePreset);
    connect(m_ui->deletePresetButton, &QPushButton::clicked, this, &NoteStyleDialog::deletePreset);
    connect(m_ui->okButton, &QPushButton::clicked, this, &NoteStyleDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &NoteStyleDialog::reject);
}

// Every control from the look being edited.
void NoteStyleDialog::showStyle()
{
    m_ui->textColorPicker->setColor(ToQColor(m_style.TextColor));
    m_ui->backColor1Picker->setColor(ToQColor(m_style.BackColor1));
    m_ui->backColor2Picker->setColor(ToQColor(m_style.BackColor2));
    m_ui->borderColorPicker->setColor(ToQColor(m_style.BorderColor));
    m_ui->opacitySlider->setValue(m_style.Alpha);
    {
        const QSignalBlocker quiet(m_ui->alignCombo);
        m_ui->alignCombo->setCurrentIndex(ClampedAlign(m_style.Align));
    }
    {
        const QSignalBlocker quiet(m_ui->gradientCombo);
        m_ui->gradientCombo->setCurrentIndex(ClampedGrad(m_style.Grad));
    }
    m_ui->backColor2Picker->setEnabled(ClampedGrad(m_style.Grad) != NoteStyle::NoGradient);
    updatePreview();
}

void NoteStyleDialog::updatePreview()
{
    m_ui->previewArea->setNoteStyle(m_style);
}

void NoteStyleDialog::setColor(Color NoteStyle::*member, const QColor &color)
{
    m_style.*member = FromQColor(color);
    updatePreview();
}

void NoteStyleDialog::onOpacity(int alpha)
{
    m_style.Alpha = alpha;
    m_ui->opacityLabel->setText(OpacityLabelText(alpha));
    if (NoteWindow *window = note())
        window->PreviewOpacity(alpha);
}

void NoteStyleDialog::onGradient(int grad)
{
    m_style.Grad = std::max(grad, 0);
    m_ui->backColor2Picker->setEnabled(m_style.Grad != NoteStyle::NoGradient);
    updatePreview();
}

void NoteStyleDialog::chooseFont()
{
    QFontDialog dialog(ToQFont(m_style.Font), this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    // Only face, style and size are chosen here: the effects (underline,
    // strikeout) are not offered.
    for (QGroupBox *group : dialog.findChildren<QGroupBox *>()) {
        if (!group->findChildren<QCheckBox *>().isEmpty())
            group->hide();
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    m_style.Font = FromQFont(dialog.selectedFont(), m_style.Font, screen ? screen->logicalDotsPerInchY() : 96.0);
    updatePreview();
}

// The desktop has no colour of its own on most Linux desktops; the
// system's accent (selection) colour stands in for it, with white text as
// the system pairs them.
void NoteStyleDialog::useDesktopColour(bool ticked)
{
    if (!ticked)
        return;
    m_ui->randomColorCheck->setChecked(false);
    m_style.BackColor1 = FromQColor(QApplication::palette().color(QPalette::Highlight));
    m_style.TextColor = 0xFFFFFF;
    showStyle();
}

void NoteStyleDialog::useRandomColour(bool ticked)
{
    if (!ticked)
        return;
    m_ui->desktopColorCheck->setChecked(false);
    const auto &palette = NotePalette();
    m_style.BackColor1 = palette[QRandomGenerator::global()->bounded(quint32(palette.size()))];
    m_style.TextColor = TextColorForBackground(m_style.BackColor1, m_style.TextColor);
    showStyle();
}

void NoteStyleDialog::pickPreset(int index)
{
    if (index < 0)
        return;
    updateDeleteButton();
    m_style = m_presets.Read(m_ui->presetCombo->itemText(index));
    m_style.Alpha = std::clamp(int(m_style.Alpha), NoteStyle::MinAlpha, NoteStyle::MaxAlpha);
    showStyle();
}

void NoteStyleDialog::updateDeleteButton()
{
    m_ui->deletePresetButton->setEnabled(NoteStylePresets::IsDeletable(m_ui->presetCombo->currentText()));
}

void NoteStyleDialog::savePreset()
{
    NotePresetSaveDialog dialog(m_presets.SectionNames(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.name();
    const WriteResult written = m_presets.Write(name, m_style);
    if (!written) {
        reportFailedWrite(written);
        return;
    }
    // A name already listed (in any case, as the file compares names) keeps
    // its one entry.
    QComboBox *presets = m_ui->presetCombo;
    int index = -1;
    for (int i = 0; i < presets->count() && index < 0; ++i) {
        if (IniNames::SameName(presets->itemText(i), name))
            index = i;
    }
    if (index < 0) {
        presets->addItem(name);
        index = presets->count() - 1;
    }
    presets->setCurrentIndex(index);
}

void NoteStyleDialog::deletePreset()
{
    QComboBox *presets = m_ui->presetCombo;
    const QString name = presets->currentText();
    if (!NoteStylePresets::IsDeletable(name))
        return;
    const WriteResult written = m_presets.Remove(name);
    if (!written) {
        reportFailedWrite(written);
        return;
    }
    presets->removeItem(presets->currentIndex());
    updateDeleteButton();
}

void NoteStyleDialog::reportFailedWrite(const WriteResult &result)
{
    MessageBoxes::Warning(this,
                          tr("无法保存文件 %1：%2").arg(QDir::toNativeSeparators(m_presets.Path()), result.error));
}

void NoteStyleDialog::accept()
{
    NoteWindow *window = note();
    if (!window)
        return;
    window->ApplyNoteStyle(m_style, m_services.clock->Now());
    QDialog::accept();
}

void NoteStyleDialog::reject()
{
    if (NoteWindow *window = note())
        window->RestoreOpacity();
    QDialog::reject();
}

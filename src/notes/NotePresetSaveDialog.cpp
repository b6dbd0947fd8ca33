// SPDX-License-Identifier: MIT
#include "notes/NotePresetSaveDialog.h"

#include "editor/ValidationTip.h"
#include "notes/NoteStylePresets.h"
#include "ui_NotePresetSaveDialog.h"

NotePresetSaveDialog::NotePresetSaveDialog(const QStringList &presetNames, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::NotePresetSaveDialog>())
    , m_tip(new ValidationTip(this))
{
    m_ui->setupUi(this);
    m_ui->presetNameCombo->addItems(presetNames);
    m_ui->presetNameCombo->setCurrentIndex(-1);
    m_ui->presetNameCombo->setFocus();
}

NotePresetSaveDialog::~NotePresetSaveDialog() = default;

QString NotePresetSaveDialog::name() const
{
    return NoteStylePresets::CleanName(m_ui->presetNameCombo->currentText());
}

void NotePresetSaveDialog::accept()
{
    switch (NoteStylePresets::CheckName(name())) {
    case NoteStylePresets::NameProblem::Empty:
        m_tip->showUnder(m_ui->presetNameCombo, tr("请输入自定义的样式名称"));
        return;
    case NoteStylePresets::NameProblem::TooLong:
        m_tip->showUnder(m_ui->presetNameCombo, tr("请输入(1 - 10)长度的字符"));
        return;
    case NoteStylePresets::NameProblem::None:
        break;
    }
    QDialog::accept();
}

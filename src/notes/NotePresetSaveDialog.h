// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class NotePresetSaveDialog;
}

class ValidationTip;

// "保存版面设置": the name to save the current note look under, typed or
// picked from the presets already saved. OK refuses an empty name and one
// longer than ten characters with a tip under the box.
class NotePresetSaveDialog final : public QDialog
{
    Q_OBJECT

public:
    NotePresetSaveDialog(const QStringList &presetNames, QWidget *parent = nullptr);
    ~NotePresetSaveDialog() override;

    // The chosen name, without surrounding blanks.
    QString name() const;

    void accept() override;

private:
    std::unique_ptr<Ui::NotePresetSaveDialog> m_ui;
    ValidationTip *m_tip;
};

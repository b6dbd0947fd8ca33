// SPDX-License-Identifier: MIT
#pragma once

#include "notes/NoteStyle.h"
#include "notes/NoteStylePresets.h"
#include "platform/Services.h"

#include <QDialog>
#include <memory>

namespace Ui {
class NoteStyleDialog;
}

class NoteWindow;

// "便签相关设置": one note's font, colours, opacity, alignment and gradient
// with a live preview, and the looks saved by name in layout.ini. The
// dialog works on the note window with the given title: the opacity slider
// acts on it at once, OK gives it the whole look, Cancel puts its own
// opacity back.
class NoteStyleDialog final : public QDialog
{
    Q_OBJECT

public:
    NoteStyleDialog(const QString &noteTitle, const QString &presetsPath, const Services &services,
                    QWidget *parent = nullptr);
    ~NoteStyleDialog() override;

    const NoteStyle &noteStyle() const { return m_style; }

    // Gives the note the look; stays open when the note is gone.
    void accept() override;
    void reject() override;

private:
    NoteWindow *note() const;
    void connectControls();
    void showStyle();
    void updatePreview();
    void setColor(Color NoteStyle::*member, const QColor &color);
    void onOpacity(int alpha);
    void onGradient(int grad);
    void chooseFont();
    void useDesktopColour(bool ticked);
    void useRandomColour(bool ticked);
    void pickPreset(int index);
    void savePreset();
    void deletePreset();
    void updateDeleteButton();
    void reportFailedWrite(const WriteResult &result);

    std::unique_ptr<Ui::NoteStyleDialog> m_ui;
    QString m_noteTitle;
    NoteStylePresets m_presets;
    Services m_services;
    NoteStyle m_style;
};

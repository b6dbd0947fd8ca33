// SPDX-License-Identifier: MIT
#pragma once

#include "editor/ColorPickerButton.h"

class QMenu;

// A colour button with a drop-down palette: the automatic colour (a system
// colour the caller names) on top, the 40 palette colours, and "其他颜色..."
// for any other colour.
class NoteColorPicker final : public ColorPickerButton
{
    Q_OBJECT

public:
    explicit NoteColorPicker(QWidget *parent = nullptr);

    QColor automaticColor() const { return m_automatic; }
    void setAutomaticColor(const QColor &color);

protected:
    void choose() override;

private:
    void buildPalette();
    void choosePaletteColor(const QColor &color);
    void chooseOther();

    QMenu *m_palette;
    QColor m_automatic;
};

// SPDX-License-Identifier: MIT
#include "notes/NoteColorPicker.h"

#include "notes/NoteStyle.h"
#include "widgets/MessageFormat.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

using namespace Qt::StringLiterals;

namespace {

constexpr int PaletteColumns = 8;
constexpr int SwatchSize = 14;

QIcon swatchIcon(const QColor &color, qreal dpr)
{
    QPixmap pixmap(int(SwatchSize * dpr), int(SwatchSize * dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(0, 0, SwatchSize, SwatchSize), QColor(0x80, 0x80, 0x80));
    painter.fillRect(QRect(1, 1, SwatchSize - 2, SwatchSize - 2), color);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

NoteColorPicker::NoteColorPicker(QWidget *parent)
    : ColorPickerButton(parent)
    , m_palette(new QMenu(this))
{
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setPopupMode(QToolButton::MenuButtonPopup);
    setMenu(m_palette);
    m_palette->setObjectName(u"colorPalette"_s);
    buildPalette();
}

void NoteColorPicker::setAutomaticColor(const QColor &color)
{
    m_automatic = color;
    if (auto *automatic = m_palette->findChild<QPushButton *>(u"automaticColorButton"_s))
        automatic->setIcon(swatchIcon(color, devicePixelRatioF()));
}

// A click on the button opens the palette, as a click on its arrow does.
void NoteColorPicker::choose()
{
    showMenu();
}

void NoteColorPicker::buildPalette()
{
    auto *panel = new QWidget(m_palette);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto *automatic = new QPushButton(tr("自动"), panel);
    automatic->setObjectName(u"automaticColorButton"_s);
    automatic->setFlat(true);
    connect(automatic, &QPushButton::clicked, this, [this] { choosePaletteColor(m_automatic); });
    layout->addWidget(automatic);

    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    const qreal dpr = devicePixelRatioF();
    int n = 0;
    for (const Color color : NotePalette()) {
        auto *swatch = new QToolButton(panel);
        swatch->setObjectName(u"paletteColor%1"_s.arg(n));
        swatch->setAutoRaise(true);
        swatch->setIconSize(QSize(SwatchSize, SwatchSize));
        swatch->setIcon(swatchIcon(ToQColor(color), dpr));
        const QColor qcolor = ToQColor(color);
        swatch->setToolTip(qcolor.name(QColor::HexRgb).toUpper());
        connect(swatch, &QToolButton::clicked, this, [this, qcolor] { choosePaletteColor(qcolor); });
        grid->addWidget(swatch, n / PaletteColumns, n % PaletteColumns);
        ++n;
    }
    layout->addLayout(grid);

    auto *other = new QPushButton(tr("其他颜色..."), panel);
    other->setObjectName(u"otherColorButton"_s);
    other->setFlat(true);
    connect(other, &QPushButton::clicked, this, &NoteColorPicker::chooseOther);
    layout->addWidget(other);

    auto *action = new QWidgetAction(m_palette);
    action->setDefaultWidget(panel);
    m_palette->addAction(action);
}

void NoteColorPicker::choosePaletteColor(const QColor &color)
{
    m_palette->close();
    if (color.isValid())
        pick(color);
}

void NoteColorPicker::chooseOther()
{
    m_palette->close();
    const QColor color = QColorDialog::getColor(this->color(), this);
    if (color.isValid())
        pick(color);
}

// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QWidget;

// Small helpers the reminder windows share.

// An SVG icon drawn sharp at `size` logical pixels for a screen of `dpr`;
// a null pixmap when the file cannot be read.
QPixmap SvgPixmap(const QString &path, int size, qreal dpr);
// The program icon at the usual window-icon sizes.
QIcon ProgramIcon();
// Moves a top-level window to the middle of the primary screen's work area,
// or a step further down and right while another window of the program
// already stands at that place.
void CentreOnPrimaryScreen(QWidget &window);

// SPDX-License-Identifier: MIT
#include "widgets/WindowLook.h"

#include "model/CategoryTable.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QWidget>
#include <cmath>

QPixmap SvgPixmap(const QString &path, int size, qreal dpr)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    const int device = int(std::lround(size * dpr));
    QPixmap pixmap(device, device);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(SvgPixmap(CategoryTable::programIconPath(), size, 1.0));
    return icon;
}

void CentreOnPrimaryScreen(QWidget &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

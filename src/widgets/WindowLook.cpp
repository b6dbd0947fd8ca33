// SPDX-License-Identifier: MIT
#include "widgets/WindowLook.h"

#include "model/CategoryTable.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QWidget>
#include <algorithm>
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
    const QRect area = screen->availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    // Reminders due in the same second would open exactly on top of each
    // other, hiding all but the last: each one that would cover another
    // steps down and to the right, back to the top left at the screen's edge.
    const int step = 2 * window.fontMetrics().height();
    const auto covers = [&window](const QPoint &at) {
        const QWidgetList others = QApplication::topLevelWidgets();
        return std::any_of(others.begin(), others.end(), [&](const QWidget *other) {
            return other != &window && other->isVisible() && (other->pos() - at).manhattanLength() < 4;
        });
    };
    for (int tries = 0; tries < 50 && covers(frame.topLeft()); ++tries) {
        frame.translate(step, step);
        if (!area.contains(frame))
            frame.moveTopLeft(area.topLeft());
    }
    window.move(frame.topLeft());
}

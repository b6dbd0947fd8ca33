// SPDX-License-Identifier: MIT
// The clock's digits copied on the X server, checked against the server's own
// pixels: run under a private X server by digit_blit_test.py, once per scale.
// A tick that changes the time puts the new digits on screen without any
// repaint through Qt; they are exactly what Qt itself paints; and an expose
// afterwards (Qt shows its backing store there) shows the same digits, not
// the ones painted before. Prints what failed; status 0 when all held.
#include "fakes/FakeServices.h"
#include "model/AppData.h"
#include "platform/linux/XcbWindowBlitter.h"
#include "shell/ClockWindow.h"
#include "shell/SkinImage.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

int failures = 0;

void check(bool condition, const char *what)
{
    if (!condition) {
        std::printf("FAIL: %s\n", what);
        ++failures;
    }
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The digit area's pixels as the X server holds them for the window.
QByteArray serverPixels(const ClockWindow &window)
{
    xcb_connection_t *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const qreal scale = window.windowHandle()->devicePixelRatio();
    const QRect area = digitAreaRect(window.DigitOrigin());
    const auto cookie = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, xcb_window_t(window.winId()),
                                      int16_t(area.x() * scale), int16_t(area.y() * scale),
                                      uint16_t(area.width() * scale), uint16_t(area.height() * scale), ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(connection, cookie, nullptr), &std::free);
    if (!reply)
        return {};
    return QByteArray(reinterpret_cast<const char *>(xcb_get_image_data(reply.get())),
                      xcb_get_image_data_length(reply.get()));
}

// Lets the X server and Qt catch up: the copies and any expose handled.
void settle()
{
    QTest::qWait(300);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    FakeServices fakes;
    XcbWindowBlitter blitter;
    Services services = fakes.services();
    services.blitter = &blitter;
    AppData data {dir.path()};
    fakes.clock.Set(DateTime::FromParts(2026, 3, 10, 9, 5, 7));
    ClockWindow window(data, services);
    if (!window.Create())
        return 2;
    window.ShowClock();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    settle();
    const QByteArray before = serverPixels(window);

    PaintCounter counter;
    window.installEventFilter(&counter);
    fakes.clock.Set(DateTime::FromParts(2026, 3, 10, 10, 48, 59));
    window.Tick();
    settle();
    const QByteArray copied = serverPixels(window);
    check(counter.paints == 0, "the tick repainted through Qt");
    check(!copied.isEmpty() && copied != before, "the new digits did not reach the screen");

    // Covered and uncovered again: Qt answers the expose from its backing store.
    QWidget cover;
    cover.setWindowFlags(Qt::FramelessWindowHint);
    cover.setGeometry(window.geometry());
    cover.show();
    settle();
    cover.hide();
    settle();
    check(serverPixels(window) == copied, "an expose showed other digits than the copied ones");

    window.repaint();
    settle();
    check(serverPixels(window) == copied, "Qt paints the digits differently from the copies");
    if (failures == 0)
        std::puts("PASS");
    return failures == 0 ? 0 : 1;
}

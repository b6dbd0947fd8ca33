// SPDX-License-Identifier: MIT
// The slide-in notice: where it rises, how long it stays, and that it goes.
#include "firing/SlideInNotice.h"

#include "fakes/FakeServices.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

QTimer *timer(SlideInNotice *notice, const char16_t *name)
{
    QTimer *found = notice->findChild<QTimer *>(QString::fromUtf16(name));
    if (!found)
        throw std::runtime_error("no such timer");
    return found;
}

QRect workArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(SlideInNotice, PlaysTheChimeAndShowsTheTextWithoutTakingFocus)
{
    FakeServices fake;
    QPointer<SlideInNotice> notice = ShowNotice(u"时间同步成功！"_s, fake.sound);
    ASSERT_TRUE(notice);
    EXPECT_EQ(fake.sound.played, QStringList {u":/sounds/notice.wav"_s});
    EXPECT_EQ(notice->findChild<QLabel *>(u"noticeText"_s)->text(), u"时间同步成功！"_s);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->testAttribute(Qt::WA_ShowWithoutActivating));
    const Qt::WindowFlags flags = notice->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_FALSE(flags & Qt::X11BypassWindowManagerHint);
    notice->close();
}

TEST(SlideInNotice, RisesFromBelowTheWorkAreaByItsHeightThenStaysAndFades)
{
    FakeServices fake;
    QPointer<SlideInNotice> notice = ShowNotice(u"同步失败"_s, fake.sound);
    const QRect area = workArea();
    const int right = area.x() + area.width();
    const int below = area.y() + area.height() + SlideInNotice::StartBelowPx;
    EXPECT_EQ(notice->pos(), QPoint(right - notice->width(), below));
    EXPECT_EQ(timer(notice, u"riseTimer")->interval(), 10);

    // Every step is 3 pixels straight up.
    int lastY = notice->y();
    QElapsedTimer clock;
    clock.start();
    while (timer(notice, u"riseTimer")->isActive()) {
        ASSERT_LT(clock.elapsed(), 10000) << "the notice never finished rising";
        QTest::qWait(5);
        ASSERT_TRUE(notice);
        EXPECT_EQ(notice->x(), right - notice->width());
        EXPECT_EQ((lastY - notice->y()) % 3, 0);
        EXPECT_LE(notice->y(), lastY);
        lastY = notice->y();
    }
    const int risen = (notice->height() + 2) / 3 * 3;
    EXPECT_EQ(notice->y(), below - risen);

    QTimer *stay = timer(notice, u"stayTimer");
    ASSERT_TRUE(stay->isActive());
    EXPECT_EQ(stay->interval(), 5000);
    EXPECT_TRUE(notice->isVisible());
    stay->start(0); // the five seconds are over
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !notice || notice->findChild<QPropertyAnimation *>(u"fadeAnimation"_s); }, 1000));
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->findChild<QPropertyAnimation *>(u"fadeAnimation"_s)->duration(), 500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice.isNull(); }, 3000));
}

TEST(SlideInNotice, AClickFadesItAtOnceAndLeavesOtherNoticesAlone)
{
    FakeServices fake;
    QPointer<SlideInNotice> first = ShowNotice(u"一"_s, fake.sound);
    QPointer<SlideInNotice> second = ShowNotice(u"二"_s, fake.sound);
    EXPECT_EQ(first->pos(), second->pos());

    QTest::mouseClick(first, Qt::LeftButton);
    ASSERT_TRUE(first->findChild<QPropertyAnimation *>(u"fadeAnimation"_s));
    EXPECT_FALSE(timer(first, u"riseTimer")->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 3000));

    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(second->findChild<QPropertyAnimation *>(u"fadeAnimation"_s));
    second->close();
}

TEST(SlideInNotice, GrowsSoThatALongTextEndsAboveTheScreenEdge)
{
    FakeServices fake;
    QPointer<SlideInNotice> shortNotice = ShowNotice(u"一"_s, fake.sound);
    QPointer<SlideInNotice> notice = ShowNotice(u"一\n二\n三\n四\n五\n六\n七\n八\n九\n十"_s, fake.sound);
    EXPECT_GT(notice->height(), shortNotice->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !timer(notice, u"riseTimer")->isActive(); }, 10000));
    const QLabel *label = notice->findChild<QLabel *>(u"noticeText"_s);
    const int textBottom = notice->y() + label->y() + label->heightForWidth(label->width());
    EXPECT_LE(textBottom, workArea().y() + workArea().height());
    shortNotice->close();
    notice->close();
}

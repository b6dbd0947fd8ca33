// SPDX-License-Identifier: MIT
#include "shell/ClockMenu.h"

#include "shell/MenuIds.h"
#include "shell/MenuPresets.h"
#include "shell/SkinChooser.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

// The menu as text: one line per item, submenus indented, separators "-".
QStringList outline(const QMenu *menu, const QString &indent = {})
{
    QStringList lines;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + QStringLiteral("-");
        } else if (action->menu()) {
            lines << indent + action->text();
            lines << outline(action->menu(), indent + QStringLiteral("  "));
        } else {
            lines << indent + action->text() + QStringLiteral(" #") + QString::number(action->data().toInt());
        }
    }
    return lines;
}

} // namespace

TEST(ClockMenu, TopLevelInOrder)
{
    ClockMenu menu;
    QStringList top;
    for (const QAction *action : menu.Menu()->actions())
        top << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(top.join(QLatin1Char('|')),
              QStringLiteral(u"隐藏窗口(&H)|-|设置(&S)...|-|新添提醒(&N)...|提醒任务列表(R)...|-|皮肤设置(&K)|-|"
                             "快捷提醒(&Q)...|语音报时(&P)|-|显示倒计时(&D)|显示日历(&C)|同步日期/时间(&Y)|-|"
                             "始终最顶端(&O)|开机自动运行(&A)|最小化启动(&M)|-|帮助(&H)|-|退出(&X)..."));
    EXPECT_EQ(menu.Menu()->defaultAction(), menu.Action(MenuId::HideWindow));
    for (const int id : {MenuId::AlwaysOnTop, MenuId::RunAtStartup, MenuId::StartMinimised})
        EXPECT_TRUE(menu.Action(id)->isCheckable());
}

TEST(ClockMenu, SubmenusHoldEveryCommand)
{
    ClockMenu menu;
    const QString all = outline(menu.Menu()).join(QLatin1Char('\n'));
    for (const char16_t *line : {u"  闹铃(&A)... #32780",
                                 u"  生日(&B)... #32966",
                                 u"  便签(&N)... #32967",
                                 u"    DEFULT.BMP #32821",
                                 u"    BLACKGREEN.BMP #32776",
                                 u"  选项(&O)... #32775",
                                 u"    1 分钟 #32796",
                                 u"    18 小时 #32811",
                                 u"    23:00 #32857",
                                 u"    4 天 #32859",
                                 u"    3 月 #32869",
                                 u"    星期天 #32876",
                                 u"  自定义(&C)... #32812",
                                 u"    00:00 #32968",
                                 u"    24小时 #33007",
                                 u"  通过原子钟(&I)... #32782",
                                 u"  通过控制面板(&C)... #32783",
                                 u"  选项(&O)... #32878",
                                 u"  帮助文件 #32818",
                                 u"  Tockly主页 #32819",
                                 u"  用户支持 #29",
                                 u"  关于(&A)... #32820"})
        EXPECT_TRUE(all.contains(QString::fromUtf16(line))) << QString::fromUtf16(line).toStdString();
    // The day spans are listed in the order of the spans, not of their numbers.
    EXPECT_TRUE(all.contains(QStringLiteral(u"明天 #32858\n    2 天 #32860\n    3 天 #32861\n    4 天 #32859")));
}

TEST(ClockMenu, ShowHideItemSwitchesLabelAndIdentifier)
{
    ClockMenu menu;
    QAction *item = menu.Action(MenuId::HideWindow);
    menu.ShowWindowVisible(false);
    EXPECT_EQ(menu.Action(MenuId::HideWindow), nullptr);
    EXPECT_EQ(menu.Action(MenuId::ShowWindow), item);
    EXPECT_EQ(item->text(), QStringLiteral(u"显示窗口(&S)"));
    EXPECT_EQ(item->data().toInt(), MenuId::ShowWindow);
    menu.ShowWindowVisible(true);
    EXPECT_EQ(menu.Action(MenuId::HideWindow), item);
    EXPECT_EQ(item->text(), QStringLiteral(u"隐藏窗口(&H)"));
}

TEST(ClockMenu, CountdownSubmenuHasAnIdleAndARunningForm)
{
    ClockMenu menu;
    QMenu *countdown = menu.Menu()->findChild<QMenu *>(QStringLiteral("countdownMenu"));
    ASSERT_NE(countdown, nullptr);
    menu.SetCountdownRunning(true);
    EXPECT_EQ(outline(countdown),
              (QStringList {QStringLiteral(u"停止倒计时(&S) #33009"), QStringLiteral("-"),
                            QStringLiteral(u"自定义(&C)... #33008")}));
    EXPECT_TRUE(countdown->menuAction()->isChecked());
    EXPECT_EQ(menu.Action(MenuId::CountdownForFirst), nullptr);
    menu.SetCountdownRunning(false);
    EXPECT_FALSE(countdown->menuAction()->isChecked());
    EXPECT_EQ(menu.Action(MenuId::CountdownStop), nullptr);
    ASSERT_NE(menu.Action(MenuId::CountdownForLast), nullptr);
    EXPECT_EQ(menu.Action(MenuId::CountdownForLast)->text(), QStringLiteral(u"24小时"));
    EXPECT_EQ(outline(countdown).size(), 1 + 24 + 1 + 16 + 1 + 1);
}

TEST(ClockMenu, SkinItemsNumberUpAndCheckOnePerSubmenu)
{
    ClockMenu menu;
    int chosen = 0;
    QObject::connect(&menu, &ClockMenu::SkinItemChosen, [&](int id) { chosen = id; });
    EXPECT_EQ(menu.AddSkinItem(SkinKind::Dialog, QStringLiteral("OCEAN.BMP")), 1);
    EXPECT_EQ(menu.AddSkinItem(SkinKind::Number, QStringLiteral("AMBER.BMP")), 2);
    EXPECT_EQ(menu.AddSkinItem(SkinKind::Dialog, QStringLiteral("ORBIT.BMP")), 3);
    EXPECT_EQ(menu.SkinItems(SkinKind::Dialog).size(), 3);
    menu.CheckSkinItem(1);
    menu.CheckSkinItem(2);
    menu.CheckSkinItem(3);
    EXPECT_FALSE(menu.SkinItems(SkinKind::Dialog)[1]->isChecked());
    EXPECT_TRUE(menu.SkinItems(SkinKind::Dialog)[2]->isChecked());
    EXPECT_TRUE(menu.SkinItems(SkinKind::Number)[1]->isChecked());
    menu.SkinItems(SkinKind::Dialog)[1]->trigger();
    EXPECT_EQ(chosen, 1);
}

TEST(SkinChooser, RandomPositionsSkipTheLastItemAndTheFirstFace)
{
    EXPECT_EQ(SkinChooser::RandomPosition(SkinKind::Dialog, 3, 7), -1);
    EXPECT_EQ(SkinChooser::RandomPosition(SkinKind::Number, 1, 7), -1);
    for (quint32 r = 0; r < 50; ++r) {
        const int face = SkinChooser::RandomPosition(SkinKind::Dialog, 6, r);
        EXPECT_GE(face, 2);
        EXPECT_LE(face, 4);
        const int digits = SkinChooser::RandomPosition(SkinKind::Number, 4, r);
        EXPECT_GE(digits, 0);
        EXPECT_LE(digits, 2);
    }
    EXPECT_EQ(SkinChooser::RandomPosition(SkinKind::Dialog, 6, 4), 3);
}

TEST(MenuPresets, NextWeeksWeekday)
{
    EXPECT_EQ(DaysToNextWeeksWeekday(1, 1), 7); // Monday -> next Monday
    EXPECT_EQ(DaysToNextWeeksWeekday(7, 1), 1); // Sunday -> the next day
    EXPECT_EQ(DaysToNextWeeksWeekday(1, 7), 13); // Monday -> the Sunday after next
    EXPECT_EQ(CountdownSpanPresets().back().amount, 86399);
}

// SPDX-License-Identifier: MIT
#include "editor/QuickChoice.h"

#include <gtest/gtest.h>

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateTime::FromParts(y, mo, d, h, mi, s);
}

} // namespace

TEST(QuickChoice, EveryKindOfShiftFromBothMenus)
{
    const DateTime tuesday = at(2026, 3, 10, 12, 0, 30);
    struct Case
    {
        int command;
        bool trayMenu;
        DateTime from, to;
    };
    const Case cases[] = {
        {32879, false, tuesday, at(2026, 3, 10, 12, 1, 30)}, // "1 分钟"
        {32887, false, tuesday, at(2026, 3, 10, 13, 0, 30)}, // "1 小时"
        {32894, false, tuesday, at(2026, 3, 11, 6, 0, 30)}, // "18 小时" runs into tomorrow
        {32895, false, tuesday, at(2026, 3, 10, 0, 0, 0)}, // "00:00" keeps the day
        {32918, false, tuesday, at(2026, 3, 10, 23, 0, 0)}, // "23:00"
        {32919, false, tuesday, at(2026, 3, 11, 12, 0, 30)}, // "明天"
        {32922, false, tuesday, at(2026, 3, 14, 12, 0, 30)}, // "4 天"
        {32925, false, tuesday, at(2026, 3, 17, 12, 0, 30)}, // "1 周"
        {32928, false, at(2027, 1, 31, 9, 0, 0), at(2027, 3, 2, 9, 0, 0)}, // "1 月" is 30 days
        {32930, false, tuesday, at(2026, 6, 8, 12, 0, 30)}, // "3 月"
        {32931, false, at(2026, 3, 15, 8, 0, 0), at(2026, 3, 16, 8, 0, 0)}, // "星期一" on a Sunday
        {32937, false, at(2026, 3, 15, 8, 0, 0), at(2026, 3, 22, 8, 0, 0)}, // "星期天" on a Sunday
        {32935, false, at(2026, 3, 11, 8, 0, 0), at(2026, 3, 20, 8, 0, 0)}, // "星期五" on a Wednesday
        {32804, true, tuesday, at(2026, 3, 10, 13, 0, 30)}, // tray "1 小时"
        {32846, true, tuesday, at(2026, 3, 10, 12, 0, 0)}, // tray "12:00"
        {32859, true, tuesday, at(2026, 3, 14, 12, 0, 30)}, // tray "4 天", numbered out of order
        {32860, true, tuesday, at(2026, 3, 12, 12, 0, 30)}, // tray "2 天"
        {32876, true, at(2026, 3, 9, 8, 0, 0), at(2026, 3, 22, 8, 0, 0)}, // tray "星期天" on a Monday
    };
    for (const Case &c : cases) {
        const std::optional<QuickChoice> choice = c.trayMenu ? TrayQuickChoice(c.command) : QuickMenuChoice(c.command);
        ASSERT_TRUE(choice) << c.command;
        EXPECT_EQ(ApplyQuickChoice(*choice, c.from), c.to) << c.command;
    }
    // Off the calendar's end: no moment.
    EXPECT_FALSE(ApplyQuickChoice(*QuickMenuChoice(32930), at(9999, 12, 1)).IsValid());
}

TEST(QuickChoice, TheMenusNumberTheirCommands)
{
    int dialogCommands = 0;
    for (int id = 32870; id <= 32950; ++id)
        dialogCommands += QuickMenuChoice(id).has_value();
    EXPECT_EQ(dialogCommands, 59);
    EXPECT_FALSE(QuickMenuChoice(32878));
    EXPECT_FALSE(QuickMenuChoice(32938));
    int trayCommands = 0;
    for (int id = 32790; id <= 32880; ++id)
        trayCommands += TrayQuickChoice(id).has_value();
    EXPECT_EQ(trayCommands, 59);
    EXPECT_FALSE(TrayQuickChoice(32812)); // "自定义(&C)..." has no preset
}
